// The headset audio chip's configuration library: endpoints found by flow, named properties
// read as UTF-16 decimal text and written as 32-bit values, 0 meaning success.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vestra::audio {

enum class AudioFlow : int32_t { Playback = 0, Capture = 1 };
enum class PropertyAccess : int32_t { Read = 0, Write = 1 };

// Results of every call: 0 is success, anything else a failure.
inline constexpr int kAudioOk = 0;
inline constexpr int kAudioNoDevice = 1;     // no such endpoint, or no library behind it
inline constexpr int kAudioUnsupported = 2;  // the endpoint has no such property
inline constexpr int kAudioBadValue = 3;     // the value or the channel cannot be used
inline constexpr int kAudioNotSet = 4;       // the property exists but holds no value yet

// The record the library hands out for one endpoint and takes back in PropertyControl.
struct AudioDeviceRecord {
    int32_t id;     // 0: the library's own handle of the endpoint
    int32_t type;   // 4: device type (1 headphones, 2 microphone, 4, 7 and 12 other outputs)
    int32_t flow;   // 8: AudioFlow of the endpoint
    int32_t state;  // 12: 1 while the endpoint is active
};
static_assert(sizeof(AudioDeviceRecord) == 16);

// Both the value and the channel buffer are 1024 bytes; the caller zeroes them before a call.
inline constexpr size_t kPropertyBufferSize = 1024;
using PropertyBuffer = std::array<uint8_t, kPropertyBufferSize>;

class AudioConfigLibrary {
public:
    virtual ~AudioConfigLibrary() = default;

    virtual int ConfLibInit() = 0;
    // Takes a fresh list of the endpoints; the counts and records below come from it.
    virtual int CreateDeviceList() = 0;
    virtual int GetDeviceCount(AudioFlow flow, int& count) = 0;
    virtual int GetDeviceById(AudioFlow flow, int index, AudioDeviceRecord& record) = 0;
    // Read: the library puts the value into `value` as NUL-terminated UTF-16 decimal text.
    // Write: the 32-bit value in the first 4 bytes of `value` (an integer, or a float for the
    // scalar volume properties) is applied. `channel`, when given, holds the channel number in
    // its first 32-bit integer (-1 all channels, 0 and 1 single ones), or a selector record.
    virtual int PropertyControl(const AudioDeviceRecord& device, std::u16string_view property,
                                PropertyBuffer& value, const PropertyBuffer* channel,
                                PropertyAccess access) = 0;
};

}  // namespace vestra::audio
