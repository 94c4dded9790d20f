#include "audio/AudioProperty.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <system_error>

namespace vestra::audio {
namespace {

constexpr size_t kTextUnits = kPropertyBufferSize / 2;

PropertyBuffer ChannelBuffer(ChannelSelector channel) {
    PropertyBuffer buffer{};
    const size_t count = std::min(channel.size(), kPropertyBufferSize / sizeof(int32_t));
    if (count > 0) std::memcpy(buffer.data(), channel.data(), count * sizeof(int32_t));
    return buffer;
}

int Call(AudioConfigLibrary& library, const AudioDeviceRecord& device, std::string_view property,
         PropertyBuffer& value, ChannelSelector channel, PropertyAccess access) {
    const PropertyBuffer channelBuffer = ChannelBuffer(channel);
    return library.PropertyControl(device, WidePropertyName(property), value,
                                   channel.empty() ? nullptr : &channelBuffer, access);
}

bool WriteRaw(AudioConfigLibrary& library, const AudioDeviceRecord& device,
              std::string_view property, const void* value, ChannelSelector channel) {
    PropertyBuffer buffer{};
    std::memcpy(buffer.data(), value, 4);
    return Call(library, device, property, buffer, channel, PropertyAccess::Write) == kAudioOk;
}

// Leading and trailing blanks are allowed around the number; nothing else is.
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

void PutPropertyText(PropertyBuffer& buffer, std::string_view text) {
    buffer.fill(0);
    const size_t count = std::min(text.size(), kTextUnits - 1);  // keep room for the NUL
    for (size_t i = 0; i < count; ++i) {
        buffer[2 * i] = static_cast<uint8_t>(text[i]);
    }
}

std::string GetPropertyText(const PropertyBuffer& buffer) {
    std::string text;
    for (size_t i = 0; i < kTextUnits; ++i) {
        const uint16_t unit = static_cast<uint16_t>(buffer[2 * i] | buffer[2 * i + 1] << 8);
        if (unit == 0) break;
        text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    return text;
}

std::u16string WidePropertyName(std::string_view name) {
    return std::u16string(name.begin(), name.end());
}

std::string NarrowPropertyName(std::u16string_view name) {
    std::string text;
    for (char16_t unit : name) text.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    return text;
}

std::optional<std::string> ReadTextProperty(AudioConfigLibrary& library,
                                            const AudioDeviceRecord& device,
                                            std::string_view property, ChannelSelector channel) {
    PropertyBuffer buffer{};
    if (Call(library, device, property, buffer, channel, PropertyAccess::Read) != kAudioOk) {
        return std::nullopt;
    }
    return GetPropertyText(buffer);
}

std::optional<int32_t> ReadIntProperty(AudioConfigLibrary& library, const AudioDeviceRecord& device,
                                       std::string_view property, ChannelSelector channel) {
    const std::optional<std::string> text = ReadTextProperty(library, device, property, channel);
    if (!text) return std::nullopt;
    const std::string_view digits = Trimmed(*text);
    int32_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

std::optional<double> ReadNumberProperty(AudioConfigLibrary& library,
                                         const AudioDeviceRecord& device, std::string_view property,
                                         ChannelSelector channel) {
    const std::optional<std::string> text = ReadTextProperty(library, device, property, channel);
    if (!text) return std::nullopt;
    const std::string_view digits = Trimmed(*text);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return value;
}

bool WriteIntProperty(AudioConfigLibrary& library, const AudioDeviceRecord& device,
                      std::string_view property, int32_t value, ChannelSelector channel) {
    return WriteRaw(library, device, property, &value, channel);
}

bool WriteFloatProperty(AudioConfigLibrary& library, const AudioDeviceRecord& device,
                        std::string_view property, float value, ChannelSelector channel) {
    static_assert(sizeof(float) == 4);
    return WriteRaw(library, device, property, &value, channel);
}

}  // namespace vestra::audio
