// A full-path rule for tests of path resolution: relative paths lie under a given current
// folder, "." and ".." parts are resolved, and a path that climbs above its drive fails (empty).
#pragma once

#include <string>

inline std::string FakeFullPath(const std::string& Path, const std::string& CurrentFolder) {
  std::string path = Path.size() > 1 && Path[1] == ':' ? Path : CurrentFolder + "\\" + Path;
  std::string result;
  for (size_t start = 0; start <= path.size();) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      size_t cut = result.rfind('\\');
      if (cut == std::string::npos) return std::string();
      result.erase(cut);
    } else if (part != "." && !part.empty()) {
      result += (result.empty() ? "" : "\\") + part;
    }
    start = end + 1;
  }
  return result;
}
