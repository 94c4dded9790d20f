// Draws the window backgrounds (the default picture and the presets of the skin frame) and the
// application logo.
#pragma once

#include <QImage>

namespace vestra::skinart {

inline constexpr QSize kBackgroundSize{1000, 640};
inline constexpr QSize kThumbnailSize{96, 60};
inline constexpr int kPresetCount = 4;

// common/background.png: the plain dark gradient with a faint accent glow.
QImage DrawDefaultBackground();
// common/skin_preset_<index>.png for index 1 .. kPresetCount.
QImage DrawPresetBackground(int index);
// The preset's small picture for the skin frame's buttons.
QImage MakeThumbnail(const QImage& background);
// common/logo.png: 64 x 64.
QImage DrawLogo();

}  // namespace vestra::skinart
