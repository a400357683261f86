// Reading back who may open a folder, for tests of folders that must be private.
#pragma once

#include <string>
#include <vector>

namespace testkit {

struct FolderAccess {
  bool read = false;                 // the security descriptor could be read
  bool isProtected = false;          // the parent's entries do not apply
  bool ownedBySetup = false;         // owned by the running user or the Administrators group
  std::vector<std::string> allowed;  // "S-1-..." of each access-allowed entry, in order
  int otherEntries = 0;              // entries of any other kind (denials, audits)
};

FolderAccess ReadFolderAccess(const std::string& path);

// The running user's "S-1-..." form; SYSTEM and Administrators for comparison.
std::string CurrentUserSid();
constexpr char kSystemSid[] = "S-1-5-18";
constexpr char kAdministratorsSid[] = "S-1-5-32-544";

}  // namespace testkit
