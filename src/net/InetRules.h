// The rules of an HTTP download that need no system: which URL is requested, what the file is
// called, where the data goes while it arrives, how much is asked for per read, how the progress
// bar runs, and the texts that report the outcome. InetHTTP_win32.cpp applies them over WinINet.
// This file must contain only truly operating-system independent code.
#pragma once

#include <cstdint>
#include <string>

namespace inethttp {

// The most bytes a download into memory keeps (the update description is a few hundred bytes):
// a server that sends more must not fill the memory of the program.
constexpr uint64_t kLongestDownloadInMemory = 16u << 20;

// The length a server announces when it sends no Content-Length.
constexpr uint32_t kUnknownLength = 0xFFFFFFFFu;
// The most bytes asked for by one read: the size of the read buffer.
constexpr uint32_t kReadBufferSize = 8192;
// Agent names of the sessions: the download itself, and the size query and the priming request.
constexpr const char* kDownloadAgent = "HTTP_Connect_3";
constexpr const char* kQueryAgent = "HTTP_Connect_2";
// Connect, send and receive time-outs of a download session: three minutes.
constexpr uint32_t kInternetTimeoutMs = 180000;
// The pause before each read, long enough to dispatch the messages of the windows.
constexpr uint32_t kReadPauseMs = 2;

// The file-name part of URL: every "/" is read as "\" and the text after the last "\" or ":"
// is taken. "http://host/dir/Setup.exe" gives "Setup.exe"; "host:8080" gives "8080".
std::string UrlFileName(const std::string& URL);

// True when URL begins with a scheme and "://", as "http://", "HTTPS://" or "ftp://" do;
// "127.0.0.1:8080/x" and "host/a?u=http://b" have none.
bool HasUrlScheme(const std::string& URL);
// URL as it is requested: unchanged when it has a scheme, otherwise with "http://" in front.
// "127.0.0.1:8080/f" gives "http://127.0.0.1:8080/f"; "HTTPS://h/f" stays as it is.
std::string RequestUrl(const std::string& URL);

// The file a download writes into before it becomes DestFile: DestFile + "." + the decimal of
// (Length + Modified) modulo 2^32. The name carries the length and the date so that a changed
// file on the server starts afresh. Length 50 and Modified 0 give DestFile + ".50".
std::string TemporaryDownloadName(const std::string& DestFile, uint32_t Length, uint32_t Modified);

// The search pattern of the temporary files of earlier downloads to DestFile: DestFile + ".*".
std::string LeftoverPattern(const std::string& DestFile);
// True when FoundName (a bare file name as a folder search reports it) is a leftover of a
// download to DestFile: DestFile's own name followed by "." and decimal digits only, the names
// TemporaryDownloadName gives, letter case ignored. Nothing else is this program's to delete:
// DestFile itself (a system search for "Setup.exe.*" reports it too), and for a DestFile named
// "Tool" the installation's "Tool.exe" or "Tool.original".
bool IsLeftoverName(const std::string& DestFile, const std::string& FoundName);
// The full path of FoundName beside DestFile: "C:\dl\Setup.exe" and "Setup.exe.50" give
// "C:\dl\Setup.exe.50".
std::string LeftoverPath(const std::string& DestFile, const std::string& FoundName);

// Bytes asked for per read: a tenth of Length, kept within 1 and kReadBufferSize, so that small
// files still move the progress bar in about ten steps. 50 gives 5; 1048576 gives 8192.
uint32_t DownloadChunkSize(uint32_t Length);

// The run of the progress bar for a download of Length bytes: it starts at position 1 and ends
// at one more than the number of chunks. 50 bytes (chunks of 5) give 1 and 11.
struct ProgressRange {
  int32_t position;
  int32_t maximum;
};
ProgressRange DownloadProgressRange(uint32_t Length);

// Units of the transfer meter: KB above 100 KB, MB above 10 MB.
bool MeterInKB(uint32_t Length);
bool MeterInMB(uint32_t Length);

// True when a download holds the whole file. With an announced Length, Size must be that length.
// Without one (a chunked or compressed answer) the protocol marks the end of the data, and the
// download is whole when its reads got there (EndReached: a read succeeded with nothing left).
// 50 of 50 bytes is whole; 40 of 50 is not; an unknown length is whole only at its end.
bool IsCompleteDownload(uint64_t Size, uint32_t Length, bool EndReached);

// The DOS date-time (date in the high word) of a calendar time as the server sends it; 0 when a
// field is out of range or the year lies outside 1980 to 2107, which DOS dates cannot hold.
uint32_t DosDateTimeOf(int Year, int Month, int Day, int Hour, int Minute, int Second);

// The error texts of a download; their wording is read by the callers and shown to users.
// "Unable to initialize "WinINet.dll"" (with the double quotes).
std::string UnableToInitializeText();
// "Unable to open Internet Connection: " + URL.
std::string UnableToOpenText(const std::string& URL);
// URL + " --- File Not Found !".
std::string FileNotFoundText(const std::string& URL);
// FileName + " --- Error downloading file", followed by " (" + Detail + ")" when Detail is not
// empty.
std::string DownloadErrorText(const std::string& FileName, const std::string& Detail);
// "Download Aborted".
std::string DownloadAbortedText();
// The detail of DownloadErrorText for a download into memory beyond kLongestDownloadInMemory.
std::string TooLongForMemoryDetail();
// The detail of a download that ended early: "received 40 of 50 bytes".
std::string IncompleteDetail(uint64_t Received, uint32_t Length);
// "Unable to replace " + DestFile, followed by " (" + Detail + ")" when Detail is not empty.
std::string ReplaceFailedText(const std::string& DestFile, const std::string& Detail);

// Debug lines: "HTTP_GetFileSize=" + Size + "  " + URL, and the line that follows the process id
// when a download fails: " HTTP_DownloadFile_Incremental: " + ErrorText.
std::string FileSizeLine(int64_t Size, const std::string& URL);
std::string DownloadFailureLine(const std::string& ErrorText);

}  // namespace inethttp
