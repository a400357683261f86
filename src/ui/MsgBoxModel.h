// What a message box shows and how it answers, apart from any window: the flags word (laid out
// as the system message box's, so callers write the familiar values), the buttons of each button
// type, the default button, and which button a key press chooses.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace komsgbox {

// Flags word.
constexpr uint32_t kButtonTypeMask = 0x0000000F;
enum ButtonType : uint32_t {
  kOkOnly = 0,
  kOkCancel = 1,
  kAbortRetryIgnore = 2,
  kYesNoCancel = 3,
  kYesNo = 4,
  kRetryCancel = 5,
};
constexpr uint32_t kIconMask = 0x000000F0;
constexpr uint32_t kIconStop = 0x10;
constexpr uint32_t kIconQuestion = 0x20;
constexpr uint32_t kIconExclamation = 0x30;
constexpr uint32_t kIconInformation = 0x40;
constexpr uint32_t kDefaultButtonMask = 0x00000F00;
constexpr int kDefaultButtonShift = 8;
constexpr uint32_t kRightAligned = 0x00080000;      // MB_RIGHT
constexpr uint32_t kRtlReading = 0x00100000;        // MB_RTLREADING
constexpr uint32_t kTaskModalTopmost = 0x00052000;  // MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST
constexpr uint32_t MsgBoxNoClose = 0x10000000;      // greys the Close command of the system menu

// Result codes, as the system message box returns them; 0 when no button was chosen.
enum ResultCode : int {
  kNoChoice = 0,
  kIdOk = 1,
  kIdCancel = 2,
  kIdAbort = 3,
  kIdRetry = 4,
  kIdIgnore = 5,
  kIdYes = 6,
  kIdNo = 7,
};

// Captions in this order: items 0 to 6. A caller's list must keep the order.
constexpr char kDefaultButtonTexts[] = "|&OK|&Cancel|&Yes|&No|&Abort|&Retry|&Ignore|";
// Default captions of the front-ends, items 0 to 2.
constexpr char kDefaultCaptions[] = "|Error|Attention|Confirm|";
enum FrontEndCaption : int { kErrorCaption = 0, kAttentionCaption = 1, kConfirmCaption = 2 };

struct ButtonSpec {
  std::string caption;
  int code = kNoChoice;
};

// The buttons of the flags' button type, left to right. A list too short for the type gives
// empty captions; types 6 to 15 have no buttons.
std::vector<ButtonSpec> ButtonsFor(uint32_t Flags, const std::string& ButtonTexts);

// Index of the default button among count buttons (the default-button field taken modulo the
// count); -1 when there are no buttons.
int DefaultButtonIndex(uint32_t Flags, int count);

// Owner 0 gives the text the caption as heading; Owner 2 greys Close; Owner 3 and more is a
// window handle. Charsets 177 (Hebrew) and 178 (Arabic) read right to left.
bool OwnerWantsHeading(uintptr_t Owner);
bool OwnerIsWindow(uintptr_t Owner);
uint32_t EffectiveFlags(uintptr_t Owner, uint32_t Flags, int Charset);
bool IsRightToLeftCharset(int Charset);

// What the front-ends fill in for an empty caption or an empty button list.
std::string CaptionOrDefault(const std::string& Caption, FrontEndCaption which);
std::string ButtonTextsOrDefault(const std::string& ButtonTexts);

// Alt with a character: the leftmost button whose caption's second character (the accelerator
// letter of "&Yes") is that character, letter case ignored; -1 when none.
int ButtonForAltChar(const std::vector<ButtonSpec>& buttons, char typed);
// A letter key A to Z: the rightmost button whose caption character after the first "&" (without
// "&": its first character) is that letter, letter case ignored; -1 when none.
int ButtonForLetterKey(const std::vector<ButtonSpec>& buttons, char letter);
// The neighbour of button current among count buttons, wrapping; from no button (-1) forward is
// the first, backward the last. -1 when there are no buttons.
int NeighbourButton(int current, int count, bool forward);

}  // namespace komsgbox
