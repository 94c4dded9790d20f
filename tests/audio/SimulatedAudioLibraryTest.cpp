#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "audio/AudioProperty.h"
#include "audio/SimulatedAudioLibrary.h"

namespace vestra::audio {
namespace {

class SimulatedAudioLibraryTest : public ::testing::Test {
protected:
    SimulatedAudioLibraryTest() {
        library.CreateDeviceList();
        library.GetDeviceById(AudioFlow::Playback, 0, playback);
        library.GetDeviceById(AudioFlow::Capture, 0, capture);
    }

    SimulatedAudioLibrary library;
    AudioDeviceRecord playback{};
    AudioDeviceRecord capture{};
};

TEST_F(SimulatedAudioLibraryTest, ListsTheHeadsetEndpointsOnlyAfterTheListIsMade) {
    SimulatedAudioLibrary fresh;
    int count = -1;
    EXPECT_NE(fresh.GetDeviceCount(AudioFlow::Playback, count), kAudioOk);
    EXPECT_EQ(count, 0);

    ASSERT_EQ(library.GetDeviceCount(AudioFlow::Playback, count), kAudioOk);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(playback.type, 1);
    EXPECT_EQ(playback.state, 1);
    EXPECT_EQ(capture.type, 2);
    AudioDeviceRecord none{};
    EXPECT_EQ(library.GetDeviceById(AudioFlow::Capture, 1, none), kAudioNoDevice);
}

// The value buffer carries UTF-16 text on a read and the raw 32-bit value on a write.
TEST_F(SimulatedAudioLibraryTest, ReadsAnswerInUtf16DecimalText) {
    ASSERT_TRUE(WriteIntProperty(library, playback, "EQ_Slider3", -7));
    PropertyBuffer value{};
    ASSERT_EQ(
        library.PropertyControl(playback, u"EQ_Slider3", value, nullptr, PropertyAccess::Read),
        kAudioOk);
    const uint8_t expected[] = {'-', 0, '7', 0, 0, 0};
    EXPECT_EQ(std::memcmp(value.data(), expected, sizeof expected), 0);
    EXPECT_EQ(ReadIntProperty(library, playback, "EQ_Slider3"), -7);
}

TEST_F(SimulatedAudioLibraryTest, ScalarVolumeIsAFloatAndMovesTheDecibelValue) {
    ASSERT_TRUE(WriteFloatProperty(library, capture, "VolumeScalarControl", 0.25f, kAllChannels));
    EXPECT_EQ(library.Value(AudioFlow::Capture, 0, "VolumeScalarControl"), "0.25");
    // The range is -12 dB to +12 dB.
    EXPECT_DOUBLE_EQ(*ReadNumberProperty(library, capture, "VolumeControl", kAllChannels), -6.0);
    EXPECT_FALSE(WriteFloatProperty(library, capture, "VolumeScalarControl", 1.5f));
    EXPECT_EQ(library.Calls().front().channel, -1);
}

TEST_F(SimulatedAudioLibraryTest, UnsetUnsupportedAndReadOnlyPropertiesFail) {
    EXPECT_FALSE(ReadIntProperty(library, capture, "MuteControl"));  // nothing written yet
    library.SetSupported("MuteControl", false);
    EXPECT_FALSE(WriteIntProperty(library, capture, "MuteControl", 1));
    EXPECT_FALSE(WriteIntProperty(library, capture, "GetMaxVol", 3));
    EXPECT_EQ(ReadNumberProperty(library, capture, "GetMaxVol"), 12.0);
    const AudioDeviceRecord gone{7, 1, 0, 1};
    EXPECT_FALSE(WriteIntProperty(library, gone, "EQ_Slider1", 1));
}

TEST_F(SimulatedAudioLibraryTest, FeatureListComesFromTheSetup) {
    EXPECT_EQ(ReadTextProperty(library, capture, "GetSupportFeature"), "131072,0,0,0,0,0,0");
    SimulatedAudioSetup setup = SimulatedAudioSetup::Headset();
    setup.capture[0].features.clear();
    SimulatedAudioLibrary plain(setup);
    plain.CreateDeviceList();
    EXPECT_FALSE(ReadTextProperty(plain, capture, "GetSupportFeature"));
}

TEST(AudioPropertyTextTest, ParsesOnlyWholeNumbersAndStopsAtTheBufferEnd) {
    SimulatedAudioLibrary library;
    library.CreateDeviceList();
    AudioDeviceRecord capture{};
    library.GetDeviceById(AudioFlow::Capture, 0, capture);
    library.SetValue(AudioFlow::Capture, 0, "MuteControl", "1x");
    EXPECT_FALSE(ReadIntProperty(library, capture, "MuteControl"));
    library.SetValue(AudioFlow::Capture, 0, "MuteControl", " 1 ");
    EXPECT_EQ(ReadIntProperty(library, capture, "MuteControl"), 1);

    // A text that fills the buffer is cut to leave room for its terminator.
    PropertyBuffer buffer;
    PutPropertyText(buffer, std::string(600, '9'));
    EXPECT_EQ(GetPropertyText(buffer).size(), kPropertyBufferSize / 2 - 1);
    buffer.fill(0x39);  // no terminator at all
    EXPECT_EQ(GetPropertyText(buffer).size(), kPropertyBufferSize / 2);
}

}  // namespace
}  // namespace vestra::audio
