// This file must contain only Win32 code.
#include "sys/ExeVersion.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "sys/Host.h"
#include "sys/LibraryEntry.h"
#include "sys/Platform.h"
#include "sys/SysError.h"
#include "sys/UtilsText.h"
#include "sys/VersionText.h"

namespace sys {
namespace {

constexpr DWORD kMinimumResourceBuffer = 16384;

using InfoSizeFn = DWORD(WINAPI*)(LPCSTR, LPDWORD);
using InfoFn = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, LPVOID);
using QueryValueFn = BOOL(WINAPI*)(LPCVOID, LPCSTR, LPVOID*, PUINT);

// VERSION.dll is no "known DLL": bound once from the system folder, so that no copy beside the
// program is loaded. A missing entry point makes the reading fail like a missing resource.
struct VersionFunctions {
  InfoSizeFn infoSize;
  InfoFn info;
  QueryValueFn queryValue;
};

const VersionFunctions& Version() {
  static const VersionFunctions bound = {
      EntryPointAs<InfoSizeFn>(LibraryEntryPoint("version.dll", "GetFileVersionInfoSizeA")),
      EntryPointAs<InfoFn>(LibraryEntryPoint("version.dll", "GetFileVersionInfoA")),
      EntryPointAs<QueryValueFn>(LibraryEntryPoint("version.dll", "VerQueryValueA"))};
  return bound;
}

BOOL QueryValue(const std::vector<char>& Data, const char* Block, void** Value, UINT* Size) {
  return Version().queryValue && Version().queryValue(Data.data(), Block, Value, Size);
}

// The whole version resource of File; false with the system's error code when there is none.
bool ReadVersionResource(const std::string& File, std::vector<char>& Data, DWORD& Error) {
  const VersionFunctions& version = Version();
  Error = ERROR_PROC_NOT_FOUND;
  if (!version.infoSize || !version.info) return false;
  DWORD ignored = 0;
  DWORD size = version.infoSize(File.c_str(), &ignored);
  Error = ::GetLastError();
  if (size == 0) return false;
  Data.assign(std::max(size, kMinimumResourceBuffer), 0);
  bool read = version.info(File.c_str(), 0, static_cast<DWORD>(Data.size()), Data.data());
  Error = ::GetLastError();
  return read;
}

bool ResourceOfFile(const std::string& File, const char* Place, std::vector<char>& Data) {
  DWORD error = 0;
  if (ReadVersionResource(File, Data, error)) return true;
  LogFailure(Place, File, error);
  return false;
}

std::string Normalized(const std::string& Version, int Width, int Parts) {
  return Width > 1 || Parts < 4 ? NormalizeVersion(Version, Width, Parts) : Version;
}

std::string FixedFileVersion(const std::vector<char>& Data) {
  VS_FIXEDFILEINFO* info = nullptr;
  UINT size = 0;
  if (!QueryValue(Data, "\\", reinterpret_cast<void**>(&info), &size) || !info ||
      size < sizeof(VS_FIXEDFILEINFO))
    return std::string();
  return std::to_string(HIWORD(info->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(info->dwFileVersionLS)) + "." +
         std::to_string(LOWORD(info->dwFileVersionLS));
}

// Four lower-case hexadecimal digits, as the version resource names its blocks. (No snprintf:
// the C99 printf of mingw-w64 would bring its whole floating-point formatting into the stub.)
std::string Hex4(WORD Value) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text(4, '0');
  for (int i = 3; i >= 0; --i, Value = static_cast<WORD>(Value >> 4)) text[i] = kDigits[Value & 15];
  return text;
}

// "\StringFileInfo\<language><code page>\ProductVersion" of the first translation.
std::string ProductVersionBlock(const std::vector<char>& Data) {
  struct Translation {
    WORD Language, CodePage;
  }* first = nullptr;
  UINT size = 0;
  if (!QueryValue(Data, "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&first), &size) ||
      !first || size < sizeof(Translation))
    return std::string();
  return "\\StringFileInfo\\" + Hex4(first->Language) + Hex4(first->CodePage) +
         "\\ProductVersion";
}

bool QueryStringValue(const std::vector<char>& Data, const std::string& Block,
                      std::string& Value) {
  char* text = nullptr;
  UINT length = 0;
  bool found =
      QueryValue(Data, Block.c_str(), reinterpret_cast<void**>(&text), &length) && text;
  if (found) Value.assign(text, ::strnlen(text, length));
  LogValueReport("QueryValue", Block, Value, std::to_string(length));
  return found;
}

}  // namespace

std::string GetExeVersion(const std::string& File, int Width, int Parts) {
  const char* place = "Utils.GetExeVersion()";
  std::string file = File.empty() ? ProgramPath() : File;
  std::vector<char> data;
  if (!ResourceOfFile(file, place, data)) return std::string();
  std::string version = FixedFileVersion(data);
  if (version.empty()) {
    LogFailureMessage(place, file, "no fixed file version in the version resource");
    return std::string();
  }
  return Normalized(version, Width, Parts);
}

std::string GetProductVersion(const std::string& File, int Width, int Parts) {
  const char* place = "Utils.GetProductVersion()";
  std::string file = File.empty() ? ProgramPath() : File;
  std::vector<char> data;
  if (!ResourceOfFile(file, place, data)) return std::string();
  std::string block = ProductVersionBlock(data);
  std::string value;
  if (block.empty() || !QueryStringValue(data, block, value)) {
    LogFailureMessage(place, file, "no product version in the version resource");
    return std::string();
  }
  return Normalized(ReplaceChar(value, ',', '.'), Width, Parts);
}

}  // namespace sys
