// Draws the 16 x 16 light grey icons of the caption row and the device strip arrows.
#pragma once

#include <QImage>

namespace vestra::skinart {

enum class CaptionIcon {
    kClose,
    kMinimise,
    kMaximise,
    kRestore,
    kSkin,
    kSettings,
    kPrevious,
    kNext,
    kGameMode,
    kCloud,
    kSmartEyes,
};

inline constexpr QSize kCaptionIconSize{16, 16};

QImage DrawCaptionIcon(CaptionIcon icon);

}  // namespace vestra::skinart
