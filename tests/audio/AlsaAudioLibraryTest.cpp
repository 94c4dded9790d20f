#include <gtest/gtest.h>

#include "audio/AlsaAudioLibrary.h"
#include "audio/AudioProperty.h"

namespace vestra::audio {
namespace {

// No machine has this card, so every call must fail cleanly rather than reach another card.
TEST(AlsaAudioLibraryTest, WithoutTheCardEveryCallFails) {
    AlsaAudioLibrary library("ffff:ffff");
    EXPECT_NE(library.ConfLibInit(), kAudioOk);
    EXPECT_NE(library.CreateDeviceList(), kAudioOk);
    int count = -1;
    EXPECT_NE(library.GetDeviceCount(AudioFlow::Playback, count), kAudioOk);
    EXPECT_EQ(count, 0);
    AudioDeviceRecord record{};
    EXPECT_NE(library.GetDeviceById(AudioFlow::Capture, 0, record), kAudioOk);

    const AudioDeviceRecord capture{0, 2, static_cast<int32_t>(AudioFlow::Capture), 1};
    EXPECT_FALSE(ReadNumberProperty(library, capture, "VolumeScalarControl", kAllChannels));
    EXPECT_FALSE(WriteFloatProperty(library, capture, "VolumeScalarControl", 0.5f, kAllChannels));
    EXPECT_FALSE(WriteIntProperty(library, capture, "MuteControl", 1));
}

}  // namespace
}  // namespace vestra::audio
