// Geometry of the message box: how big the text is, how wide the text control must be for bold
// text, how big the box is and where it and its parts stand. Pixel arithmetic only; the window
// code supplies the measured extents.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace komsgbox {

struct Size {
  int cx = 0;
  int cy = 0;
};

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Left band with the icon, button strip and buttons.
constexpr int kBandWidth = 54;
constexpr int kStripHeight = 36;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 23;
constexpr int kMaxTextWidth = 600;
constexpr int kMinBoxWidth = 360;

// Height of one text line: tmHeight + tmExternalLeading, one more for "MS PGothic", whose lines
// the text control sets a pixel further apart.
int LineHeight(int tmHeight, int tmExternalLeading, const std::string& fontName);

// The lines of the plain text that take room: split at CR LF, without a last empty line; an
// empty text is measured as " ".
std::vector<std::string> MeasuredLines(const std::string& plain);

// Width and height of the text from the pixel width of each measured line: the widest line plus
// 10, at most 600; a line wider than 600 counts as as many lines of 600 as it fills.
Size MeasureText(const std::vector<int>& lineWidths, int lineHeight);

// The height the text control needs at a width that fits the text: the measured height, and
// one line more after a final line break (a heading's text ends with one). The control counts
// that last empty line, the measure leaves it out because it shows nothing.
int FitHeight(const std::string& plain, int measuredHeight, int lineHeight);

// What the text control asked for when set to a width (EN_REQUESTRESIZE).
using RequestSizeAt = std::function<Size(int width)>;

// Width of a text control holding bold text, which is wider than the measure: tries the widths
// width, width + 10, ... width + 200 and takes the first at which the control needs no more than
// height (its FitHeight). When none fits: the widest width asked for (at least width) plus 10.
int SearchBoldWidth(int width, int height, const RequestSizeAt& requestAt);

// Outer size of the box for a text control of the given size.
Size BoxSize(Size control, int cxFrame, int cyFrame, int cyCaption);

// Top-left corner that centres a box of the given size in the work area.
Rect CentreIn(const Rect& workArea, Size box);

// Place of the text control in the client area: centred right of the band and above the strip,
// stretched down to just above the strip.
Rect TextControlPlace(Size client, Size control);

// Place of button index of count: the rightmost stands 80 from the right edge, the others
// touch it to the left.
Rect ButtonPlace(Size client, int index, int count);

}  // namespace komsgbox
