// The box's push buttons and its keyboard. The box is no dialog, so the keys a dialog would
// handle (Tab, arrows, Enter, Escape, mnemonics) are taken from the box's own message loop
// before they are dispatched.
// This file must contain only Win32 code.
#include "ui/MsgBoxWindow.h"

#include <algorithm>

namespace komsgbox {
namespace {

constexpr int kFirstButtonId = 100;

HWND CreateButton(const Box& box, const ButtonSpec& wanted, const Rect& place, int id,
                  HINSTANCE instance) {
  const HWND button =
      ::CreateWindowExA(0, "Button", wanted.caption.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                        place.left, place.top, place.width, place.height, box.window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (!button) return nullptr;
  ::SetWindowLongPtrA(button, GWLP_USERDATA, wanted.code);
  ::SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(box.font.Get()), FALSE);
  return button;
}

int IndexOf(const Box& box, HWND wnd) {
  const auto at = std::find(box.buttons.begin(), box.buttons.end(), wnd);
  return at == box.buttons.end() ? -1 : static_cast<int>(at - box.buttons.begin());
}

// Focus on a button decides; otherwise (the text was clicked) the default button does.
void MoveFocus(Box& box, bool forward) {
  int current = IndexOf(box, ::GetFocus());
  if (current < 0) current = box.defaultButton;
  const int next = NeighbourButton(current, static_cast<int>(box.buttons.size()), forward);
  if (next >= 0) MakeDefaultButton(box, next);
}

// The button a key down chooses, or -1; moves the focus or closes the box on the way.
int ButtonForKeyDown(Box& box, WPARAM key) {
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      MoveFocus(box, false);
      return -1;
    case VK_TAB:  // forward also with Shift: three buttons at most
    case VK_RIGHT:
    case VK_DOWN:
      MoveFocus(box, true);
      return -1;
    case VK_RETURN:
      return IndexOf(box, ::GetFocus());
    case VK_ESCAPE:
      Answer(box, kNoChoice);
      return -1;
  }
  if (key >= 'A' && key <= 'Z') return ButtonForLetterKey(box.specs, static_cast<char>(key));
  return -1;
}

}  // namespace

void CreateButtons(Box& box, HINSTANCE instance) {
  const Size client = ClientSize(box.window);
  const int count = static_cast<int>(box.specs.size());
  for (int i = 0; i < count; ++i) {
    const HWND button = CreateButton(box, box.specs[i], ButtonPlace(client, i, count),
                                     kFirstButtonId + i, instance);
    if (button) box.buttons.push_back(button);
  }
  // A button that could not be made must not leave the captions and the windows out of step.
  if (box.buttons.size() != box.specs.size()) box.specs.resize(box.buttons.size());
}

void MakeDefaultButton(Box& box, int index) {
  if (index < 0 || index >= static_cast<int>(box.buttons.size())) return;
  for (size_t i = 0; i < box.buttons.size(); ++i) {
    const bool isDefault = static_cast<int>(i) == index;
    ::SendMessageA(box.buttons[i], BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
  box.defaultButton = index;
  ::SetFocus(box.buttons[index]);
}

bool FilterKey(Box& box, const MSG& msg) {
  int chosen = -1;
  if (msg.message == WM_SYSCHAR)
    chosen = ButtonForAltChar(box.specs, static_cast<char>(msg.wParam));
  else if (msg.message == WM_KEYDOWN)
    chosen = ButtonForKeyDown(box, msg.wParam);
  if (chosen < 0) return false;
  Answer(box, box.specs[chosen].code);
  return true;
}

}  // namespace komsgbox
