#include "agent/InformLayout.h"

#include <algorithm>

namespace au {

InformRect InformTextPlace(int clientWidth, int clientHeight, bool withFooter) {
  const int height = clientHeight - (withFooter ? kInformFooterHeight : 0);
  return InformRect{kInformTextLeft, 0, std::max(0, clientWidth - kInformTextLeft),
                    std::max(0, height)};
}

InformRect InformButtonPlace(int clientWidth, int clientHeight) {
  // Integer halves round toward zero, as the window's own centring does.
  return InformRect{(clientWidth - kInformButtonWidth) / 2, clientHeight - kInformButtonAboveBottom,
                    kInformButtonWidth, kInformButtonHeight};
}

int InformFooterLineY(int clientHeight) { return clientHeight - kInformFooterHeight; }

InformRect InformWindowPlace(int screenWidth, int screenHeight, int width, int height) {
  // The screen bound comes last: on a screen smaller than the minimum the window still fits.
  const int w = std::min(std::max(width, kInformMinWidth), screenWidth);
  const int h = std::min(std::max(height, kInformMinHeight), screenHeight);
  return InformRect{(screenWidth - w) / 2, (screenHeight - h) / 2, w, h};
}

std::string InformTextFace(const std::string& FontName) {
  return FontName.empty() || FontName == "Tahoma" ? "Verdana" : FontName;
}

}  // namespace au
