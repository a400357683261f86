// The small mark-up of message texts: "<P>" and "\\n" break the line, "<T>" and "\\t" insert a
// tab, "<B>" ... "</B>" make a bold run. Message texts come from language data and update
// descriptions written by hand, so every text is accepted; unmatched tags simply vanish.
#pragma once

#include <string>
#include <vector>

namespace komsgbox {

// A bold run of the plain text: character offsets from 0, end excluded. The text control counts
// a line break (CR LF) as two characters, exactly as the plain text holds it.
struct BoldRun {
  int start = 0;
  int end = 0;
  bool operator==(const BoldRun& other) const { return start == other.start && end == other.end; }
};

struct MarkedText {
  std::string plain;
  std::vector<BoldRun> bold;
};

// Text with "\\n" (two backslashes and n, letter case significant) and "<P>" replaced by CR LF,
// "\\t" and "<T>" by TAB; the tags match without regard to case. Inserted text is never
// searched again.
std::string ExpandMarkup(const std::string& Text);

// The caption as the bold heading of a box without a separate title: "<<b>" + caption +
// "</b><P><P>" + Text + "<P>". The built-in captions (those occurring in
// "|Error|Attention|Confirm|") are shown in capitals, any other caption as given.
std::string WithHeading(const std::string& Text, const std::string& Caption);

// The text as the box shows it: expanded, without tags, with the bold runs found in it.
// A text beginning with "<<b>" loses its first "<" (the heading's opening); anywhere else
// "<<b>" leaves a plain "<" before a bold run. Each "<B>" pairs with the first "</B>" of what
// remains, and only when that one stands after it; otherwise nothing becomes bold.
MarkedText ParseMarkup(const std::string& Text);

}  // namespace komsgbox
