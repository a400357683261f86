// ShowInform: opens a notice's address, or builds the inform window, runs its loop until it is
// closed and takes everything down again.
// This file must contain only Win32 code.
#include "agent/StubInformDlg.h"

#include <richedit.h>

#include <algorithm>

#include "agent/InformAddress.h"
#include "agent/InformLayout.h"
#include "agent/InformWindow.h"
#include "sys/KoDebug.h"
#include "sys/ShellStart.h"
#include "sys/UtilsText.h"
#include "sys/WindowInfo.h"

namespace au {
namespace {

constexpr char kRichEditLibrary[] = "RICHED32.DLL";
constexpr char kRichEditClass[] = "RICHEDIT";
// RichEdit 1.0 stops taking text at 32767 characters unless told otherwise.
constexpr size_t kRichEditDefaultLimit = 32767;

HFONT CreateFace(int height, int charset, const std::string& face) {
  return ::CreateFontA(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, static_cast<BYTE>(charset),
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face.c_str());
}

void CreateFonts(InformWindow& inform, int charset, int fontSize, const std::string& fontName) {
  inform.textFont.Reset(CreateFace(kInformTextFontHeight, charset, InformTextFace(fontName)));
  const int buttonHeight = -::MulDiv(fontSize, sys::ScreenLogPixelsY(), 72);
  inform.buttonFont.Reset(CreateFace(buttonHeight, charset, fontName));
}

void SetFont(HWND control, const sys::ScopedGdiObject& font) {
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
}

HWND CreateTextControl(const InformWindow& inform, const char* className, HINSTANCE instance) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_WANTRETURN | ES_READONLY | ES_MULTILINE;
  if (inform.rightToLeft) style |= ES_RIGHT;
  const DWORD exStyle = inform.rightToLeft ? WS_EX_RTLREADING : 0;
  return ::CreateWindowExA(exStyle, className, "", style, 0, 0, 0, 0, inform.window, nullptr,
                           instance, nullptr);
}

// The rich-edit control; without its library the text is still shown, plainly.
void CreateText(InformWindow& inform, const std::string& body, HINSTANCE instance) {
  inform.text = CreateTextControl(inform, kRichEditClass, instance);
  inform.richEdit = inform.text != nullptr;
  if (!inform.text) inform.text = CreateTextControl(inform, "Edit", instance);
  if (!inform.text) return;
  if (inform.richEdit) {
    ::SendMessageA(inform.text, EM_SETEVENTMASK, 0, ENM_REQUESTRESIZE);
    ::SendMessageA(inform.text, EM_EXLIMITTEXT, 0,
                   static_cast<LPARAM>(std::max(body.size() + 1, kRichEditDefaultLimit)));
  }
  SetFont(inform.text, inform.textFont);
  if (inform.richEdit)
    ::SendMessageA(inform.text, EM_SETBKGNDCOLOR, 0,
                   static_cast<LPARAM>(::GetSysColor(COLOR_WINDOW)));
  ::SendMessageA(inform.text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(body.c_str()));
}

// The button takes the focus and the default-button look, the window becomes the active one.
void CreateButton(InformWindow& inform, const std::string& caption, HINSTANCE instance) {
  inform.button = ::CreateWindowExA(0, "Button", caption.c_str(), WS_CHILD | WS_VISIBLE, 0, 0,
                                    kInformButtonWidth, kInformButtonHeight, inform.window,
                                    nullptr, instance, nullptr);
  if (!inform.button) return;
  SetFont(inform.button, inform.buttonFont);
  ::SetWindowLongPtrA(inform.button, GWLP_USERDATA, kInformButtonData);
  ::SetFocus(inform.button);
  ::SetActiveWindow(inform.window);
  ::SendMessageA(inform.button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

// A quit request ends the window and stays queued for the loop that called it. A failing
// GetMessage (it cannot fail with these arguments) ends it too, rather than spin.
void EndEarly(InformWindow& inform, BOOL got, const MSG& msg) {
  if (::IsWindow(inform.window)) ::DestroyWindow(inform.window);
  inform.closed = true;
  if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
}

void RunInformLoop(InformWindow& inform) {
  MSG msg{};
  while (!inform.closed) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      EndEarly(inform, got, msg);
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

// False when the window could not be made: then nothing was shown.
bool RunInformWindow(InformWindow& inform, HWND owner, const std::string& title,
                     const std::string& caption, int height, int width, const std::string& body) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  const sys::ScopedLibrary richEdit(::LoadLibraryA(kRichEditLibrary));
  RegisterInformClass(instance);
  const bool made = CreateInformWindow(inform, owner, title, width, height, instance) != nullptr;
  if (made) {
    CreateText(inform, body, instance);
    if (!inform.address.empty()) CreateButton(inform, caption, instance);
    PlaceInformControls(inform);
    RunInformLoop(inform);
  }
  UnregisterInformClass(instance);
  return made;
}

}  // namespace

void OpenInformAddress(const std::string& address) {
  // Whether a browser came up is not the notice's concern: nothing is reported.
  sys::StartDocument(address, "", SW_SHOW);
}

bool ShowInform(uintptr_t Owner, const std::string& Title, const std::string& ButtonCaption,
                int Charset, int FontSize, const std::string& FontName, bool RightToLeft,
                int Height, int Width, const std::string& WebAddress, const std::string& Body) {
  const NoticePlan plan = PlanNotice(!Body.empty(), WebAddress);
  if (plan.address.empty() && !sys::Trim(WebAddress).empty())
    kodebug::DebugLog("ShowInform: address not opened: " + sys::Trim(WebAddress));
  if (plan.show == NoticeShow::kRefused)
    kodebug::DebugLog("ShowInform: notice without text, counted as shown");
  if (plan.show == NoticeShow::kOpen) OpenInformAddress(plan.address);
  if (plan.show != NoticeShow::kWindow) return plan.countsAsShown;
  InformWindow inform;
  inform.address = plan.address;
  inform.rightToLeft = RightToLeft;
  CreateFonts(inform, Charset, FontSize, FontName);
  return RunInformWindow(inform, reinterpret_cast<HWND>(Owner), Title, ButtonCaption, Height,
                         Width, Body);
}

}  // namespace au
