// The device object of a product whose lights are a few zones (the mouse pad, the headset): its
// light settings record and mirror, the host preview of its effects and per-light overlay, and
// the listener for changes made on the device.
#pragma once

#include <cstdint>
#include <string>

#include "device/model/CHalvorinUSBDevice.h"
#include "device/model/LightSettingsRecord.h"
#include "device/model/NotificationListener.h"
#include "device/model/PadEffects.h"
#include "device/model/PadLightingThread.h"
#include "device/model/PerKeyOverlay.h"
#include "platform/Clock.h"

namespace vestra {

// The kinds keep their profile (ProfileData() must not be null) and call StopLighting and
// StopListener first thing in their destructors, so no worker runs while they go.
class CZoneLightDevice : public CHalvorinUSBDevice, private LightingHost {
public:
    // How long after a sync request the settings are read again.
    static constexpr int kSyncReadDelayMs = 500;

    ~CZoneLightDevice() override;

    // The settings mirror (mode index and speed 0-4), and the mirror before the last read.
    LightSettingsRecord Settings() const;
    LightSettingsRecord PreviousSettings() const;
    uint8_t ActiveSlot() const;

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
    // Reads the active slot and its record into the mirror and the light state (not the
    // profile); a failed read changes nothing.
    int ReadSettingsFromDevice() override;
    void RefreshPanels() override;
    int WriteSettings(int slot = 0, int activeProfile = 0) override;
    void LoadDeviceConfig() override;
    // The lighting panel's light state: into the profile and bytes 1-8 of the mirror.
    void SetLightInfo(const LightInfoRecord& light) override;

protected:
    CZoneLightDevice(hid::DeviceKind kind, hid::HidBackend& backend, const Clock& clock);

private:
    // LightingHost, called on the lighting thread: the preview follows the mirror; frames are
    // shown on the page (a kind that sends them does so in its RefreshKeyColours).
    bool IsChannelOpen() const override { return m_channel.IsOpen(); }
    bool IsLightingHeld() const override { return m_channel.LightingHold(); }
    LightInfoRecord CurrentLightInfo() const override;
    void OnFrameReady() override { CHalvorinUSBDevice::RefreshKeyColours(); }

    void CopyLightIntoMirror(const LightInfoRecord& light);
    void OnNotification(uint16_t usage);

    const Clock& m_clock;
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
