// The USB headset's device object: the lighting settings, power status, listener and 13 LEDs
// over HID, and the audio half (microphone, monitoring, voice changer, equaliser) through the
// audio configuration library.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "audio/AudioConfigLibrary.h"
#include "audio/AudioProperty.h"
#include "device/model/CZoneLightDevice.h"
#include "device/model/Equaliser.h"
#include "platform/Clock.h"
#include "profile/CHs6533Profiledata.h"

namespace vestra {

// One of the two audio endpoints the headset uses, with what its feature list says.
struct AudioEndpoint {
    audio::AudioDeviceRecord record{};
    std::array<int32_t, 3> features{};  // fields 0, 4 and 6 of "GetSupportFeature"
    bool found = false;
};

// A volume range in dB as the library reports it, for display ("%.2f").
struct VolumeRange {
    std::optional<double> max;
    std::optional<double> min;
    std::optional<double> step;
    std::optional<double> current;
};

// Feature bit of the capture endpoint's first feature value: the voice changer is there.
inline constexpr int32_t kMagicVoiceFeature = 0x20000;

class CHalvorinHS6533Device final : public CZoneLightDevice, private EqualiserHost {
public:
    // The device's save serves the equaliser too.
    void SaveProfile() override { CHalvorinUSBDevice::SaveProfile(); }
    // library: the audio configuration library, not owned; null when it is missing, which
    // leaves the audio half inactive.
    explicit CHalvorinHS6533Device(hid::HidBackend& backend = hid::HidBackend::Default(),
                                   audio::AudioConfigLibrary* library = nullptr,
                                   const Clock& clock = SteadyClock::Instance());
    ~CHalvorinHS6533Device() override;

    const char* ClassName() const override { return "HalvorinHS6533Device"; }

    CHs6533Profiledata& Profile() { return m_profile; }
    HeadsetSystemSettings SystemSettings() const;
    Equaliser& Eq() { return m_equaliser; }
    const Equaliser& Eq() const { return m_equaliser; }
    const AudioEndpoint& PlaybackEndpoint() const { return m_playback; }
    const AudioEndpoint& CaptureEndpoint() const { return m_capture; }
    const VolumeRange& MicRange() const { return m_micRange; }
    const VolumeRange& MonitorRange() const { return m_monitorRange; }
    bool MagicVoiceSupported() const;

    // --- The audio half. Each writer ends by storing the system settings and saving. ---
    // Once per object: initialise the library, pick the endpoints, write the defaults of the
    // properties that read nothing, then read the state.
    void AudioInit();
    void ReadAudioState();
    // Levels 0-100 (clamped). False, and nothing changed, when the library refuses.
    bool SetMicLevel(int level);
    bool SetMonitorLevel(int level);
    bool SetMicMute(bool mute);
    bool SetMonitorMute(bool mute);
    bool ToggleMicMute() { return SetMicMute(m_system.micInSelect != 0); }
    bool ToggleMonitorMute() { return SetMonitorMute(m_system.micMonitorSelect != 0); }
    // The voice changer stores what it was asked whatever the library answers.
    void SetMagicVoice(bool on);
    // Type 1-4; anything else does nothing (false).
    bool SetMagicVoiceType(int type);

    // --- The device interface. ---
    // Shows the LEDs on the page and writes them to the chip, while host light control is on.
    void RefreshKeyColours() override;
    int OnConnected() override;
    int ReadPowerStatus() override;

private:
    CBasicProfiledata* ProfileData() override { return &m_profile; }
    void ApplyProfileEntry() override;
    // EqualiserHost.
    void WriteEqualiserProperty(std::string_view property, int value) override;
    void StoreSettings() override;

    void SelectEndpoints();
    void ReadFeatures(AudioEndpoint& endpoint);
    void WriteDefaults();
    void StoreAndSave();
    std::optional<double> ReadNumber(const AudioEndpoint& endpoint, std::string_view property,
                                     audio::ChannelSelector channel = {});
    std::optional<int32_t> ReadInt(const AudioEndpoint& endpoint, std::string_view property,
                                   audio::ChannelSelector channel = {});
    bool WriteInt(const AudioEndpoint& endpoint, std::string_view property, int32_t value,
                  audio::ChannelSelector channel = {});
    bool WriteFloat(const AudioEndpoint& endpoint, std::string_view property, float value,
                    audio::ChannelSelector channel = {});

    audio::AudioConfigLibrary* m_library;
    CHs6533Profiledata m_profile;
    HeadsetSystemSettings m_system{0, 1, 1, 0, 1, 0, 1, 0};
    Equaliser m_equaliser;
    AudioEndpoint m_playback;
    AudioEndpoint m_capture;
    VolumeRange m_micRange;
    VolumeRange m_monitorRange;
    bool m_audioInitialised = false;
};

}  // namespace vestra
