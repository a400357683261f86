// This file must contain only truly operating-system independent code.
#include "PackSources.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "sys/UtilsText.h"

namespace fs = std::filesystem;

namespace stubpack {
namespace {

std::string BackslashSeparated(std::string name) {
  std::replace(name.begin(), name.end(), '/', '\\');
  return name;
}

bool HasParentStep(const std::string& target) {
  size_t start = 0;
  for (;;) {
    const size_t end = target.find('\\', start);
    if (target.substr(start, end - start) == "..") return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

std::string FileNameOf(const std::string& path) {
  const size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(fs::path(path), ec);
}

// The relative path of a folder entry, "\" between its parts.
std::string TargetBelow(const fs::path& folder, const fs::path& file) {
  std::string target;
  for (const fs::path& part : file.lexically_relative(folder)) {
    if (!target.empty()) target += '\\';
    target += part.string();
  }
  return target;
}

}  // namespace

bool ValidateTargetName(const std::string& target, std::string& error) {
  const char* problem = nullptr;
  if (target.empty())
    problem = "is empty";
  else if (target.find_first_of(std::string("|*\0", 3)) != std::string::npos)
    problem = "may not contain \"|\", \"*\" or a zero byte";
  else if (target.find(':') != std::string::npos || target[0] == '\\')
    problem = "must be relative to the destination folder";
  else if (HasParentStep(target) || target.back() == '\\')
    problem = "must name a file inside the destination folder";
  if (problem == nullptr) return true;
  error = "target name \"" + target + "\" " + problem;
  return false;
}

bool ParseFileArgument(const std::string& argument, PackFile& file, std::string& error) {
  const size_t equals = argument.rfind('=');
  if (IsRegularFile(argument) || equals == std::string::npos) {
    file.source = argument;
    file.target = FileNameOf(argument);
  } else {
    file.source = argument.substr(0, equals);
    file.target = BackslashSeparated(argument.substr(equals + 1));
  }
  if (!IsRegularFile(file.source)) {
    error = file.source + ": no such file";
    return false;
  }
  return ValidateTargetName(file.target, error);
}

bool CollectFolder(const std::string& folder, std::vector<PackFile>& files, std::string& error) {
  std::error_code ec;
  const fs::path root(folder);
  if (!fs::is_directory(root, ec)) {
    error = folder + ": no such folder";
    return false;
  }
  std::vector<PackFile> found;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    PackFile file;
    file.source = it->path().string();
    file.target = TargetBelow(root, it->path());
    if (!ValidateTargetName(file.target, error)) return false;
    found.push_back(file);
  }
  if (ec) {
    error = folder + ": " + ec.message();
    return false;
  }
  // Letter case ignored, as the stub's file system lists names.
  std::sort(found.begin(), found.end(), [](const PackFile& a, const PackFile& b) {
    const std::string la = sys::LowerCase(a.target), lb = sys::LowerCase(b.target);
    return la != lb ? la < lb : a.target < b.target;
  });
  files.insert(files.end(), found.begin(), found.end());
  return true;
}

bool MarkRunEntry(const std::string& runEntry, std::vector<PackFile>& files, std::string& error) {
  const size_t star = runEntry.find('*');
  const std::string name = BackslashSeparated(runEntry.substr(0, star));
  const std::string params = star == std::string::npos ? std::string() : runEntry.substr(star + 1);
  if (params.find('|') != std::string::npos) {
    error = "the parameters of the run entry may not contain \"|\": " + params;
    return false;
  }
  for (PackFile& file : files) {
    if (sys::LowerCase(file.target) != sys::LowerCase(name)) continue;
    file.isRun = true;
    file.runParams = params;
    return true;
  }
  error = "--run names " + name + ", which is not among the packed files";
  return false;
}

bool ValidatePackFiles(const std::vector<PackFile>& files, std::string& error) {
  std::set<std::string> seen;
  for (const PackFile& file : files) {
    if (!ValidateTargetName(file.target, error)) return false;
    if (file.runParams.find('|') != std::string::npos) {
      error = "the parameters of the run entry may not contain \"|\": " + file.runParams;
      return false;
    }
    if (!seen.insert(sys::LowerCase(file.target)).second) {
      error = "two files would be packed as " + file.target;
      return false;
    }
  }
  return true;
}

}  // namespace stubpack
