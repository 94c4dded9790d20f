#include "device/model/CHalvorinHS6533Device.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "device/model/HeadsetLeds.h"
#include "platform/DebugLog.h"

namespace vestra {
namespace {

using audio::AudioFlow;
using audio::kAllChannels;
using audio::kChannel0;
using audio::kChannel1;

constexpr int kMaxLevel = 100;
constexpr int kMagicTypes = 4;
constexpr size_t kFeatureFields = 7;
// Playback endpoint types in order of preference, each only while active (state 1).
constexpr int32_t kPlaybackTypes[] = {1, 12, 7, 4};
constexpr int32_t kCaptureType = 2;
constexpr int32_t kActiveState = 1;

// A scalar volume 0.0-1.0 as a level 0-100. Rounded: a level written as L / 100 comes back as
// a float a hair below it, which truncation would turn into L - 1.
int LevelOf(double scalar) {
    return std::clamp(static_cast<int>(std::lround(scalar * kMaxLevel)), 0, kMaxLevel);
}

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        fields.push_back(
            text.substr(start, comma == std::string_view::npos ? comma : comma - start));
        if (comma == std::string_view::npos) return fields;
        start = comma + 1;
    }
}

int32_t FieldValue(std::string_view field) {
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    int32_t value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value);  // not a number: 0
    return value;
}

}  // namespace

CHalvorinHS6533Device::CHalvorinHS6533Device(hid::HidBackend& backend,
                                             audio::AudioConfigLibrary* library, const Clock& clock)
    : CZoneLightDevice(hid::DeviceKind::Headset, backend, clock),
      m_library(library),
      m_equaliser(m_profile, *this) {
    m_profile.SetDefaultPath(DefaultProfilePath());
    m_profile.SetDeviceIndex(0);
}

CHalvorinHS6533Device::~CHalvorinHS6533Device() {
    // Before the profile goes: the workers call back into the device.
    StopLighting();
    StopListener();
}

HeadsetSystemSettings CHalvorinHS6533Device::SystemSettings() const {
    HeadsetSystemSettings system = m_system;
    system.eqType = m_equaliser.Type();
    system.customEqSelectIndex = m_equaliser.SelectedIndex();
    return system;
}

bool CHalvorinHS6533Device::MagicVoiceSupported() const {
    return (m_capture.features[0] & kMagicVoiceFeature) != 0;
}

// --- Profile ---

void CHalvorinHS6533Device::ApplyProfileEntry() {
    RefreshView();
    m_system = m_profile.GetSystemSetStages();
    m_equaliser.Load(m_system.eqType, m_system.customEqSelectIndex);
}

// --- HID half ---

void CHalvorinHS6533Device::RefreshKeyColours() {
    if (!m_hostLightControl) return;
    CHalvorinUSBDevice::RefreshKeyColours();
    // Straight on the wired handle, outside the channel's locks; a failed report is repeated
    // with the next frame, which rewrites every register.
    const std::vector<protocol::KeyColour> leds = m_keyColours.Snapshot();
    SendHeadsetLeds(m_channel.WiredHandle(), leds);
}

int CHalvorinHS6533Device::OnConnected() {
    LoadProfile();
    ReadAudioState();
    RefreshPanels();
    StartLighting();
    return protocol::RESULT_OK;
}

int CHalvorinHS6533Device::ReadPowerStatus() {
    if (!m_channel.IsOpen()) return protocol::RESULT_CLOSED;
    return ReadAndShowPowerStatus();
}

// --- Audio half ---

std::optional<double> CHalvorinHS6533Device::ReadNumber(const AudioEndpoint& endpoint,
                                                        std::string_view property,
                                                        audio::ChannelSelector channel) {
    if (!m_library || !endpoint.found) return std::nullopt;
    return audio::ReadNumberProperty(*m_library, endpoint.record, property, channel);
}

std::optional<int32_t> CHalvorinHS6533Device::ReadInt(const AudioEndpoint& endpoint,
                                                      std::string_view property,
                                                      audio::ChannelSelector channel) {
    if (!m_library || !endpoint.found) return std::nullopt;
    return audio::ReadIntProperty(*m_library, endpoint.record, property, channel);
}

bool CHalvorinHS6533Device::WriteInt(const AudioEndpoint& endpoint, std::string_view property,
                                     int32_t value, audio::ChannelSelector channel) {
    if (!m_library || !endpoint.found) return false;
    return audio::WriteIntProperty(*m_library, endpoint.record, property, value, channel);
}

bool CHalvorinHS6533Device::WriteFloat(const AudioEndpoint& endpoint, std::string_view property,
                                       float value, audio::ChannelSelector channel) {
    if (!m_library || !endpoint.found) return false;
    return audio::WriteFloatProperty(*m_library, endpoint.record, property, value, channel);
}

void CHalvorinHS6533Device::AudioInit() {
    if (m_audioInitialised) return;
    m_audioInitialised = true;
    if (!m_library) return;
    // A failed initialisation is reported and the rest is tried all the same.
    if (m_library->ConfLibInit() != audio::kAudioOk) DebugLog::Write("ConfLibInit called failed!");
    m_library->CreateDeviceList();
    int count = 0;
    if (m_library->GetDeviceCount(AudioFlow::Playback, count) != audio::kAudioOk || count < 1) {
        return;
    }
    SelectEndpoints();
    WriteDefaults();
    ReadAudioState();
}

void CHalvorinHS6533Device::SelectEndpoints() {
    auto find = [this](AudioFlow flow, int32_t type, AudioEndpoint& endpoint,
                       bool activeOnly) -> bool {
        int count = 0;
        if (m_library->GetDeviceCount(flow, count) != audio::kAudioOk) return false;
        for (int i = 0; i < count; ++i) {
            audio::AudioDeviceRecord record{};
            if (m_library->GetDeviceById(flow, i, record) != audio::kAudioOk) continue;
            if (record.type != type || (activeOnly && record.state != kActiveState)) continue;
            endpoint = {record, {}, true};
            return true;
        }
        return false;
    };
    m_playback = {};
    m_capture = {};
    for (int32_t type : kPlaybackTypes) {
        if (find(AudioFlow::Playback, type, m_playback, true)) break;
    }
    find(AudioFlow::Capture, kCaptureType, m_capture, false);
    if (m_playback.found) ReadFeatures(m_playback);
    if (m_capture.found) ReadFeatures(m_capture);
}

void CHalvorinHS6533Device::ReadFeatures(AudioEndpoint& endpoint) {
    const std::optional<std::string> text =
        audio::ReadTextProperty(*m_library, endpoint.record, "GetSupportFeature");
    const std::vector<std::string_view> fields =
        text ? SplitFields(*text) : std::vector<std::string_view>{};
    if (fields.size() < kFeatureFields) {
        DebugLog::Write("UpdateAPOAvailable failed!");
        return;
    }
    endpoint.features = {FieldValue(fields[0]), FieldValue(fields[4]), FieldValue(fields[6])};
}

void CHalvorinHS6533Device::WriteDefaults() {
    struct Default {
        const AudioEndpoint& endpoint;
        std::string_view property;
        audio::ChannelSelector channel;
    };
    const Default defaults[] = {
        {m_playback, "VirtualSurroundEffectControl", audio::kSurroundSelector},
        {m_capture, "Enable_ENC_LFX", {}},
        {m_capture, "VolumeControl", kAllChannels},
        {m_playback, "Enable_EQ_GFX", {}},
        {m_playback, "EQ_Slider1", {}},
        {m_playback, "EQ_Slider2", {}},
        {m_playback, "EQ_Slider3", {}},
        {m_playback, "EQ_Slider4", {}},
        {m_playback, "EQ_Slider5", {}},
        {m_playback, "EQ_Slider6", {}},
        {m_playback, "EQ_Slider7", {}},
        {m_playback, "EQ_Slider8", {}},
        {m_playback, "EQ_Slider9", {}},
        {m_playback, "EQ_Slider10", {}},
        {m_playback, "Enable_RFX_GFX", {}},
        {m_playback, "RFX_ENVIRONMENT", {}},
        {m_playback, "RFX_ROOMSIZE", {}},
        {m_capture, "MuteControl", {}},
        {m_capture, "VolumeScalarControl", kAllChannels},
        {m_capture, "AAVolumeControl", kChannel0},
        {m_capture, "AAMuteControl", {}},
        {m_capture, "AAVolumeScalarControl", kChannel0},
        {m_capture, "Enable_MAGICVOICE", {}},
        {m_capture, "MagicVoice_Selection", {}},
    };
    // Only a property that holds nothing gets its default; the headset keeps what it has.
    for (const Default& entry : defaults) {
        if (ReadNumber(entry.endpoint, entry.property, entry.channel)) continue;
        if (entry.property.find("Scalar") != std::string_view::npos) {
            WriteFloat(entry.endpoint, entry.property, 0.0f, entry.channel);
        } else {
            WriteInt(entry.endpoint, entry.property, 0, entry.channel);
        }
    }
}

void CHalvorinHS6533Device::ReadAudioState() {
    m_micRange.max = ReadNumber(m_capture, "GetMaxVol");
    m_micRange.min = ReadNumber(m_capture, "GetMinVol");
    m_micRange.step = ReadNumber(m_capture, "GetVolStep");
    m_micRange.current = ReadNumber(m_capture, "VolumeControl", kAllChannels);
    if (const auto mute = ReadInt(m_capture, "MuteControl")) m_system.micInSelect = *mute == 0;
    if (const auto scalar = ReadNumber(m_capture, "VolumeScalarControl", kAllChannels)) {
        m_system.micInValue = LevelOf(*scalar);
    }

    // Without a monitoring range the headset has no side tone to read.
    m_monitorRange.max = ReadNumber(m_capture, "GetAAMaxVol");
    if (m_monitorRange.max) {
        m_monitorRange.min = ReadNumber(m_capture, "GetAAMinVol");
        m_monitorRange.step = ReadNumber(m_capture, "GetAAVolStep");
        m_monitorRange.current = ReadNumber(m_capture, "AAVolumeControl", kChannel0);
        if (const auto mute = ReadInt(m_capture, "AAMuteControl")) {
            m_system.micMonitorSelect = *mute == 0;
        }
        if (const auto scalar = ReadNumber(m_capture, "AAVolumeScalarControl", kChannel0)) {
            m_system.micMonitorValue = LevelOf(*scalar);
        }
    }

    if (const auto magic = ReadInt(m_capture, "Enable_MAGICVOICE")) {
        if (MagicVoiceSupported()) m_system.magicEnable = *magic != 0;
    }
    if (const auto type = ReadInt(m_capture, "MagicVoice_Selection")) {
        if (*type >= 0 && *type < kMagicTypes) m_system.magicType = *type + 1;
    }
}

void CHalvorinHS6533Device::StoreSettings() {
    m_profile.SetSystemSetStages(SystemSettings());
}

void CHalvorinHS6533Device::StoreAndSave() {
    StoreSettings();
    SaveProfile();
}

bool CHalvorinHS6533Device::SetMicLevel(int level) {
    level = std::clamp(level, 0, kMaxLevel);
    if (!WriteFloat(m_capture, "VolumeScalarControl", static_cast<float>(level) / kMaxLevel,
                    kAllChannels)) {
        return false;
    }
    m_micRange.current = ReadNumber(m_capture, "VolumeControl", kAllChannels);
    m_system.micInValue = level;
    StoreAndSave();
    return true;
}

bool CHalvorinHS6533Device::SetMonitorLevel(int level) {
    level = std::clamp(level, 0, kMaxLevel);
    if (!WriteFloat(m_capture, "AAVolumeScalarControl", static_cast<float>(level) / kMaxLevel,
                    kChannel0)) {
        return false;
    }
    m_monitorRange.current = ReadNumber(m_capture, "AAVolumeControl", kChannel1);
    m_system.micMonitorValue = level;
    StoreAndSave();
    return true;
}

// A refused mute write changes nothing, so the switch, the flag and the profile still agree.
bool CHalvorinHS6533Device::SetMicMute(bool mute) {
    if (!WriteInt(m_capture, "MuteControl", mute ? 1 : 0)) return false;
    m_system.micInSelect = mute ? 0 : 1;
    StoreAndSave();
    return true;
}

bool CHalvorinHS6533Device::SetMonitorMute(bool mute) {
    if (!WriteInt(m_capture, "AAMuteControl", mute ? 1 : 0)) return false;
    m_system.micMonitorSelect = mute ? 0 : 1;
    StoreAndSave();
    return true;
}

void CHalvorinHS6533Device::SetMagicVoice(bool on) {
    WriteInt(m_capture, "Enable_MAGICVOICE", on ? 1 : 0);
    // The echo effect and the voice changer do not run together.
    if (on) WriteInt(m_capture, "Enable_MICECHO", 0);
    m_system.magicEnable = on ? 1 : 0;
    StoreAndSave();
}

bool CHalvorinHS6533Device::SetMagicVoiceType(int type) {
    if (type < 1 || type > kMagicTypes) return false;
    WriteInt(m_capture, "MagicVoice_Selection", type - 1);
    m_system.magicType = type;
    StoreAndSave();
    return true;
}

void CHalvorinHS6533Device::WriteEqualiserProperty(std::string_view property, int value) {
    WriteInt(m_playback, property, value);
}

}  // namespace vestra
