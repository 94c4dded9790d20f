#include <gtest/gtest.h>

#include "RawHost.h"
#include "emulator/EmulatedHidBackend.h"
#include "emulator/FaultPlan.h"

namespace vestra::emulator {
namespace {

using namespace vestra::protocol;
using test::Packet;
using test::RawHost;
using test::Request;

class FaultPlanTest : public ::testing::Test {
protected:
    uint8_t SlotByte() const {
        return backend->Memory(Peripheral::Keyboard).Bytes(Region::Settings)[0];
    }

    std::shared_ptr<EmulatedHidBackend> backend = test::WithProducts({Product::Keyboard});
    RawHost host{*backend, Product::Keyboard};
    const uint8_t slotOne[1] = {1};
};

TEST_F(FaultPlanTest, DroppedReplyStillCarriesOutTheRequest) {
    backend->SetFaults(Product::Keyboard, {.dropReplies = 1});
    ASSERT_TRUE(host.Send(Request(CMD_BEGIN_CONFIG)));
    EXPECT_FALSE(host.Receive(50));
    EXPECT_TRUE(backend->BracketOpen(Peripheral::Keyboard));
    EXPECT_TRUE(host.Exchange(Request(CMD_END_CONFIG)));  // only the next reply was dropped
    EXPECT_EQ(backend->Faults(Product::Keyboard).dropReplies, 0);
}

TEST_F(FaultPlanTest, WrongCommandIsEchoedThenTheRightOneAgain) {
    backend->SetFaults(Product::Keyboard, {.wrongCommandReplies = 1});
    std::optional<Packet> reply = host.Exchange(Request(CMD_READ_INFO, 34, 0));
    ASSERT_TRUE(reply);
    EXPECT_NE((*reply)[3], CMD_READ_INFO);
    EXPECT_NE((*reply)[3], CMD_LINK_QUERY);  // never mistaken for a link report
    EXPECT_EQ((*reply)[1] | (*reply)[2] << 8, test::Checksum(*reply));
    reply = host.Exchange(Request(CMD_READ_INFO, 34, 0));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], CMD_READ_INFO);
}

TEST_F(FaultPlanTest, ErrorStatusRefusesTheRequest) {
    for (uint8_t status : {0xFF, 0xFE}) {
        SCOPED_TRACE(static_cast<int>(status));
        ASSERT_TRUE(host.Exchange(Request(CMD_BEGIN_CONFIG)));
        backend->SetFaults(Product::Keyboard, {.errorReplies = 1, .errorStatus = status});
        std::optional<Packet> reply = host.Exchange(Request(CMD_WRITE_SETTINGS, 1, 0, slotOne));
        ASSERT_TRUE(reply);
        EXPECT_EQ((*reply)[3], CMD_WRITE_SETTINGS);
        EXPECT_EQ((*reply)[7], status);
        ASSERT_TRUE(host.Exchange(Request(CMD_END_CONFIG)));
        EXPECT_EQ(SlotByte(), 0);
    }
}

TEST_F(FaultPlanTest, DelayedReplyArrivesLate) {
    backend->SetFaults(Product::Keyboard, {.replyDelayMs = 300});
    ASSERT_TRUE(host.Send(Request(CMD_LINK_QUERY)));
    EXPECT_FALSE(host.Receive(30));
    std::optional<std::vector<uint8_t>> reply = host.Receive(2000);
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[3], CMD_LINK_QUERY);
}

// The cable comes out after two packets of a four-packet write inside a bracket: the host's
// next write fails, the product leaves the enumeration, and the half-written table is lost
// rather than applied.
TEST_F(FaultPlanTest, DisconnectInTheMiddleOfAChunkedWriteLosesNothingCommitted) {
    const DeviceMemory before = backend->Memory(Peripheral::Keyboard);
    ASSERT_TRUE(host.Exchange(Request(CMD_BEGIN_CONFIG)));
    backend->SetFaults(Product::Keyboard, {.disconnectAfterPackets = 2});
    const std::vector<uint8_t> table(4 * 56, 0x33);
    EXPECT_FALSE(host.WriteRange(CMD_WRITE_KEYMAP, 0, table, 56));

    EXPECT_FALSE(backend->IsPlugged(Product::Keyboard));
    std::vector<std::string> paths;
    backend->Enumerate(paths);
    EXPECT_TRUE(paths.empty());
    EXPECT_FALSE(host.Send(Request(CMD_END_CONFIG)));
    EXPECT_FALSE(backend->BracketOpen(Peripheral::Keyboard));

    backend->Plug(Product::Keyboard);
    RawHost again(*backend, Product::Keyboard);
    ASSERT_TRUE(again.Exchange(Request(CMD_END_CONFIG)));
    EXPECT_EQ(backend->Memory(Peripheral::Keyboard), before);
    EXPECT_EQ(backend->Faults(Product::Keyboard).disconnectAfterPackets, -1);
}

TEST_F(FaultPlanTest, FaultsBelongToOneProduct) {
    backend->Plug(Product::KeyboardReceiver);
    RawHost receiver(*backend, Product::KeyboardReceiver);
    backend->SetFaults(Product::KeyboardReceiver, {.errorReplies = 5});
    std::optional<Packet> reply = host.Exchange(Request(CMD_LINK_QUERY));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[7], 0);
    reply = receiver.Exchange(Request(CMD_LINK_QUERY));
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[7], 0xFF);
}

}  // namespace
}  // namespace vestra::emulator
