// What every stubpack command shares: its exit codes, its one error line, and how it is asked
// for its help text.
#pragma once

#include <string>
#include <vector>

namespace stubpack {

constexpr int kOk = 0, kFailed = 1, kBadUsage = 2;

// err becomes "stubpack: " + what and a line end; the result is code.
inline int Fail(int code, const std::string& what, std::string& err) {
  err = "stubpack: " + what + "\n";
  return code;
}

// The command's only argument is --help or -h.
inline bool IsHelpRequest(const std::vector<std::string>& args) {
  return args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
}

}  // namespace stubpack
