// Geometry and look of the inform window: where its text control and button stand in a client
// area of a given size, where the footer line and strip are painted, where the window opens and
// which face its text takes. Pixel arithmetic only; InformWindow_win32.cpp applies it.
#pragma once

#include <string>

#include "ui/MsgBoxLayout.h"

namespace au {

// Left, top, width and height, as the message box places its parts.
using InformRect = komsgbox::Rect;

// The footer below the text when the notice has a web address: a one-pixel line, then the strip
// that carries the button.
constexpr int kInformFooterHeight = 43;
constexpr int kInformTextLeft = 3;
constexpr int kInformButtonWidth = 160;
constexpr int kInformButtonHeight = 25;
constexpr int kInformButtonAboveBottom = 33;
// The smallest window a notice asks for that still shows its text and a whole button.
constexpr int kInformMinWidth = 200;
constexpr int kInformMinHeight = 120;
// The text font's height in pixels (a cell height, as the face's own spacing is wanted).
constexpr int kInformTextFontHeight = 15;

// The text control: from x 3 to the right edge, from the top down to the footer (or the bottom
// when there is no footer). Never negative, however small the window is made.
InformRect InformTextPlace(int clientWidth, int clientHeight, bool withFooter);

// The button: centred, its top 33 pixels above the bottom of the client area.
InformRect InformButtonPlace(int clientWidth, int clientHeight);

// The footer line's y; the strip runs from the next row to the bottom.
int InformFooterLineY(int clientHeight);

// The window's size: as the notice asks, but at least the minimum and at most the screen, so
// that its title bar and button can always be reached.
InformRect InformWindowPlace(int screenWidth, int screenHeight, int width, int height);

// The face of the text: "Verdana", unless FontName names another face than the agent's default
// "Tahoma" (compared exactly, as written).
std::string InformTextFace(const std::string& FontName);

}  // namespace au
