// This file must contain only truly operating-system independent code.
#include "sys/SelfDeleteBatch.h"

namespace sys {
namespace {

constexpr const char kLineEnd[] = "\r\n";
// Characters that split or redirect an unquoted argument of cmd.
constexpr const char kUnsafeUnquoted[] = " \t&|<>^(),;=";

bool IsDriveRootFolder(const std::string& folder) {
  return folder.empty() || (folder.size() == 2 && folder[1] == ':');
}

std::string DoublePercents(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

}  // namespace

std::string FolderOfFile(const std::string& path) {
  const size_t separator = path.find_last_of('\\');
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string BatchArgument(const std::string& path, bool quote) {
  const bool needsQuotes = quote || path.find_first_of(kUnsafeUnquoted) != std::string::npos;
  const std::string escaped = DoublePercents(path);
  return needsQuotes ? '"' + escaped + '"' : escaped;
}

std::string SelfDeleteBatchText(const SelfDeleteBatch& batch) {
  const std::string exe = BatchArgument(batch.exePath, batch.quoteNames);
  std::string text = std::string(":START") + kLineEnd;
  text += "DEL " + exe + kLineEnd;
  text += "IF exist " + exe + " GOTO START" + kLineEnd;
  if (batch.removeFolder && !IsDriveRootFolder(batch.exeFolder))
    text += "RD " + BatchArgument(batch.exeFolder, batch.quoteNames) + kLineEnd;
  text += "DEL " + BatchArgument(batch.batchPath, batch.quoteNames) + kLineEnd;
  return text;
}

}  // namespace sys
