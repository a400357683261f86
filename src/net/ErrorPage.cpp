#include "net/ErrorPage.h"

#include <initializer_list>
#include <utility>

#include "sys/Files.h"
#include "sys/Host.h"
#include "sys/UtilsText.h"

namespace inethttp {
namespace {

// The beginning of the downloaded data: from the file when one is named and present, since a
// disk download leaves Text empty.
std::string PageHead(const std::string& FileName, const std::string& Text) {
  if (!FileName.empty() && sys::FileExists(FileName))
    return sys::ReadFileToString(FileName, kErrorPageWindow);
  return Text.substr(0, kErrorPageWindow);
}

// True when every position is found and each stands before the next.
bool InOrder(std::initializer_list<size_t> positions) {
  size_t previous = 0;
  for (size_t at : positions) {
    if (at == 0 || at <= previous) return false;
    previous = at;
  }
  return true;
}

// "404" in the page title.
bool TitleSays404(const std::string& head) {
  return InOrder({sys::PosNoCase(head, "<TITLE"), sys::PosNoCase(head, "404"),
                  sys::PosNoCase(head, "</TITLE>")});
}

// The data begins like any HTML document. None of the files this stub downloads is one, so such
// a page is the server's own answer, whatever its title says.
bool BeginsLikeHtml(const std::string& head) {
  return InOrder({sys::PosNoCase(head, "<HTML>"), sys::PosNoCase(head, "<HEAD>"),
                  sys::PosNoCase(head, "<TITLE>"), sys::PosNoCase(head, "</TITLE>")});
}

}  // namespace

bool IsHtmlErrorPage(const std::string& FileName, const std::string& Text) {
  const std::string head = PageHead(FileName, Text);
  return TitleSays404(head) || BeginsLikeHtml(head);
}

void ErrorPageMessage(const std::string& FileName, const std::string& Text,
                      const std::string& URL, std::string& Message, const std::string& Default) {
  // Built aside first: Message may be the very string passed as URL or Default.
  std::string chosen = IsHtmlErrorPage(FileName, Text)
                           ? "<B>404 File Not Found...</B><P><P>URL:  " + URL +
                                 ".<P><P>Please make sure the file is available and access is "
                                 "allowed to this file."
                           : Default;
  Message = std::move(chosen);
}

}  // namespace inethttp
