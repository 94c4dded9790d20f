// The colours the skin's pictures share with the style sheet.
#pragma once

#include <QColor>

namespace vestra::skinart {

inline constexpr QRgb kWindowColor = 0xff121419;
inline constexpr QRgb kPanelColor = 0xff1b1e25;
inline constexpr QRgb kBorderColor = 0xff2a2e38;
inline constexpr QRgb kTextColor = 0xffe6e8ee;
inline constexpr QRgb kSecondaryColor = 0xff8b92a3;
inline constexpr QRgb kAccentColor = 0xff00c2ff;
inline constexpr QRgb kDangerColor = 0xffff4d6a;
inline constexpr QRgb kSuccessColor = 0xff2ee59d;
// Caption icons are a light grey that reads on the window and on the hover fill.
inline constexpr QRgb kCaptionIconColor = 0xffc9ced8;

}  // namespace vestra::skinart
