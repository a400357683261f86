#include "Artifacts.h"

#include "sys/Platform.h"

namespace testkit {

std::string ArtifactPath(const std::string& name) {
  char exe[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string folder = exe;
  folder = folder.substr(0, folder.find_last_of('\\'));  // the build tree
  folder = folder.substr(0, folder.find_last_of('\\')) + "\\artifacts";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\" + name;
}

}  // namespace testkit
