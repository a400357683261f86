// The names under which the program runs: user, computer and the user account's domain.
// Win32 (Accounts_win32.cpp); each is empty when Windows cannot give it.
#pragma once

#include <string>

namespace sys {

// The logged-on user's name, trimmed.
std::string CurrentUserName();
// The NetBIOS name of this computer, trimmed.
std::string ComputerName();
// The domain (or, for a local account, the computer) that holds the user's account.
std::string UserDomainName();

}  // namespace sys
