// What a message box showed, in the forms tests compare and people read.
#include "BoxDriver.h"

#include <cstdio>

#include "sys/UtilsText.h"

namespace testkit {
namespace {

std::string Printed(const char* format, long a, long b, long c, long d) {
  char line[96];
  std::snprintf(line, sizeof line, format, a, b, c, d);
  return line;
}

std::string PlaceText(const RECT& r) {
  return Printed("%ld,%ld %ldx%ld", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Line breaks and tabs visible, so that one fact stays on one line.
std::string Escaped(const std::string& text) {
  std::string out = sys::ReplaceText(text, "\r", "\\r");
  out = sys::ReplaceText(out, "\n", "\\n");
  return sys::ReplaceText(out, "\t", "\\t");
}

std::string RunsText(const std::vector<BoxTextRun>& runs) {
  std::string out;
  for (const BoxTextRun& run : runs)
    out += (out.empty() ? "" : ", ") + std::to_string(run.start) + "-" + std::to_string(run.end);
  return out.empty() ? "none" : out;
}

std::string ButtonLine(const BoxButton& b) {
  std::string line = "button: \"" + b.caption + "\" answers " + std::to_string(b.code) + " at " +
                     PlaceText(b.place);
  if (b.isDefault) line += ", default";
  if (b.focused) line += ", focused";
  return line + "\n";
}

std::string TextControlLine(const BoxReport& r) {
  std::string line = "text control: " + r.textClass + " at " + PlaceText(r.textPlace);
  if (r.textRightAligned) line += ", right-aligned";
  if (r.textRightToLeft) line += ", right-to-left";
  return line + "\n";
}

const char* CloseText(int state) {
  return state == 1 ? "greyed" : state == 0 ? "enabled" : "unknown";
}

}  // namespace

std::vector<std::string> BoxReport::ButtonNames() const {
  std::vector<std::string> names;
  for (const BoxButton& b : buttons) names.push_back(sys::ReplaceText(b.caption, "&", ""));
  return names;
}

int BoxReport::DefaultButton() const {
  for (size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i].isDefault) return static_cast<int>(i);
  return -1;
}

std::vector<std::string> BoxReport::BoldTexts() const {
  std::vector<std::string> texts;
  for (const BoxTextRun& run : bold)
    if (run.start >= 0 && run.start < run.end && run.end <= static_cast<int>(text.size()))
      texts.push_back(text.substr(run.start, run.end - run.start));
  return texts;
}

std::string BoxReport::Describe() const {
  std::string out = "caption: " + caption + "\n";
  out += "frame: " + PlaceText(frame) + ", client " + std::to_string(client.cx) + "x" +
         std::to_string(client.cy) + (topmost ? ", topmost" : "") + "\n";
  out += "text: \"" + Escaped(text) + "\"\n";
  out += "bold: " + RunsText(bold) + "\n";
  out += TextControlLine(*this);
  for (const BoxButton& b : buttons) out += ButtonLine(b);
  out += std::string("close command: ") + CloseText(closeState) + "\n";
  out += "owner: " + std::string(owner ? (ownerEnabled ? "enabled" : "disabled") : "none") + "\n";
  if (!fontFace.empty()) out += "font: " + fontFace + " " + std::to_string(fontHeight) + "\n";
  return out;
}

}  // namespace testkit
