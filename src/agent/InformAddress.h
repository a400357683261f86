// Which web address of a notice may be handed to the shell. The address comes with the .info
// file from the update server, and the shell opens whatever it is given: a program path, a
// share, a file: or script: address, or a quote that ends the browser's argument early would
// all start something other than a browser at a page. Only plain http and https addresses are
// opened; any other counts as no address at all.
#pragma once

#include <string>

namespace au {

// "http://" or "https://" (letter case ignored), at least one character of host, and nothing but
// printable ASCII without blanks and double quotes.
bool IsOpenableWebAddress(const std::string& Address);

// The address a notice uses: the trimmed one when it may be opened, otherwise empty.
std::string OpenableWebAddress(const std::string& Address);

}  // namespace au
