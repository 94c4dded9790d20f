// The settings controls of the mouse and keyboard pages: DPI stages, polling rate, sensor height,
// pointer values, keyboard flags and key repeat.
#pragma once

namespace vestra {
class CHalvorinUSBDevice;
}
namespace vestra::ui {
struct Notification;
}

namespace vestra::app {

// Applies a notification from a settings control to the current device (stored in its profile,
// then written to the device); false when the notification is not one of these controls or the
// device is not of the kind the control belongs to.
bool RouteDeviceSetting(CHalvorinUSBDevice& device, const ui::Notification& notification);

}  // namespace vestra::app
