#include "ui/MsgBoxLayout.h"

#include <algorithm>

#include "sys/UtilsText.h"

namespace komsgbox {
namespace {

constexpr int kTextSlack = 10;
constexpr int kWidthSteps = 21;
constexpr int kWidthStep = 10;
constexpr int kWideMargin = 64;  // beside a narrow text control
constexpr int kNarrowWidth = 200;
constexpr int kMargin = 32;
constexpr int kTallMargin = 45;  // above and below a low text control
constexpr int kLowHeight = 39;
constexpr int kButtonRightGap = 80;
constexpr int kButtonTopFromBottom = 29;
constexpr int kTextBottomGap = 39;

}  // namespace

int LineHeight(int tmHeight, int tmExternalLeading, const std::string& fontName) {
  const int extra = sys::SameText(fontName, "MS PGothic") ? 1 : 0;
  return tmHeight + tmExternalLeading + extra;
}

std::vector<std::string> MeasuredLines(const std::string& plain) {
  const std::string text = plain.empty() ? " " : plain;
  std::vector<std::string> lines;
  size_t from = 0;
  for (size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2)
    lines.push_back(text.substr(from, at - from));
  if (from < text.size()) lines.push_back(text.substr(from));
  return lines;
}

Size MeasureText(const std::vector<int>& lineWidths, int lineHeight) {
  Size size;
  for (int cx : lineWidths) {
    size.cx = std::max(size.cx, cx + kTextSlack);
    size.cy += (cx / kMaxTextWidth + 1) * lineHeight;
  }
  size.cx = std::min(size.cx, kMaxTextWidth);
  return size;
}

int FitHeight(const std::string& plain, int measuredHeight, int lineHeight) {
  return measuredHeight + (sys::EndsWith(plain, "\r\n") ? lineHeight : 0);
}

int SearchBoldWidth(int width, int height, const RequestSizeAt& requestAt) {
  int widest = width;
  for (int i = 0; i < kWidthSteps; ++i) {
    const int tried = width + kWidthStep * i;
    const Size needed = requestAt(tried);
    if (needed.cy <= height) return tried;
    widest = std::max(widest, needed.cx);
  }
  return widest + kTextSlack;
}

Size BoxSize(Size control, int cxFrame, int cyFrame, int cyCaption) {
  const int hMargin = control.cx < kNarrowWidth ? kWideMargin : kMargin;
  const int vMargin = control.cy < kLowHeight ? kTallMargin : kMargin;
  Size box;
  box.cx = std::max(kMinBoxWidth, control.cx + kBandWidth + 2 * hMargin + 2 * cxFrame);
  box.cy = control.cy + kStripHeight + 2 * vMargin + 2 * cyFrame + cyCaption;
  return box;
}

Rect CentreIn(const Rect& workArea, Size box) {
  return Rect{workArea.left + (workArea.width - box.cx) / 2,
              workArea.top + (workArea.height - box.cy) / 2, box.cx, box.cy};
}

Rect TextControlPlace(Size client, Size control) {
  Rect place;
  place.left = kBandWidth + (client.cx - kBandWidth - control.cx) / 2;
  place.top = (client.cy - kStripHeight - control.cy) / 2;
  place.width = control.cx;
  place.height = client.cy - place.top - kTextBottomGap;
  return place;
}

Rect ButtonPlace(Size client, int index, int count) {
  const int fromRight = count - 1 - index;
  return Rect{client.cx - kButtonRightGap - kButtonWidth * fromRight,
              client.cy - kButtonTopFromBottom, kButtonWidth, kButtonHeight};
}

}  // namespace komsgbox
