#include "audio/SimulatedAudioLibrary.h"

#include <charconv>
#include <cstring>

#include "audio/AudioProperty.h"

namespace vestra::audio {
namespace {

constexpr std::string_view kFeatureProperty = "GetSupportFeature";

// A scalar volume property and the dB property and range that follow it.
struct ScalarVolume {
    std::string_view scalar;
    std::string_view decibels;
    std::string_view max;
    std::string_view min;
};
constexpr ScalarVolume kScalarVolumes[] = {
    {"VolumeScalarControl", "VolumeControl", "GetMaxVol", "GetMinVol"},
    {"AAVolumeScalarControl", "AAVolumeControl", "GetAAMaxVol", "GetAAMinVol"},
};

const ScalarVolume* ScalarOf(std::string_view name) {
    for (const ScalarVolume& volume : kScalarVolumes) {
        if (volume.scalar == name) return &volume;
    }
    return nullptr;
}

template <typename Number>
std::string Text(Number value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::optional<double> Number(const std::map<std::string, std::string>& values,
                             std::string_view name) {
    const auto found = values.find(std::string(name));
    if (found == values.end()) return std::nullopt;
    double value = 0;
    const std::string& text = found->second;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc()) return std::nullopt;
    return value;
}

}  // namespace

SimulatedAudioSetup SimulatedAudioSetup::Headset() {
    SimulatedAudioSetup setup;
    setup.playback.push_back({1, 1, "0,0,0,0,0,0,0"});
    setup.capture.push_back({2, 1, "131072,0,0,0,0,0,0"});
    return setup;
}

SimulatedAudioLibrary::SimulatedAudioLibrary(SimulatedAudioSetup setup)
    : m_setup(std::move(setup)) {
    // The microphone's ranges in dB, as the chip reports them.
    for (int i = 0; i < static_cast<int>(m_setup.capture.size()); ++i) {
        auto& values = m_values[{static_cast<int>(AudioFlow::Capture), i}];
        values["GetMaxVol"] = "12";
        values["GetMinVol"] = "-12";
        values["GetVolStep"] = "0.5";
        values["GetAAMaxVol"] = "0";
        values["GetAAMinVol"] = "-24";
        values["GetAAVolStep"] = "0.5";
    }
}

int SimulatedAudioLibrary::ConfLibInit() {
    std::lock_guard lock(m_mutex);
    return m_setup.initResult;
}

int SimulatedAudioLibrary::CreateDeviceList() {
    std::lock_guard lock(m_mutex);
    m_listed = true;
    return kAudioOk;
}

int SimulatedAudioLibrary::GetDeviceCount(AudioFlow flow, int& count) {
    std::lock_guard lock(m_mutex);
    count = 0;
    if (!m_listed) return kAudioNoDevice;
    count = static_cast<int>(flow == AudioFlow::Playback ? m_setup.playback.size()
                                                         : m_setup.capture.size());
    return kAudioOk;
}

int SimulatedAudioLibrary::GetDeviceById(AudioFlow flow, int index, AudioDeviceRecord& record) {
    std::lock_guard lock(m_mutex);
    const SimulatedEndpoint* endpoint =
        m_listed ? EndpointLocked(static_cast<int>(flow), index) : nullptr;
    if (!endpoint) return kAudioNoDevice;
    record = {index, endpoint->type, static_cast<int32_t>(flow), endpoint->state};
    return kAudioOk;
}

const SimulatedEndpoint* SimulatedAudioLibrary::EndpointLocked(int flow, int index) const {
    const std::vector<SimulatedEndpoint>* list = nullptr;
    if (flow == static_cast<int>(AudioFlow::Playback)) list = &m_setup.playback;
    if (flow == static_cast<int>(AudioFlow::Capture)) list = &m_setup.capture;
    if (!list || index < 0 || index >= static_cast<int>(list->size())) return nullptr;
    return &(*list)[static_cast<size_t>(index)];
}

int SimulatedAudioLibrary::PropertyControl(const AudioDeviceRecord& device,
                                           std::u16string_view property, PropertyBuffer& value,
                                           const PropertyBuffer* channel, PropertyAccess access) {
    std::lock_guard lock(m_mutex);
    const std::string name = NarrowPropertyName(property);
    const Key key{device.flow, device.id};
    int result;
    if (!EndpointLocked(device.flow, device.id)) {
        result = kAudioNoDevice;
    } else if (m_setup.unsupported.contains(name)) {
        result = kAudioUnsupported;
    } else if (access == PropertyAccess::Read) {
        result = ReadLocked(key, name, value);
    } else {
        result = WriteLocked(key, name, value);
    }

    Call call{
        static_cast<AudioFlow>(device.flow), device.id, name, access, std::nullopt, {}, result};
    if (channel) {
        int32_t first;
        std::memcpy(&first, channel->data(), sizeof first);
        call.channel = first;
    }
    if (access == PropertyAccess::Read) {
        if (result == kAudioOk) call.value = GetPropertyText(value);
    } else {
        int32_t raw;
        std::memcpy(&raw, value.data(), sizeof raw);
        float scalar;
        std::memcpy(&scalar, value.data(), sizeof scalar);
        call.value = ScalarOf(name) ? Text(scalar) : Text(raw);
    }
    m_calls.push_back(std::move(call));
    return result;
}

int SimulatedAudioLibrary::ReadLocked(const Key& key, const std::string& name,
                                      PropertyBuffer& value) const {
    if (name == kFeatureProperty) {
        const std::string& features = EndpointLocked(key.first, key.second)->features;
        if (features.empty()) return kAudioUnsupported;
        PutPropertyText(value, features);
        return kAudioOk;
    }
    const auto endpoint = m_values.find(key);
    if (endpoint == m_values.end()) return kAudioNotSet;
    const auto found = endpoint->second.find(name);
    if (found == endpoint->second.end()) return kAudioNotSet;
    PutPropertyText(value, found->second);
    return kAudioOk;
}

int SimulatedAudioLibrary::WriteLocked(const Key& key, const std::string& name,
                                       const PropertyBuffer& value) {
    if (name.starts_with("Get")) return kAudioUnsupported;
    std::map<std::string, std::string>& values = m_values[key];
    if (const ScalarVolume* volume = ScalarOf(name)) {
        float scalar;
        std::memcpy(&scalar, value.data(), sizeof scalar);
        if (!(scalar >= 0.0f && scalar <= 1.0f)) return kAudioBadValue;
        values[name] = Text(scalar);
        const std::optional<double> max = Number(values, volume->max);
        const std::optional<double> min = Number(values, volume->min);
        if (max && min) values[std::string(volume->decibels)] = Text(*min + scalar * (*max - *min));
        return kAudioOk;
    }
    int32_t number;
    std::memcpy(&number, value.data(), sizeof number);
    values[name] = Text(number);
    return kAudioOk;
}

std::optional<std::string> SimulatedAudioLibrary::Value(AudioFlow flow, int index,
                                                        const std::string& property) const {
    std::lock_guard lock(m_mutex);
    const auto endpoint = m_values.find({static_cast<int>(flow), index});
    if (endpoint == m_values.end()) return std::nullopt;
    const auto found = endpoint->second.find(property);
    if (found == endpoint->second.end()) return std::nullopt;
    return found->second;
}

void SimulatedAudioLibrary::SetValue(AudioFlow flow, int index, const std::string& property,
                                     const std::string& text) {
    std::lock_guard lock(m_mutex);
    m_values[{static_cast<int>(flow), index}][property] = text;
}

std::map<std::string, std::string> SimulatedAudioLibrary::Values(AudioFlow flow, int index) const {
    std::lock_guard lock(m_mutex);
    const auto endpoint = m_values.find({static_cast<int>(flow), index});
    return endpoint == m_values.end() ? std::map<std::string, std::string>{} : endpoint->second;
}

void SimulatedAudioLibrary::SetSupported(const std::string& property, bool supported) {
    std::lock_guard lock(m_mutex);
    if (supported) {
        m_setup.unsupported.erase(property);
    } else {
        m_setup.unsupported.insert(property);
    }
}

std::vector<SimulatedAudioLibrary::Call> SimulatedAudioLibrary::Calls() const {
    std::lock_guard lock(m_mutex);
    return m_calls;
}

void SimulatedAudioLibrary::ClearCalls() {
    std::lock_guard lock(m_mutex);
    m_calls.clear();
}

}  // namespace vestra::audio
