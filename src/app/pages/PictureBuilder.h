// Builds the device pictures in code: the drawn body and its key and LED buttons, placed as on
// the real device, inside a page's select panel.
#pragma once

#include <optional>

#include "hid/DeviceKind.h"

class QWidget;

namespace vestra::app {

class DevicePicture;

// The mouse picture's LEDs: light_0_0 .. light_0_7 along its sides, then its logo.
inline constexpr int kMouseSideLeds = 8;
inline constexpr int kMouseLeds = kMouseSideLeds + 1;
inline constexpr int kMousePadLeds = 15;
inline constexpr int kHeadsetLeds = 13;

// Builds the picture of kind into panel, which must have no layout. Key buttons are named
// "key_" + n; light buttons carry the user data "light_" + n (the mouse's LEDs are named
// "light_0_" + n and "logo" instead). Null when the panel already holds key buttons (the
// skin drew its own) or the kind has no picture.
DevicePicture* BuildDevicePicture(hid::DeviceKind kind, QWidget* panel);

}  // namespace vestra::app
