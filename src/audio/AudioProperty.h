// The caller's side of the property contract: zeroed buffers, channel selectors, decimal text.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "audio/AudioConfigLibrary.h"

namespace vestra::audio {

// Channel selectors: the integers placed at the start of the channel buffer.
inline constexpr int32_t kAllChannels[] = {-1};
inline constexpr int32_t kChannel0[] = {0};
inline constexpr int32_t kChannel1[] = {1};
// The virtual surround property takes this record in the place of the channel.
inline constexpr int32_t kSurroundSelector[] = {4, -1, 0};
using ChannelSelector = std::span<const int32_t>;  // empty: no channel buffer

// Each is one PropertyControl call; nullopt or false when it fails or the answer is no number.
std::optional<std::string> ReadTextProperty(AudioConfigLibrary& library,
                                            const AudioDeviceRecord& device,
                                            std::string_view property,
                                            ChannelSelector channel = {});
std::optional<int32_t> ReadIntProperty(AudioConfigLibrary& library, const AudioDeviceRecord& device,
                                       std::string_view property, ChannelSelector channel = {});
std::optional<double> ReadNumberProperty(AudioConfigLibrary& library,
                                         const AudioDeviceRecord& device, std::string_view property,
                                         ChannelSelector channel = {});
bool WriteIntProperty(AudioConfigLibrary& library, const AudioDeviceRecord& device,
                      std::string_view property, int32_t value, ChannelSelector channel = {});
bool WriteFloatProperty(AudioConfigLibrary& library, const AudioDeviceRecord& device,
                        std::string_view property, float value, ChannelSelector channel = {});

// Text as the library exchanges it: UTF-16 code units, NUL-terminated when shorter than the
// buffer. Only ASCII is expected; other code units read back as '?'.
void PutPropertyText(PropertyBuffer& buffer, std::string_view text);
std::string GetPropertyText(const PropertyBuffer& buffer);
std::u16string WidePropertyName(std::string_view name);
std::string NarrowPropertyName(std::u16string_view name);

}  // namespace vestra::audio
