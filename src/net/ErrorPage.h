// Detection of the HTML page that a web server sends in place of a missing or blocked file. The
// download itself succeeds then, so the callers test the result and report a missing file
// instead of a confusing later failure.
#pragma once

#include <cstddef>
#include <string>

namespace inethttp {

// Only the beginning of a download is examined: an error page shows itself in its first lines.
constexpr size_t kErrorPageWindow = 1000;

// True when the data looks like an HTML error page. The data is the first kErrorPageWindow
// bytes of FileName when FileName is not empty and names an existing file, otherwise the first
// kErrorPageWindow characters of Text. It counts as an error page when "404" stands between
// "<TITLE" and "</TITLE>", or when "<HTML>", "<HEAD>", "<TITLE>" and "</TITLE>" come in this
// order; tags are compared without regard to case, each by its first occurrence.
bool IsHtmlErrorPage(const std::string& FileName, const std::string& Text);

// Message = the "404 File Not Found" box text (mark-up) naming URL when IsHtmlErrorPage holds
// for FileName and Text; otherwise Message = Default.
void ErrorPageMessage(const std::string& FileName, const std::string& Text,
                      const std::string& URL, std::string& Message, const std::string& Default);

}  // namespace inethttp
