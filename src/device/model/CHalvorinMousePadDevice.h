// The lighted mouse pad's device object: its lighting settings, the lighting preview with the
// pad's own effects and custom step lists, and the listener for changes made on the pad.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "device/model/CHalvorinUSBDevice.h"
#include "device/model/LightSettingsRecord.h"
#include "device/model/NotificationListener.h"
#include "device/model/PadEffects.h"
#include "device/model/PadLightingThread.h"
#include "device/model/PerKeyOverlay.h"
#include "device/protocol/DeviceInfo.h"
#include "platform/Clock.h"
#include "profile/CBasicProfiledata.h"

namespace vestra {

class CHalvorinMousePadDevice final : public CHalvorinUSBDevice, private LightingHost {
public:
    // How long after a sync request the settings are read again.
    static constexpr int kSyncReadDelayMs = 500;

    explicit CHalvorinMousePadDevice(hid::HidBackend& backend = hid::HidBackend::Default(),
                                     const Clock& clock = SteadyClock::Instance());
    // Stops the lighting thread, then the listener.
    ~CHalvorinMousePadDevice() override;

    const char* ClassName() const override { return "HalvorinMousePadDevice"; }

    protocol::DeviceInfo Info() const;
    // The settings mirror (mode index and speed 0-4), and the mirror before the last read.
    LightSettingsRecord Settings() const;
    LightSettingsRecord PreviousSettings() const;
    uint8_t ActiveSlot() const;
    CBasicProfiledata& Profile() { return m_profile; }

    // Opens the notification interface on the listen channel and starts listening; false when
    // it cannot be opened.
    bool StartListener(const std::string& path);
    void StopListener();
    bool IsListening() const { return m_listener.IsRunning(); }

    void StartLighting() { m_lightingThread.Start(); }
    void StopLighting();
    // One pass of the lighting thread, for a caller that drives the time itself.
    int RunLightingPass(uint64_t nowMs) { return m_lightingThread.RunPass(nowMs); }
    size_t CurrentCustomStep();

    // --- The device interface. ---
    void RefreshView() override;
    int OnConnected() override;
    // Reads the active slot and its record into the mirror and the light state (not the
    // profile); a failed read changes nothing.
    int ReadSettingsFromDevice() override;
    void RefreshPanels() override;
    int WriteSettings(int slot = 0, int activeProfile = 0) override;
    void LoadDeviceConfig() override;
    // The lighting panel's light state: into the profile and bytes 1-8 of the mirror.
    void SetLightInfo(const LightInfoRecord& light) override;

private:
    CBasicProfiledata* ProfileData() override { return &m_profile; }
    void ApplyProfileEntry() override;
    // LightingHost, called on the lighting thread: the preview follows the mirror.
    bool IsChannelOpen() const override { return m_channel.IsOpen(); }
    bool IsLightingHeld() const override { return m_channel.LightingHold(); }
    LightInfoRecord CurrentLightInfo() const override;
    void OnFrameReady() override { RefreshKeyColours(); }

    void CopyLightIntoMirror(const LightInfoRecord& light);
    void OnNotification(uint16_t usage);

    const Clock& m_clock;
    CBasicProfiledata m_profile;
    protocol::DeviceInfo m_info{};
    // Under the state lock.
    LightSettingsRecord m_settings{};
    LightSettingsRecord m_previousSettings{};
    uint8_t m_activeSlot = 0;
    // Under the effect lock.
    PadEffects m_effects;
    PerKeyOverlay m_overlay;
    PadLightingThread m_lightingThread;
    NotificationListener m_listener;
};

}  // namespace vestra
