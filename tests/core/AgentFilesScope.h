// Test fixture: for the life of a scope, the agent reads its update description files through the
// given INI functions, in the given folder, named by the given descriptor; everything is put back
// (and the override bytes reset) when the scope ends.
#pragma once

#include <string>

#include "agent/AgentHost.h"
#include "agent/TransientFlags.h"
#include "agent/UpdateFilePaths.h"
#include "agent/UpdateFilesIni.h"
#include "pack/GFileInfo.h"

class AgentFilesScope {
 public:
  AgentFilesScope(const au::IniAccess& access, const std::string& folder, TGFileInfo* descriptor)
      : previousAccess_(au::SetIniAccess(access)), previousInfo_(au::AgentPackage()) {
    au::SetAgentPackage(descriptor);
    au::SetAgentFolder(folder);
    au::ResetTransientFlags();
  }
  ~AgentFilesScope() {
    au::ResetTransientFlags();
    au::SetAgentFolder("");
    au::SetAgentPackage(previousInfo_);
    au::SetIniAccess(previousAccess_);
  }
  AgentFilesScope(const AgentFilesScope&) = delete;
  AgentFilesScope& operator=(const AgentFilesScope&) = delete;

 private:
  au::IniAccess previousAccess_;
  const TGFileInfo* previousInfo_;
};
