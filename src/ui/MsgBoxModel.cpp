#include "ui/MsgBoxModel.h"

#include "sys/KoSUB.h"

namespace komsgbox {
namespace {

struct ButtonSlot {
  int item;  // of the caption list
  int code;
};

// Button types 0 to 5, left to right.
const std::vector<ButtonSlot> kButtonTypes[] = {
    {{0, kIdOk}},
    {{0, kIdOk}, {1, kIdCancel}},
    {{4, kIdAbort}, {5, kIdRetry}, {6, kIdIgnore}},
    {{2, kIdYes}, {3, kIdNo}, {1, kIdCancel}},
    {{2, kIdYes}, {3, kIdNo}},
    {{5, kIdRetry}, {1, kIdCancel}},
};

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameLetter(char a, char b) { return AsciiUpper(a) == AsciiUpper(b); }

// The letter a plain key press looks for: the one after the first "&", or the first one.
bool MnemonicOf(const std::string& caption, char& letter) {
  const size_t amp = caption.find('&');
  const size_t at = amp == std::string::npos ? 0 : amp + 1;
  if (at >= caption.size()) return false;
  letter = caption[at];
  return true;
}

}  // namespace

std::vector<ButtonSpec> ButtonsFor(uint32_t Flags, const std::string& ButtonTexts) {
  std::vector<ButtonSpec> buttons;
  const uint32_t type = Flags & kButtonTypeMask;
  if (type >= sizeof kButtonTypes / sizeof kButtonTypes[0]) return buttons;
  for (const ButtonSlot& slot : kButtonTypes[type])
    buttons.push_back(ButtonSpec{sys::SUB::GetItem(ButtonTexts, slot.item, ""), slot.code});
  return buttons;
}

int DefaultButtonIndex(uint32_t Flags, int count) {
  if (count <= 0) return -1;
  const int n = static_cast<int>((Flags & kDefaultButtonMask) >> kDefaultButtonShift);
  return n % count;
}

bool OwnerWantsHeading(uintptr_t Owner) { return Owner == 0; }

bool OwnerIsWindow(uintptr_t Owner) { return Owner >= 3; }

bool IsRightToLeftCharset(int Charset) { return Charset == 177 || Charset == 178; }

uint32_t EffectiveFlags(uintptr_t Owner, uint32_t Flags, int Charset) {
  if (IsRightToLeftCharset(Charset)) Flags |= kRightAligned | kRtlReading;
  if (Owner == 2) Flags |= MsgBoxNoClose;
  return Flags | kTaskModalTopmost;
}

std::string CaptionOrDefault(const std::string& Caption, FrontEndCaption which) {
  return Caption.empty() ? sys::SUB::GetItem(kDefaultCaptions, which, "") : Caption;
}

std::string ButtonTextsOrDefault(const std::string& ButtonTexts) {
  return ButtonTexts.empty() ? kDefaultButtonTexts : ButtonTexts;
}

int ButtonForAltChar(const std::vector<ButtonSpec>& buttons, char typed) {
  for (size_t i = 0; i < buttons.size(); ++i) {
    const std::string& caption = buttons[i].caption;
    if (caption.size() >= 2 && SameLetter(caption[1], typed)) return static_cast<int>(i);
  }
  return -1;
}

int ButtonForLetterKey(const std::vector<ButtonSpec>& buttons, char letter) {
  for (size_t i = buttons.size(); i-- > 0;) {
    char mnemonic = 0;
    if (MnemonicOf(buttons[i].caption, mnemonic) && SameLetter(mnemonic, letter))
      return static_cast<int>(i);
  }
  return -1;
}

int NeighbourButton(int current, int count, bool forward) {
  if (count <= 0) return -1;
  if (current < 0 || current >= count) return forward ? 0 : count - 1;
  return (current + (forward ? 1 : count - 1)) % count;
}

}  // namespace komsgbox
