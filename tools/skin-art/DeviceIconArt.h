// Draws the 72 x 48 device silhouettes of the device tab strip and the no-device illustration.
#pragma once

#include <QImage>
#include <QPainter>

namespace vestra::skinart {

enum class DeviceShape { kKeyboard, kMouse, kHardPad, kSoftPad, kHeadset, kHub, kUnknown };
enum class DeviceIconState { kNormal, kSelected, kSynchroNormal, kSynchroSelected };

inline constexpr QSize kDeviceIconSize{72, 48};

// One icon of a tab: grey when normal, accent with a glow when selected, and with the green
// "lit in step" badge in the synchronised states.
QImage DrawDeviceIcon(DeviceShape shape, DeviceIconState state);

// The silhouette alone, in color, in the 72 x 48 box of the painter's current transform.
void DrawDeviceShape(QPainter& painter, DeviceShape shape, const QColor& color);

// The picture of the "no device connected" notice: a keyboard and a mouse with an unplugged
// cable between them.
QImage DrawNoDeviceIllustration();

}  // namespace vestra::skinart
