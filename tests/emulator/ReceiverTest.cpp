#include <gtest/gtest.h>

#include "RawHost.h"
#include "emulator/EmulatedHidBackend.h"

namespace vestra::emulator {
namespace {

using namespace vestra::protocol;
using test::Packet;
using test::RawHost;
using test::Request;

class ReceiverTest : public ::testing::Test {
protected:
    std::shared_ptr<EmulatedHidBackend> backend =
        test::WithProducts({Product::Mouse, Product::MouseReceiver});
    RawHost cable{*backend, Product::Mouse};
    RawHost receiver{*backend, Product::MouseReceiver};
};

TEST_F(ReceiverTest, LinkQueryReportsWhetherTheDeviceAnswers) {
    std::optional<Packet> reply = receiver.Exchange(Request(CMD_LINK_QUERY));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], 0xAA);
    EXPECT_EQ((*reply)[7], 0);
    EXPECT_EQ((*reply)[8], 0xFF);

    backend->SetAsleep(Peripheral::Mouse, true);
    reply = receiver.Exchange(Request(CMD_LINK_QUERY));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], 0xAA);
    EXPECT_NE((*reply)[8], 0xFF);
}

TEST_F(ReceiverTest, SleepingDeviceIsAnsweredForByTheLinkReport) {
    backend->SetAsleep(Peripheral::Mouse, true);
    const DeviceMemory before = backend->Memory(Peripheral::Mouse);
    const uint8_t data[24] = {1, 2, 3};
    for (const Packet& request :
         {Request(CMD_READ_INFO, 24, 0), Request(CMD_BEGIN_CONFIG),
          Request(CMD_WRITE_SETTINGS, 24, 0, data), Request(CMD_END_CONFIG)}) {
        SCOPED_TRACE(static_cast<int>(request[3]));
        std::optional<Packet> reply = receiver.Exchange(request);
        ASSERT_TRUE(reply);
        EXPECT_EQ((*reply)[3], 0xAA);
        EXPECT_EQ((*reply)[8], 0);
    }
    EXPECT_EQ(backend->Memory(Peripheral::Mouse), before);

    // The cable does not depend on the radio.
    std::optional<Packet> reply = cable.Exchange(Request(CMD_READ_INFO, 34, 0));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], CMD_READ_INFO);

    backend->SetAsleep(Peripheral::Mouse, false);
    reply = receiver.Exchange(Request(CMD_READ_INFO, 24, 0));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], CMD_READ_INFO);
    EXPECT_EQ((*reply)[8 + 5], 11);  // key count
}

TEST_F(ReceiverTest, FallingAsleepLosesWhatTheRadioHadStaged) {
    const uint8_t data[24] = {0x42};
    ASSERT_TRUE(receiver.Exchange(Request(CMD_BEGIN_CONFIG)));
    ASSERT_TRUE(receiver.WriteRange(CMD_WRITE_SETTINGS, 0, data, 24));
    backend->SetAsleep(Peripheral::Mouse, true);
    backend->SetAsleep(Peripheral::Mouse, false);
    EXPECT_FALSE(backend->BracketOpen(Peripheral::Mouse));
    ASSERT_TRUE(receiver.Exchange(Request(CMD_END_CONFIG)));
    EXPECT_EQ(backend->Memory(Peripheral::Mouse).Bytes(Region::Settings)[0], 0);
}

TEST_F(ReceiverTest, NotificationsTravelOverEveryLinkThatReachesTheDevice) {
    RawHost cableNotify(*backend, Product::Mouse, 2);
    RawHost radioNotify(*backend, Product::MouseReceiver, 2);
    const std::vector<uint8_t> profile2{3, 0x02, 0x10};

    ASSERT_TRUE(backend->SwitchProfile(Peripheral::Mouse, 2));
    EXPECT_EQ(cableNotify.Receive(), profile2);
    EXPECT_EQ(radioNotify.Receive(), profile2);

    backend->SetAsleep(Peripheral::Mouse, true);
    ASSERT_TRUE(backend->SwitchProfile(Peripheral::Mouse, 1, 3));
    EXPECT_EQ(cableNotify.Receive(), (std::vector<uint8_t>{3, 0x31, 0x11}));
    EXPECT_FALSE(radioNotify.Receive(0));

    backend->Unplug(Product::Mouse);
    EXPECT_FALSE(backend->RequestSync(Peripheral::Mouse));
    backend->SetAsleep(Peripheral::Mouse, false);
    EXPECT_TRUE(backend->RequestSync(Peripheral::Mouse));
    EXPECT_EQ(radioNotify.Receive(), (std::vector<uint8_t>{3, 0x01, 0x04}));
}

}  // namespace
}  // namespace vestra::emulator
