// How big the text control gets: the text measured line by line in the box font, and for bold
// text (wider than that measure) the width at which the control itself says the text fits.
// This file must contain only Win32 code.
#include "ui/MsgBoxWindow.h"

#include <richedit.h>

namespace komsgbox {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kRichEditTabTwips = 720;  // the rich-edit control's default tab stops: half an inch
constexpr int kEditTabChars = 8;        // the edit control's: eight average characters

// A device context of the box window with the box font selected, for as long as it is needed.
class FontDc {
 public:
  FontDc(HWND wnd, HFONT font) : wnd_(wnd), dc_(::GetDC(wnd)) { old_ = ::SelectObject(dc_, font); }
  ~FontDc() {
    ::SelectObject(dc_, old_);
    ::ReleaseDC(wnd_, dc_);
  }
  FontDc(const FontDc&) = delete;
  FontDc& operator=(const FontDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
  HGDIOBJ old_;
};

// Tabs are measured at the stops the control will use; a tab measured as one narrow glyph would
// make the line that holds it (the <T> of a table-like message) wrap in the control.
int TabInterval(HDC dc, const TEXTMETRICA& metrics, bool richEdit) {
  if (!richEdit) return kEditTabChars * metrics.tmAveCharWidth;
  return ::MulDiv(kRichEditTabTwips, ::GetDeviceCaps(dc, LOGPIXELSX), kTwipsPerInch);
}

int LineWidth(HDC dc, const std::string& line, int tabInterval) {
  if (line.empty()) return 0;
  const DWORD extent =
      ::GetTabbedTextExtentA(dc, line.c_str(), static_cast<int>(line.size()), 1, &tabInterval);
  return LOWORD(extent);
}

struct Measure {
  Size text;
  int lineHeight = 0;
};

Measure MeasureInBoxFont(const Box& box, const std::string& plain) {
  const FontDc dc(box.window, static_cast<HFONT>(box.font.Get()));
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(dc.Get(), &metrics);
  const int tabInterval = TabInterval(dc.Get(), metrics, box.richEdit);
  std::vector<int> widths;
  for (const std::string& line : MeasuredLines(plain))
    widths.push_back(LineWidth(dc.Get(), line, tabInterval));
  Measure measure;
  measure.lineHeight = LineHeight(metrics.tmHeight, metrics.tmExternalLeading, box.fontName);
  measure.text = MeasureText(widths, measure.lineHeight);
  return measure;
}

void Resize(HWND control, int width, int height) {
  ::SetWindowPos(control, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The control answers EM_REQUESTRESIZE with EN_REQUESTRESIZE, which the box window records.
// Without an answer the size asked for stays 0 by 0, and the width tried is taken.
Size RequestSizeFor(Box& box, int width, int height) {
  Resize(box.text, width, height);
  box.requested = Size{};
  ::SendMessageA(box.text, EM_REQUESTRESIZE, 0, 0);
  return box.requested;
}

}  // namespace

Size TextControlSize(Box& box, const MarkedText& text) {
  const Measure measure = MeasureInBoxFont(box, text.plain);
  Size control{measure.text.cx + 10, measure.text.cy};
  if (box.richEdit && !text.bold.empty()) {
    const int fit = FitHeight(text.plain, control.cy, measure.lineHeight);
    control.cx = SearchBoldWidth(control.cx, fit, [&box, &control](int width) {
      return RequestSizeFor(box, width, control.cy);
    });
  }
  Resize(box.text, control.cx, control.cy);
  return control;
}

}  // namespace komsgbox
