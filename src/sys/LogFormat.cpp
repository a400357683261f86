// This file must contain only truly operating-system independent code.
#include "sys/LogFormat.h"


namespace kodebug {

std::string LogFileNameFor(const std::string& exePath) {
  size_t slash = exePath.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? std::string() : exePath.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? exePath : exePath.substr(slash + 1);
  if (name.compare(0, 2, "X_") != 0) name = "X_" + name;
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return folder + name + ".log";
}

std::string FormatLogLine(const std::string& stamp, uint32_t threadId, const std::string& marker,
                          const std::string& message) {
  std::string id = std::to_string(threadId);
  if (id.size() < 5) id.insert(0, 5 - id.size(), ' ');
  return stamp + " " + id + marker + message + "\r\n";
}

}  // namespace kodebug
