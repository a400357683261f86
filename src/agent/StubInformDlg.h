// The inform window: a published notice shown in a resizable window of its own, class
// "KoRichEditBox", with a rich-text control and, when the notice has a web address, a button
// that opens it in the browser. Win32 (StubInformDlg_win32.cpp, InformWindow_win32.cpp).
#pragma once

#include <cstdint>
#include <string>

namespace au {

constexpr char kInformClassName[] = "KoRichEditBox";
// The button's window user data.
constexpr intptr_t kInformButtonData = 1;

// Shows Body, or opens WebAddress at once when there is no Body. WebAddress is trimmed and used
// only when it is an http or https address, or one without a scheme, which gets "http://"
// (InformAddress.h). With a Body the window runs its
// own message loop (serving every window of the thread) until it is closed, by its Close
// command or by the button, which opens the address first; Owner (a window handle, 0 for none)
// owns it but stays enabled. Height and Width are the window's outer size, kept on the screen.
// FontName, FontSize and Charset are the agent's box font: the button uses it, the text uses it
// too unless it is the default "Tahoma" (or empty), which becomes "Verdana".
// True when the notice counts as shown: the window was shown, the address handed to the shell
// (whatever the shell made of it), or, without Body, the address was refused (logged); false
// when there was neither Body nor address.
bool ShowInform(uintptr_t Owner, const std::string& Title, const std::string& ButtonCaption,
                int Charset, int FontSize, const std::string& FontName, bool RightToLeft,
                int Height, int Width, const std::string& WebAddress, const std::string& Body);

}  // namespace au
