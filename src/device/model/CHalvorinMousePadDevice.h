// The lighted mouse pad's device object: its lighting settings, the lighting preview with the
// pad's own effects and custom step lists, and the listener for changes made on the pad.
#pragma once

#include "device/model/CZoneLightDevice.h"
#include "device/protocol/DeviceInfo.h"
#include "platform/Clock.h"
#include "profile/CBasicProfiledata.h"

namespace vestra {

class CHalvorinMousePadDevice final : public CZoneLightDevice {
public:
    explicit CHalvorinMousePadDevice(hid::HidBackend& backend = hid::HidBackend::Default(),
                                     const Clock& clock = SteadyClock::Instance());
    // Stops the lighting thread, then the listener.
    ~CHalvorinMousePadDevice() override;

    const char* ClassName() const override { return "HalvorinMousePadDevice"; }

    protocol::DeviceInfo Info() const;
    CBasicProfiledata& Profile() { return m_profile; }

    // --- The device interface. ---
    int OnConnected() override;

private:
    CBasicProfiledata* ProfileData() override { return &m_profile; }
    void ApplyProfileEntry() override { RefreshView(); }

    CBasicProfiledata m_profile;
    protocol::DeviceInfo m_info{};  // under the state lock
};

}  // namespace vestra
