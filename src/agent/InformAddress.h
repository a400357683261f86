// Which web address of a notice may be handed to the shell. The address comes with the .info
// file from the update server, and the shell opens whatever it is given: a program path, a
// share, a file: or script: address, or a quote that ends the browser's argument early would
// all start something other than a browser at a page. Only plain http and https addresses are
// opened; an address without a scheme ("www.example.com/news") is a web address too and gets
// "http://"; any other scheme counts as no address at all.
#pragma once

#include <string>

namespace au {

// "http://" or "https://" (letter case ignored), at least one character of host, and nothing but
// printable ASCII without blanks and double quotes.
bool IsOpenableWebAddress(const std::string& Address);

// The address a notice uses: the trimmed one when it may be opened; "http://" and the trimmed
// one when it has no scheme, begins with a letter or digit as a host name does and may then be
// opened ("www.example.com:8080/a" gives "http://www.example.com:8080/a"); otherwise empty
// ("mailto:a@example.com", "file:///C:/x", "C:\x", "\\server\share" all give "").
std::string OpenableWebAddress(const std::string& Address);

// What a notice does with its text and its address (WebAddress as the .info file gives it).
enum class NoticeShow {
  kWindow,   // the text in the inform window, with a button when there is an address
  kOpen,     // no text: the address goes to the shell at once
  kRefused,  // no text, and an address that is not opened: nothing happens
  kNothing,  // neither text nor address
};
struct NoticePlan {
  NoticeShow show = NoticeShow::kNothing;
  std::string address;  // the address to open (OpenableWebAddress); empty for none
  // The notice is done with: the installed version may become the announced one, so that it
  // is not offered again. A refused address is the publisher's mistake, and a notice that
  // showed nothing for it would come back at every check.
  bool countsAsShown = false;
};
NoticePlan PlanNotice(bool HasBody, const std::string& WebAddress);

}  // namespace au
