#include "ui/Markup.h"

#include <algorithm>

#include "sys/UtilsText.h"

namespace komsgbox {
namespace {

constexpr char kBuiltInCaptions[] = "|Error|Attention|Confirm|";
constexpr char kBoldOpen[] = "<B>";
constexpr char kBoldClose[] = "</B>";
constexpr size_t kBoldOpenLength = 3;
constexpr size_t kBoldCloseLength = 4;

// Removes the first "<B>" and, when the first "</B>" of the rest stands after it, that one too.
// False when no "<B>" is left.
bool TakeBoldRun(std::string& text, std::vector<BoldRun>& runs) {
  const size_t open = sys::PosNoCase(text, kBoldOpen);
  if (open == 0) return false;
  const size_t start = open - 1;
  text.erase(start, kBoldOpenLength);
  const size_t close = sys::PosNoCase(text, kBoldClose);
  if (close != 0 && close - 1 > start) {
    text.erase(close - 1, kBoldCloseLength);
    runs.push_back(BoldRun{static_cast<int>(start), static_cast<int>(close - 1)});
  }
  return true;
}

// A run is measured in the text as it was when its closing tag was found; tags nested inside it
// were still there, so it may reach past the end. The control would clamp it; the runs handed
// out stay within the text anyway.
void ClampRuns(MarkedText& text) {
  const int size = static_cast<int>(text.plain.size());
  std::vector<BoldRun> kept;
  for (BoldRun run : text.bold) {
    run.end = std::min(run.end, size);
    if (run.start < run.end) kept.push_back(run);
  }
  text.bold = kept;
}

}  // namespace

std::string ExpandMarkup(const std::string& Text) {
  std::string text = sys::ReplaceText(Text, "\\\\n", "\r\n");
  text = sys::ReplaceText(text, "\\\\t", "\t");
  text = sys::ReplaceText(text, "<P>", "\r\n", true);
  return sys::ReplaceText(text, "<T>", "\t", true);
}

std::string WithHeading(const std::string& Text, const std::string& Caption) {
  const bool builtIn = sys::PosNoCase(kBuiltInCaptions, Caption) != 0;
  const std::string heading = builtIn ? sys::UpperCase(Caption) : Caption;
  return "<<b>" + heading + "</b><P><P>" + Text + "<P>";
}

MarkedText ParseMarkup(const std::string& Text) {
  MarkedText result;
  result.plain = ExpandMarkup(Text);
  if (sys::StartsWith(result.plain, "<<b>")) result.plain.erase(0, 1);
  while (TakeBoldRun(result.plain, result.bold)) {
  }
  result.plain = sys::ReplaceText(result.plain, kBoldClose, "", true);
  ClampRuns(result);
  return result;
}

}  // namespace komsgbox
