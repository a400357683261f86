// This file must contain only truly operating-system independent code.
#include "net/InetRules.h"

#include <algorithm>
#include <cctype>

#include "sys/UtilsText.h"

namespace inethttp {
namespace {

bool IsSchemeStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

bool IsSchemeChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
}

std::string WithDetail(const std::string& Text, const std::string& Detail) {
  return Detail.empty() ? Text : Text + " (" + Detail + ")";
}

}  // namespace

std::string UrlFileName(const std::string& URL) {
  const std::string path = sys::ReplaceChar(URL, '/', '\\');
  const size_t cut = path.find_last_of("\\:");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool HasUrlScheme(const std::string& URL) {
  const size_t colon = URL.find("://");
  if (colon == std::string::npos || colon == 0 || !IsSchemeStart(URL[0])) return false;
  return std::all_of(URL.begin(), URL.begin() + colon, IsSchemeChar);
}

std::string RequestUrl(const std::string& URL) {
  return HasUrlScheme(URL) ? URL : "http://" + URL;
}

std::string TemporaryDownloadName(const std::string& DestFile, uint32_t Length,
                                  uint32_t Modified) {
  const uint32_t stamp = Length + Modified;  // unsigned: wraps modulo 2^32
  return DestFile + "." + std::to_string(stamp);
}

std::string LeftoverPattern(const std::string& DestFile) { return DestFile + ".*"; }

bool IsLeftoverName(const std::string& DestFile, const std::string& FoundName) {
  const std::string prefix = UrlFileName(DestFile) + ".";
  if (FoundName.size() <= prefix.size() || !sys::StartsWith(FoundName, prefix, true)) return false;
  return std::all_of(FoundName.begin() + prefix.size(), FoundName.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

std::string LeftoverPath(const std::string& DestFile, const std::string& FoundName) {
  return DestFile.substr(0, DestFile.size() - UrlFileName(DestFile).size()) + FoundName;
}

uint32_t DownloadChunkSize(uint32_t Length) {
  return std::clamp<uint32_t>(Length / 10, 1, kReadBufferSize);
}

ProgressRange DownloadProgressRange(uint32_t Length) {
  const uint32_t chunk = DownloadChunkSize(Length);
  const uint32_t chunks = Length / chunk + (Length % chunk != 0 ? 1 : 0);
  return {1, static_cast<int32_t>(chunks + 1)};
}

bool MeterInKB(uint32_t Length) { return Length > 102400; }
bool MeterInMB(uint32_t Length) { return Length > 10485760; }

bool IsCompleteDownload(uint64_t Size, uint32_t Length, bool EndReached) {
  return Length == kUnknownLength ? EndReached : Size == Length;
}

uint32_t DosDateTimeOf(int Year, int Month, int Day, int Hour, int Minute, int Second) {
  const bool valid = Year >= 1980 && Year <= 2107 && Month >= 1 && Month <= 12 && Day >= 1 &&
                     Day <= 31 && Hour >= 0 && Hour <= 23 && Minute >= 0 && Minute <= 59 &&
                     Second >= 0 && Second <= 59;
  if (!valid) return 0;
  const uint32_t date = (static_cast<uint32_t>(Year - 1980) << 9) | (Month << 5) | Day;
  const uint32_t time = (static_cast<uint32_t>(Hour) << 11) | (Minute << 5) | (Second / 2);
  return (date << 16) | time;
}

std::string UnableToInitializeText() { return "Unable to initialize \"WinINet.dll\""; }

std::string UnableToOpenText(const std::string& URL) {
  return "Unable to open Internet Connection: " + URL;
}

std::string FileNotFoundText(const std::string& URL) { return URL + " --- File Not Found !"; }

std::string DownloadErrorText(const std::string& FileName, const std::string& Detail) {
  return WithDetail(FileName + " --- Error downloading file", Detail);
}

std::string DownloadAbortedText() { return "Download Aborted"; }

std::string TooLongForMemoryDetail() {
  return "More than " + std::to_string(kLongestDownloadInMemory >> 20) + " MB of data";
}

std::string IncompleteDetail(uint64_t Received, uint32_t Length) {
  return "received " + std::to_string(Received) + " of " + std::to_string(Length) + " bytes";
}

std::string ReplaceFailedText(const std::string& DestFile, const std::string& Detail) {
  return WithDetail("Unable to replace " + DestFile, Detail);
}

std::string FileSizeLine(int64_t Size, const std::string& URL) {
  return "HTTP_GetFileSize=" + std::to_string(Size) + "  " + URL;
}

std::string DownloadFailureLine(const std::string& ErrorText) {
  return " HTTP_DownloadFile_Incremental: " + ErrorText;
}

}  // namespace inethttp
