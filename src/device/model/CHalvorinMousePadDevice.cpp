#include "device/model/CHalvorinMousePadDevice.h"

namespace vestra {

CHalvorinMousePadDevice::CHalvorinMousePadDevice(hid::HidBackend& backend, const Clock& clock)
    : CZoneLightDevice(hid::DeviceKind::MousePad, backend, clock) {
    m_profile.SetDefaultPath(DefaultProfilePath());
    m_profile.SetDeviceIndex(0);
}

CHalvorinMousePadDevice::~CHalvorinMousePadDevice() {
    // Before the profile goes: the workers call back into the device.
    StopLighting();
    StopListener();
}

protocol::DeviceInfo CHalvorinMousePadDevice::Info() const {
    std::lock_guard lock(m_stateLock);
    return m_info;
}

int CHalvorinMousePadDevice::OnConnected() {
    int result = protocol::RESULT_CLOSED;
    if (m_channel.IsOpen()) {
        m_channel.BeginConfig();
        protocol::DeviceInfo info{};
        result = m_channel.ReadInfo(info);
        if (result == protocol::RESULT_OK) {
            std::lock_guard lock(m_stateLock);
            m_info = info;
        }
        m_channel.EndConfig();
    }
    LoadProfile();
    RefreshPanels();
    StartLighting();
    return result;
}

}  // namespace vestra
