// HTTP over WinINet: the connection test, the size query and the download of a file into a
// temporary file beside its destination (or into memory), chunk by chunk, with the progress bar
// and the abort flag. The rules without system calls live in InetRules.cpp.
// This file must contain only Win32 code.
#include "net/InetHTTP.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "net/BytesRate.h"
#include "net/InetRules.h"
#include "net/WinInetBinding.h"
#include "sys/Files.h"
#include "sys/KoDebug.h"
#include "sys/Platform.h"
#include "sys/Pumping.h"
#include "sys/ScopedHandle.h"
#include "sys/SysError.h"
#include "ui/KoProgBar.h"

namespace inethttp {
namespace {

using ScopedInternet = sys::ScopedHandle<InternetTraits>;

WinInetBinding& Inet() { return WinInetBinding::Shared(); }

ScopedInternet OpenSession(const char* Agent) {
  return ScopedInternet(
      Inet().InternetOpenA(Agent, INTERNET_OPEN_TYPE_PRECONFIG, "", nullptr, 0));
}

// A first contact with the server, whose outcome does not matter: the real request follows a
// fresh connection.
void PrimeUrl(const std::string& URL) {
  ScopedInternet session = OpenSession(kQueryAgent);
  if (!session) return;
  ScopedInternet request(
      Inet().InternetOpenUrlA(session.Get(), RequestUrl(URL).c_str(), nullptr, 0, 0, 0));
}

// Never an answer from the cache: a file replaced on the server must arrive as it is now.
ScopedInternet OpenHttpUrl(HINTERNET Session, const std::string& URL) {
  return ScopedInternet(Inet().InternetOpenUrlA(Session, RequestUrl(URL).c_str(), nullptr, 0,
                                                INTERNET_FLAG_RELOAD, 0));
}

void SetInternetTimeouts(HINTERNET Session, DWORD Ms) {
  static const DWORD kOptions[] = {
      INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
      INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT,
      INTERNET_OPTION_DATA_SEND_TIMEOUT};
  for (DWORD option : kOptions) Inet().InternetSetOptionA(Session, option, &Ms, sizeof Ms);
}

// The announced length; kUnknownLength when the server sent none.
uint32_t QueryContentLength(HINTERNET Request) {
  DWORD length = kUnknownLength;
  DWORD size = sizeof length;
  if (!Inet().HttpQueryInfoA(Request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length,
                             &size, nullptr))
    return kUnknownLength;
  return length;
}

// Last-Modified as a DOS date-time; 0 when absent or unreadable.
uint32_t QueryLastModified(HINTERNET Request) {
  SYSTEMTIME time{};
  DWORD size = sizeof time;
  if (!Inet().HttpQueryInfoA(Request, HTTP_QUERY_LAST_MODIFIED | HTTP_QUERY_FLAG_SYSTEMTIME,
                             &time, &size, nullptr))
    return 0;
  return DosDateTimeOf(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
                       time.wSecond);
}

// The server's last response text, up to 1024 characters.
std::string GetInternetErrorText() {
  char buffer[1025] = {};
  DWORD error = 0;
  DWORD length = sizeof buffer - 1;
  if (!Inet().InternetGetLastResponseInfoA(&error, buffer, &length)) return "";
  return std::string(buffer, std::min<DWORD>(length, sizeof buffer - 1));
}

// The system's message for Code, the internet library's own codes included; empty when there
// is none.
std::string ErrorMessageOf(DWORD Code) {
  if (Code == 0) return "";
  char buffer[1024];
  DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
      ::GetModuleHandleA("wininet.dll"), Code, 0, buffer, sizeof buffer, nullptr);
  while (length > 0 && static_cast<unsigned char>(buffer[length - 1]) <= ' ') --length;
  return std::string(buffer, length);
}

// What went wrong with the last call: the system's message, or else the server's answer.
std::string FailureDetail(DWORD Code) {
  std::string detail = ErrorMessageOf(Code);
  return detail.empty() ? GetInternetErrorText() : detail;
}

// One download in progress: where its data goes and how far it has come.
struct Transfer {
  std::string fileName;  // for the error texts
  std::string tempName;  // empty for a download into memory
  uint32_t length = kUnknownLength;
  uint32_t chunk = 1;
  uint64_t done = 0;
  std::unique_ptr<sys::AppendingFile> file;
  std::string* content = nullptr;
};

// Keeps the bytes of one chunk; on failure ErrorText tells why.
bool StoreChunk(Transfer& T, const char* Data, DWORD Count, std::string& ErrorText) {
  if (T.tempName.empty()) {
    if (T.content->size() + Count > kLongestDownloadInMemory) {
      ErrorText = DownloadErrorText(T.fileName, TooLongForMemoryDetail());
      return false;
    }
    T.content->append(Data, Count);
  } else if (!T.file->Write(Data, Count)) {
    ErrorText = DownloadErrorText(T.fileName, ErrorMessageOf(::GetLastError()));
    return false;
  }
  T.done += Count;
  return true;
}

// Reads chunks until the data ends, a read or write fails or the abort flag is set; the
// windows are served between chunks, and a set flag is seen at the latest after one chunk.
// True when the reads reached the end of the data: a read succeeded with nothing left. A
// connection that WinINet sees cut before the end fails the read instead. (Wine's WinINet ends a
// chunked answer cut off without its closing chunk with an empty read all the same, so a caller
// that must be sure checks the end that the data itself carries.)
bool ReadChunks(HINTERNET Request, Transfer& T, koprogbar::TProgBar* ProgressBar,
                std::string& ErrorText) {
  TBytesRate meter(MeterInKB(T.length), MeterInMB(T.length));
  char buffer[kReadBufferSize];
  DWORD read = 0;
  bool endReached = false;
  do {
    sys::DelayPumping(kReadPauseMs);
    std::memset(buffer, 0, sizeof buffer);
    read = 0;
    const bool ok = Inet().InternetReadFile(Request, buffer, T.chunk, &read) != FALSE;
    if (!ok) {
      ErrorText = DownloadErrorText(T.fileName, FailureDetail(::GetLastError()));
      read = 0;
    } else if (read == 0) {
      endReached = true;
    } else if (!StoreChunk(T, buffer, read, ErrorText)) {
      read = 0;
    }
    const std::string text = meter.ProgressText(T.length, T.done, read, ::GetTickCount());
    if (ok && read > 0 && ProgressBar) ProgressBar->Step(text);
  } while (read > 0 && !DownloadAbortRequested());
  return endReached;
}

// Why an incomplete download is no success, when nothing else said so.
std::string IncompleteText(const Transfer& T, uint64_t Received) {
  return DownloadErrorText(T.fileName,
                           T.length == kUnknownLength ? "" : IncompleteDetail(Received, T.length));
}

// The end of a download to disk: only a complete temporary file replaces DestFile, in one
// move, so that DestFile is never lost or half written, and no finished temporary file stays.
void FinishFile(Transfer& T, const std::string& DestFile, bool EndReached,
                std::string& ErrorText) {
  T.file.reset();  // closed before it is measured and moved
  const uint64_t size = sys::GetFileSizeByName(T.tempName);
  if (IsCompleteDownload(size, T.length, EndReached)) {
    if (!::MoveFileExA(T.tempName.c_str(), DestFile.c_str(), MOVEFILE_REPLACE_EXISTING) &&
        ErrorText.empty())
      ErrorText = ReplaceFailedText(DestFile, ErrorMessageOf(::GetLastError()));
  } else if (ErrorText.empty()) {
    ErrorText = IncompleteText(T, size);
  }
}

// The end of a download into memory: data shorter or longer than announced, or cut off before
// its end, is no success.
void FinishMemory(const Transfer& T, bool EndReached, std::string& ErrorText) {
  if (ErrorText.empty() && !IsCompleteDownload(T.done, T.length, EndReached))
    ErrorText = IncompleteText(T, T.done);
}

// Prepares the destination once the length is known: the temporary name and a fresh
// temporary file, with the leftovers of earlier attempts gone. False when it cannot be written.
bool PrepareDestination(Transfer& T, const std::string& DestFile, uint32_t Modified,
                        std::string& ErrorText) {
  if (DestFile.empty()) return true;
  T.tempName = TemporaryDownloadName(DestFile, T.length, Modified);
  DeleteDownloadLeftovers(DestFile);
  T.file = std::make_unique<sys::AppendingFile>(T.tempName);
  if (T.file->IsOpen()) return true;
  ErrorText = DownloadErrorText(T.fileName, ErrorMessageOf(::GetLastError()));
  return false;
}

// Steps 5 to 11 of a download, inside an open session.
void DownloadInSession(HINTERNET Session, uintptr_t Window, const std::string& URL,
                       const std::string& DestFile, koprogbar::TProgBar* ProgressBar,
                       Transfer& T, std::string& ErrorText) {
  ScopedInternet request = OpenHttpUrl(Session, URL);
  if (!request) {
    ErrorText = UnableToOpenText(URL);
    return;
  }
  T.length = QueryContentLength(request.Get());
  const uint32_t modified = QueryLastModified(request.Get());
  if (T.length == 0) {
    ErrorText = FileNotFoundText(URL);
    return;
  }
  if (DestFile.empty() && T.length != kUnknownLength && T.length > kLongestDownloadInMemory) {
    ErrorText = DownloadErrorText(T.fileName, TooLongForMemoryDetail());  // refused unread
    return;
  }
  if (Window > 10) ::ShowWindow(reinterpret_cast<HWND>(Window), SW_SHOW);
  if (!PrepareDestination(T, DestFile, modified, ErrorText)) return;
  T.chunk = DownloadChunkSize(T.length);
  if (ProgressBar) {
    const ProgressRange range = DownloadProgressRange(T.length);
    ProgressBar->SetRange(range.position, range.maximum);
  }
  const bool endReached = ReadChunks(request.Get(), T, ProgressBar, ErrorText);
  if (DownloadAbortRequested()) ErrorText = DownloadAbortedText();
  if (DestFile.empty())
    FinishMemory(T, endReached, ErrorText);
  else
    FinishFile(T, DestFile, endReached, ErrorText);
}

}  // namespace

void DeleteDownloadLeftovers(const std::string& DestFile) {
  WIN32_FIND_DATAA found{};
  sys::ScopedFindHandle search(::FindFirstFileA(LeftoverPattern(DestFile).c_str(), &found));
  if (!search) return;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        !IsLeftoverName(DestFile, found.cFileName))
      continue;
    const std::string path = LeftoverPath(DestFile, found.cFileName);
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
  } while (::FindNextFileA(search.Get(), &found));
}

bool IsInternetConnected(std::string& ErrorText) {
  DWORD flags = 0;
  const bool connected = Inet().InternetGetConnectedState(&flags, 0) != FALSE;
  const DWORD code = connected ? 0 : ::GetLastError();
  ErrorText = code == 0 ? "" : sys::SysErrorTextOf(code);
  return connected;
}

bool IsInternetConnected() {
  std::string ignored;
  return IsInternetConnected(ignored);
}

int64_t HTTP_GetFileSize(const std::string& URL) {
  PrimeUrl(URL);
  ScopedInternet session = OpenSession(kQueryAgent);
  if (!session) return -1;
  ScopedInternet request(
      Inet().InternetOpenUrlA(session.Get(), RequestUrl(URL).c_str(), nullptr, 0, 0, 0));
  if (!request) return -1;
  const uint32_t length = QueryContentLength(request.Get());
  const int64_t size = length == kUnknownLength ? -1 : int64_t{length};
  kodebug::ConsoleLine(FileSizeLine(size, URL));
  return size;
}

void HTTP_DownloadFile_Incremental(uintptr_t Window, const std::string& URL,
                                   const std::string& DestFile, koprogbar::TProgBar* ProgressBar,
                                   std::string& Content, std::string& ErrorText) {
  ErrorText.clear();
  Content.clear();
  Transfer transfer;
  transfer.fileName = UrlFileName(URL);
  transfer.content = &Content;
  PrimeUrl(URL);
  {
    ScopedInternet session = OpenSession(kDownloadAgent);
    if (session) {
      SetInternetTimeouts(session.Get(), kInternetTimeoutMs);
      DownloadInSession(session.Get(), Window, URL, DestFile, ProgressBar, transfer, ErrorText);
    } else {
      ErrorText = UnableToInitializeText();
    }
  }
  if (!ErrorText.empty()) kodebug::ConsoleProcessLine(DownloadFailureLine(ErrorText));
}

}  // namespace inethttp
