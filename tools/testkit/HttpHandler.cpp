#include "HttpHandler.h"

#include "sys/Platform.h"
#include "sys/UtilsText.h"

namespace testkit {
namespace {

// "<program> --inform-opened=<record file> <address>": appends the address, unquoted, as one line
// to the record file, then ends before any test would start.
constexpr char kRecordSwitch[] = "--inform-opened=";

void AppendLine(const std::string& path, const std::string& line) {
  const HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  const std::string data = line + "\n";
  DWORD written = 0;
  ::WriteFile(file, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
  ::CloseHandle(file);
}

[[maybe_unused]] const bool kRanAsHandler = [] {
  const std::string line = ::GetCommandLineA();
  const size_t at = line.find(kRecordSwitch);
  if (at == std::string::npos) return false;
  const std::string rest = line.substr(at + sizeof kRecordSwitch - 1);
  const size_t blank = rest.find(' ');
  AppendLine(rest.substr(0, blank),
             blank == std::string::npos ? "" : sys::Unquote(rest.substr(blank + 1)));
  ::ExitProcess(0);
  return true;
}();

std::string OwnProgram() {
  char self[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, self, sizeof self);
  return self;
}

constexpr char kKey[] = "http\\shell\\open\\command";

bool ReadDefault(std::string& value) {
  char buffer[4096] = {};
  LONG size = sizeof buffer;
  if (::RegQueryValueA(HKEY_CLASSES_ROOT, kKey, buffer, &size) != ERROR_SUCCESS) return false;
  value = buffer;
  return true;
}

bool WriteDefault(const std::string& value) {
  return ::RegSetValueA(HKEY_CLASSES_ROOT, kKey, REG_SZ, value.c_str(),
                        static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
}

}  // namespace

HttpHandlerScope::HttpHandlerScope(const std::string& recordFile) {
  had_ = ReadDefault(previous_);
  const std::string command = "\"" + OwnProgram() + "\" " + kRecordSwitch + recordFile + " \"%1\"";
  ok_ = WriteDefault(command);
}

HttpHandlerScope::~HttpHandlerScope() {
  if (had_)
    WriteDefault(previous_);
  else
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kKey);
}

}  // namespace testkit
