// Drives the stub's message box (window class "KoMsgBox") from outside, as a user would: waits
// for it, reads what it shows and answers it. The box may belong to another process (a stub
// under test) or to this one (shown by the test's main thread while another thread drives it);
// nothing here pumps messages, so a driving thread needs no window of its own.
#pragma once

#include <string>
#include <vector>

#include "sys/Platform.h"

namespace testkit {

struct BoxButton {
  HWND window = nullptr;
  std::string caption;
  RECT place{};  // in the box's client area
  bool isDefault = false;
  bool focused = false;
  int code = 0;  // the result code the button answers
};

struct BoxTextRun {
  int start = 0;  // character offsets in the control's text, CR LF counting as two
  int end = 0;
  bool operator==(const BoxTextRun& other) const {
    return start == other.start && end == other.end;
  }
};

struct BoxReport {
  HWND window = nullptr;
  std::string caption;
  RECT frame{};  // screen coordinates
  SIZE client{};
  bool topmost = false;
  HWND textControl = nullptr;
  std::string text;  // as the text control holds it
  std::vector<BoxTextRun> bold;
  std::string textClass;  // "RichEdit" or "Edit"
  RECT textPlace{};       // in the client area
  bool textRightAligned = false;
  bool textRightToLeft = false;
  std::vector<BoxButton> buttons;  // left to right
  int closeState = -1;             // 1 greyed, 0 enabled, -1 unknown (another process's menu)
  HWND owner = nullptr;
  bool ownerEnabled = false;
  std::string fontFace;  // of the box font; empty when it belongs to another process
  int fontHeight = 0;

  int Width() const { return frame.right - frame.left; }
  int Height() const { return frame.bottom - frame.top; }
  // Captions without "&", left to right.
  std::vector<std::string> ButtonNames() const;
  // Index of the default button, -1 when none.
  int DefaultButton() const;
  // The text of the bold runs, one item per run.
  std::vector<std::string> BoldTexts() const;
  // Everything above, one fact per line, for a person or a failure message.
  std::string Describe() const;
};

enum class BoxAction { kButton, kKey, kAltKey, kClose, kNothing };

struct BoxAnswer {
  BoxAction action = BoxAction::kNothing;
  std::string button;  // kButton: caption with or without "&", letter case ignored
  UINT key = 0;        // kKey, kAltKey: virtual-key code

  static BoxAnswer Click(const std::string& caption) { return {BoxAction::kButton, caption, 0}; }
  static BoxAnswer Key(UINT vk) { return {BoxAction::kKey, "", vk}; }
  static BoxAnswer Alt(UINT vk) { return {BoxAction::kAltKey, "", vk}; }
  static BoxAnswer Escape() { return Key(VK_ESCAPE); }
  static BoxAnswer Close() { return {BoxAction::kClose, "", 0}; }
  static BoxAnswer Nothing() { return {}; }
};

// "button:Yes", "key:Y" (a letter or digit, or Enter, Escape, Tab, Left, Right, Up, Down),
// "alt:N", "escape", "close" or "none". False for anything else.
bool ParseBoxAnswer(const std::string& text, BoxAnswer& answer);

// Waits until a box (of the process, when processId is not 0) is laid out and waiting for the
// user; nullptr on time-out.
HWND WaitForBox(unsigned timeoutMs, DWORD processId = 0);
// The same for a top-level window of another class built the same way (the inform window).
HWND WaitForWindowOfClass(const std::string& className, unsigned timeoutMs, DWORD processId = 0);
// The same for a top-level window with that exact title, whatever its class (a setup's progress
// window, whose class is the setup's path).
HWND WaitForWindowTitled(const std::string& title, unsigned timeoutMs, DWORD processId = 0);
// Reads what the box shows. False when the box is gone.
bool ReadBox(HWND box, BoxReport& report);
// Clicks a button, types a key (as key-down and key-up, so the box's loop sees what a keyboard
// would give it), asks for the Close command, or does nothing. False when the answer cannot be
// given (no such button, box gone).
bool AnswerBox(HWND box, const BoxAnswer& answer);
// Waits until the box window is destroyed.
bool WaitForBoxGone(HWND box, unsigned timeoutMs);
// Saves the box (frame included) as it is on screen into a 24-bit .bmp file.
bool SaveBoxImage(HWND box, const std::string& bmpPath);

}  // namespace testkit
