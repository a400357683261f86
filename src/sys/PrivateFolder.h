// Folders that only the running user, SYSTEM and the Administrators group can open: where a
// setup unpacks and starts programs, often with administrator rights, no other user may write.
// The access rule is plain text (PrivateFolder.cpp); the creation is Win32
// (PrivateFolder_win32.cpp).
#pragma once

#include <string>

namespace sys {

enum class NewFolder {
  kCreated,    // made by this call, with the private access list
  kNameTaken,  // something (folder, file or link) already has that name: it is left alone
  kFailed,     // not made for another reason (missing parent, no access)
};

// The access list of a private folder in the system's security descriptor text: full access
// for the user of userSid, for SYSTEM and for the Administrators group, passed on to the files
// and folders inside, and protected from what the parent would pass on, so no other entry
// applies. "S-1-5-21-1-2-3-1000" gives
// "D:P(A;OICI;FA;;;S-1-5-21-1-2-3-1000)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)".
std::string PrivateFolderAccessText(const std::string& userSid);

// Creates folder anew (never opening an existing one, so never through a link left at that
// name) with the private access list. The parent must exist.
NewFolder CreatePrivateFolder(const std::string& folder);

}  // namespace sys
