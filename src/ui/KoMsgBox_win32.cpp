// ShowMsgBox and its front-ends: builds the box, runs its modal loop and hands back the answer.
// This file must contain only Win32 code.
#include "ui/KoMsgBox.h"

#include "sys/Pumping.h"
#include "ui/MsgBoxWindow.h"

namespace komsgbox {
namespace {

std::string BoxFontName = "Tahoma";
BYTE BoxFontCharset = DEFAULT_CHARSET;
int BoxFontSize = 8;

int ScreenPixelsPerInchY() {
  static const int dpi = [] {
    const HDC screen = ::GetDC(nullptr);
    const int value = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return value;
  }();
  return dpi;
}

HFONT CreateBoxFont() {
  const int height = -::MulDiv(BoxFontSize, ScreenPixelsPerInchY(), 72);
  return ::CreateFontA(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, BoxFontCharset, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                       BoxFontName.c_str());
}

void GreyClose(Box& box) {
  if (!(box.flags & MsgBoxNoClose)) return;
  ::EnableMenuItem(::GetSystemMenu(box.window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  box.flags &= ~MsgBoxNoClose;
}

// Text control, text, size and place of the box, icon, buttons.
void BuildBox(Box& box, const std::string& text, HINSTANCE instance) {
  GreyClose(box);
  CreateTextControl(box, instance);
  const MarkedText marked = ParseMarkup(text);
  SetText(box, marked);
  PlaceBox(box, TextControlSize(box, marked));
  box.icon = IconForFlags(box.flags);
  CreateButtons(box, instance);
  MakeDefaultButton(box, DefaultButtonIndex(box.flags, static_cast<int>(box.buttons.size())));
}

// A quit request ends the box without a choice and stays queued for the loop that called it.
// A failing GetMessage (it cannot fail with these arguments) ends the box too, rather than spin.
void EndEarly(Box& box, BOOL got, const MSG& msg) {
  if (::IsWindow(box.window)) ::SendMessageA(box.window, WM_CLOSE, 0, 0);
  box.done = true;
  if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
}

void RunBoxLoop(Box& box) {
  MSG msg{};
  while (!box.done) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      EndEarly(box, got, msg);
      break;
    }
    if (FilterKey(box, msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}

int RunBox(Box& box, HWND parent, const std::string& text, const std::string& caption) {
  const HINSTANCE instance = ::GetModuleHandleA(nullptr);
  box.font.Reset(CreateBoxFont());
  box.fontName = BoxFontName;
  const sys::ScopedLibrary richEdit = LoadRichEditForBox();
  RegisterBoxClass(instance);
  if (CreateBoxWindow(box, parent, caption, instance)) {
    BuildBox(box, text, instance);
    RunBoxLoop(box);
  } else if (box.owner) {
    ::EnableWindow(box.owner, TRUE);
  }
  UnregisterBoxClass(instance);
  return box.result;
}

}  // namespace

int ShowMsgBox(uintptr_t Owner, const std::string& Text, const std::string& Caption, int TimeoutMs,
               uint32_t Flags, int Charset, const std::string& ButtonTexts) {
  Box box;
  box.flags = EffectiveFlags(Owner, Flags, Charset);
  box.timeoutMs = TimeoutMs;
  box.specs = ButtonsFor(box.flags, ButtonTexts);
  const std::string text = OwnerWantsHeading(Owner) ? WithHeading(Text, Caption) : Text;
  const HWND parent = OwnerIsWindow(Owner) ? reinterpret_cast<HWND>(Owner) : ::GetActiveWindow();
  LoadRichEditForProgram();
  box.owner = parent;
  if (box.owner) ::EnableWindow(box.owner, FALSE);
  const int result = RunBox(box, parent, text, Caption);
  // The caller's windows get a moment to repaint what the box covered.
  sys::DelayPumping(0, 100);
  return result;
}

void ErrorBox(uintptr_t Owner, const std::string& Text, const std::string& Caption, int Charset,
              const std::string& ButtonTexts) {
  ShowMsgBox(Owner, Text, CaptionOrDefault(Caption, kErrorCaption), 0, kIconStop | kOkOnly, Charset,
             ButtonTextsOrDefault(ButtonTexts));
}

void AttentionBox(uintptr_t Owner, const std::string& Text, const std::string& Caption,
                  int TimeoutMs, int Charset, const std::string& ButtonTexts) {
  ShowMsgBox(Owner, Text, CaptionOrDefault(Caption, kAttentionCaption), TimeoutMs,
             kIconExclamation | kOkOnly, Charset, ButtonTextsOrDefault(ButtonTexts));
}

bool ConfirmYesNo(uintptr_t Owner, const std::string& Text, const std::string& Caption,
                  int TimeoutMs, int Charset, const std::string& ButtonTexts) {
  return ShowMsgBox(Owner, Text, CaptionOrDefault(Caption, kConfirmCaption), TimeoutMs,
                    kIconQuestion | kYesNo, Charset, ButtonTextsOrDefault(ButtonTexts)) == kIdYes;
}

bool ConfirmOkCancel(uintptr_t Owner, const std::string& Text, const std::string& Caption,
                     int Charset, const std::string& ButtonTexts) {
  return ShowMsgBox(Owner, Text, CaptionOrDefault(Caption, kConfirmCaption), 0,
                    kIconQuestion | kOkCancel, Charset, ButtonTextsOrDefault(ButtonTexts)) == kIdOk;
}

void SetMsgBoxFont(const std::string& FontName, int FontSize, int Charset) {
  BoxFontName = FontName;
  BoxFontCharset = static_cast<BYTE>(Charset);
  if (FontSize != 0) BoxFontSize = FontSize;
}

}  // namespace komsgbox
