// An in-memory audio configuration library: the endpoints and properties of a headset, for the
// tests and the device emulator.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "audio/AudioConfigLibrary.h"

namespace vestra::audio {

// One endpoint as the library lists it.
struct SimulatedEndpoint {
    int32_t type = 0;
    int32_t state = 1;
    std::string features;  // the "GetSupportFeature" answer; empty: the property fails
};

struct SimulatedAudioSetup {
    std::vector<SimulatedEndpoint> playback;
    std::vector<SimulatedEndpoint> capture;
    int initResult = kAudioOk;  // what ConfLibInit answers
    // Properties every endpoint refuses to read and write.
    std::set<std::string> unsupported;

    // The headset as it is plugged in: headphones and a microphone with a voice changer
    // (feature bit 0x20000), every property supported.
    static SimulatedAudioSetup Headset();
};

// Values are kept per endpoint as the decimal text a read returns. Writes to the scalar volume
// properties take a float and move the matching dB value along the endpoint's range; every
// other write takes an integer. The range and feature properties (names starting "Get") are
// read-only. Thread-safe.
class SimulatedAudioLibrary final : public AudioConfigLibrary {
public:
    // One property call as the library saw it, for inspection.
    struct Call {
        AudioFlow flow;
        int index;
        std::string property;
        PropertyAccess access;
        std::optional<int32_t> channel;  // the first integer of the channel buffer, if given
        std::string value;               // written: the value as text; read: the answer
        int result;
    };

    explicit SimulatedAudioLibrary(SimulatedAudioSetup setup = SimulatedAudioSetup::Headset());

    int ConfLibInit() override;
    int CreateDeviceList() override;
    int GetDeviceCount(AudioFlow flow, int& count) override;
    int GetDeviceById(AudioFlow flow, int index, AudioDeviceRecord& record) override;
    int PropertyControl(const AudioDeviceRecord& device, std::u16string_view property,
                        PropertyBuffer& value, const PropertyBuffer* channel,
                        PropertyAccess access) override;

    // The stored text of a property; nullopt when it holds none.
    std::optional<std::string> Value(AudioFlow flow, int index, const std::string& property) const;
    void SetValue(AudioFlow flow, int index, const std::string& property, const std::string& text);
    // Every stored value of an endpoint, to keep the state between runs.
    std::map<std::string, std::string> Values(AudioFlow flow, int index) const;
    void SetSupported(const std::string& property, bool supported);

    std::vector<Call> Calls() const;
    void ClearCalls();

private:
    using Key = std::pair<int, int>;  // flow, index
    const SimulatedEndpoint* EndpointLocked(int flow, int index) const;
    int ReadLocked(const Key& key, const std::string& name, PropertyBuffer& value) const;
    int WriteLocked(const Key& key, const std::string& name, const PropertyBuffer& value);

    mutable std::mutex m_mutex;
    SimulatedAudioSetup m_setup;
    bool m_listed = false;
    std::map<Key, std::map<std::string, std::string>> m_values;
    std::vector<Call> m_calls;
};

}  // namespace vestra::audio
