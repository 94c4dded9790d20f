#include <gtest/gtest.h>

#include "hid/DeviceKind.h"
#include "hid/InterfaceSlots.h"
#include "hid/InterfaceTable.h"

namespace vestra::hid {
namespace {

using enum ProductCode;
constexpr auto kConfig = InterfaceRole::Configuration;
constexpr auto kNotify = InterfaceRole::Notification;

// A probe as it stands after its open: path values plus the collection's usage.
InterfaceEntry Opened(const std::string& path, uint16_t usagePage, uint16_t usage) {
    InterfaceEntry probe = ProbeFromPath(path);
    probe.usagePage = usagePage;
    probe.usage = usage;
    return probe;
}

InterfaceEntry OpenedCommand(const std::string& path) {
    return Opened(path, 0xFF1C, 0x92);
}
InterfaceEntry OpenedConsumer(const std::string& path) {
    return Opened(path, 0x000C, 0x01);
}

bool AllFree(const InterfaceSlots& slots) {
    for (size_t slot = 0; slot < slots.Count(); ++slot) {
        if (slots.At(slot).connected || !slots.At(slot).devicePath.empty()) return false;
    }
    return true;
}

TEST(InterfaceTable, PartnersLinkBackAcrossTheOtherLinkWithTheSameRole) {
    const auto table = SupportedInterfaces();
    for (size_t row = 0; row < table.size(); ++row) {
        SCOPED_TRACE(row);
        const InterfaceEntry& entry = table[row];
        EXPECT_FALSE(entry.connected);
        EXPECT_TRUE(entry.devicePath.empty());
        if (!entry.hasPartner) continue;
        ASSERT_LT(entry.partnerIndex, table.size());
        const InterfaceEntry& partner = table[entry.partnerIndex];
        EXPECT_TRUE(partner.hasPartner);
        EXPECT_EQ(partner.partnerIndex, row);
        EXPECT_EQ(partner.role, entry.role);
        EXPECT_EQ(partner.collectionNumber, entry.collectionNumber);
        EXPECT_EQ(KindOf(partner.productCode), KindOf(entry.productCode));
        EXPECT_NE(IsReceiver(partner.productCode), IsReceiver(entry.productCode));
        EXPECT_NE(partner.productId, entry.productId);
    }
}

TEST(InterfaceTable, FindInterfaceRowMatchesAllFourFields) {
    struct Case {
        uint16_t vendor, product;
        ProductCode code;
        InterfaceRole role;
        int row;
    };
    const Case cases[] = {
        {0x320F, 0x1000, Keyboard, kConfig, 0},
        {0x320F, 0x1000, Keyboard, kNotify, 1},
        {0x320F, 0x223E, MouseReceiver, kNotify, 7},
        {0x320F, 0x1004, MousePad, kConfig, 8},
        {0x0C76, 0x1630, Headset, kConfig, 10},
        {0x0C76, 0x1630, Headset, kNotify, -1},           // the headset has no notification row
        {0x320F, 0x1000, KeyboardReceiver, kConfig, -1},  // code of the other link
        {0x320F, 0x2224, Keyboard, kConfig, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindInterfaceRow(c.vendor, c.product, c.code, c.role), c.row)
            << std::hex << c.vendor << ":" << c.product;
    }
}

TEST(InterfaceTable, PathsNameRowsByTheirFourValues) {
    struct Case {
        const char* path;
        int row;
    };
    const Case cases[] = {
        {"\\\\?\\HID#VID_320F&PID_1000&MI_01&COL04#7&2f1a&0&0003#{4d1e55b2-f16f-11cf-88cb}", 0},
        {"/dev/hidraw3#vid_320f&pid_1000&mi_01&col04", 0},
        {"/dev/hidraw3#vid_320f&pid_1000&mi_01&col03", 1},
        {"/dev/hidraw7#vid_320f&pid_223e&mi_01&col03", 7},
        {"/dev/hidraw5#vid_0c76&pid_1630&mi_03", 10},        // single collection: number 0
        {"/dev/hidraw5#vid_0c76&pid_1630&mi_03&col01", -1},  // not the headset's layout
        {"/dev/hidraw2#vid_320f&pid_1000&mi_00", -1},        // the keyboard's boot interface
        {"/dev/hidraw3#vid_320f&pid_1000&mi_01&col02", -1},
        {"/dev/hidraw9#vid_046d&pid_c52b&mi_02&col04", -1},
        {"", -1},
    };
    const InterfaceSlots slots;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const InterfaceEntry probe = ProbeFromPath(c.path);
        EXPECT_EQ(probe.devicePath, c.path);
        EXPECT_EQ(FindPathRow(probe), c.row);
        EXPECT_EQ(slots.IsCandidate(probe), c.row >= 0);
    }
}

TEST(InterfaceTable, SameIdentityIgnoresRuntimeStateAndPartnerButNotUsage) {
    InterfaceEntry a = SupportedInterfaces()[4];
    InterfaceEntry b = a;
    b.connected = true;
    b.devicePath = "/dev/hidraw1#vid_320f&pid_2224&mi_01&col04";
    b.hasPartner = false;
    b.partnerIndex = 0;
    EXPECT_TRUE(SameIdentity(a, b));
    b.usage = 0x93;
    EXPECT_FALSE(SameIdentity(a, b));
    EXPECT_FALSE(SameIdentity(SupportedInterfaces()[4], SupportedInterfaces()[6]));
}

TEST(InterfaceSlots, ClaimStoresThePathAndGivesTheProbeItsCodeAndRole) {
    InterfaceSlots slots;
    InterfaceEntry probe = OpenedConsumer("/dev/hidraw4#vid_320f&pid_1100&mi_01&col03");
    EXPECT_EQ(slots.Claim(probe), 3u);
    EXPECT_EQ(probe.productCode, KeyboardReceiver);
    EXPECT_EQ(probe.role, kNotify);
    EXPECT_TRUE(slots.At(3).connected);
    EXPECT_EQ(slots.At(3).devicePath, probe.devicePath);
    EXPECT_TRUE(SameIdentity(slots.At(3), probe));

    InterfaceEntry headset = OpenedConsumer("/dev/hidraw8#vid_0c76&pid_1630&mi_03");
    EXPECT_EQ(slots.Claim(headset), 10u);
    EXPECT_EQ(headset.productCode, Headset);
}

TEST(InterfaceSlots, CollectionWithTheRightNumberButAnotherUsageLeavesEverySlotFree) {
    InterfaceSlots slots;
    const std::string path = "/dev/hidraw3#vid_320f&pid_1000&mi_01&col04";
    InterfaceEntry probe = OpenedConsumer(path);
    EXPECT_TRUE(slots.IsCandidate(probe));
    EXPECT_EQ(slots.Claim(probe), std::nullopt);
    EXPECT_TRUE(AllFree(slots));

    InterfaceEntry vendorOther = Opened(path, 0xFF1C, 0x93);
    EXPECT_EQ(slots.Claim(vendorOther), std::nullopt);
    EXPECT_TRUE(AllFree(slots));
}

TEST(InterfaceSlots, EachSlotHoldsOneInterfaceUntilReleased) {
    InterfaceSlots slots;
    InterfaceEntry first = OpenedCommand("/dev/hidraw3#vid_320f&pid_1000&mi_01&col04");
    InterfaceEntry second = OpenedCommand("/dev/hidraw9#vid_320f&pid_1000&mi_01&col04");
    ASSERT_EQ(slots.Claim(first), 0u);

    // A second keyboard of the same model finds no slot and is not even worth opening.
    EXPECT_FALSE(slots.IsCandidate(second));
    EXPECT_EQ(slots.Claim(second), std::nullopt);
    EXPECT_EQ(slots.At(0).devicePath, first.devicePath);

    slots.Release(0);
    EXPECT_FALSE(slots.At(0).connected);
    EXPECT_TRUE(slots.At(0).devicePath.empty());
    EXPECT_TRUE(slots.IsCandidate(second));
    EXPECT_EQ(slots.Claim(second), 0u);
    EXPECT_EQ(slots.At(0).devicePath, second.devicePath);

    slots.Release(slots.Count());  // out of range: ignored
}

TEST(InterfaceSlots, ProbeWithoutPathIsNotClaimed) {
    InterfaceSlots slots;
    InterfaceEntry probe = OpenedCommand("/dev/hidraw3#vid_320f&pid_1000&mi_01&col04");
    probe.devicePath.clear();
    EXPECT_EQ(slots.Claim(probe), std::nullopt);
    EXPECT_TRUE(AllFree(slots));
}

TEST(InterfaceSlots, EverySlotIsIdentifiedByItsProductsCableConfigurationEntry) {
    const int expected[kInterfaceRowCount] = {0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 10};
    const InterfaceSlots slots;
    for (size_t slot = 0; slot < slots.Count(); ++slot) {
        SCOPED_TRACE(slot);
        const std::optional<InterfaceEntry> entry = slots.ConfigurationEntryOf(slot);
        ASSERT_TRUE(entry.has_value());
        EXPECT_TRUE(SameIdentity(*entry, SupportedInterfaces()[expected[slot]]));
    }
    EXPECT_EQ(slots.ConfigurationEntryOf(slots.Count()), std::nullopt);
}

TEST(InterfaceSlots, MouseReceiverAndCableIdentifyTheSameDevice) {
    InterfaceSlots slots;
    InterfaceEntry receiver = OpenedCommand("/dev/hidraw6#vid_320f&pid_223e&mi_01&col04");
    InterfaceEntry cable = OpenedCommand("/dev/hidraw2#vid_320f&pid_2224&mi_01&col04");
    const std::optional<size_t> receiverSlot = slots.Claim(receiver);
    ASSERT_EQ(receiverSlot, 6u);
    EXPECT_FALSE(slots.PartnerLinkActive(6));

    const std::optional<size_t> cableSlot = slots.Claim(cable);
    ASSERT_EQ(cableSlot, 4u);
    EXPECT_TRUE(SameIdentity(*slots.ConfigurationEntryOf(6), *slots.ConfigurationEntryOf(4)));
    EXPECT_EQ(slots.ConfigurationEntryOf(6)->productCode, Mouse);
    EXPECT_TRUE(slots.PartnerLinkActive(6));
    EXPECT_TRUE(slots.PartnerLinkActive(4));

    // The notification slots pair independently of the configuration slots.
    EXPECT_FALSE(slots.PartnerLinkActive(5));
    EXPECT_FALSE(slots.PartnerLinkActive(7));

    slots.Release(4);
    EXPECT_FALSE(slots.PartnerLinkActive(6));
    EXPECT_TRUE(slots.PartnerLinkActive(4));  // the receiver still holds its slot
}

TEST(InterfaceSlots, ProductsWithoutPartnerNeverHaveAnotherLink) {
    InterfaceSlots slots;
    InterfaceEntry pad = OpenedCommand("/dev/hidraw2#vid_320f&pid_1004&mi_01&col04");
    // Slot 0 is the partner index the table leaves in rows without partner.
    InterfaceEntry keyboard = OpenedCommand("/dev/hidraw3#vid_320f&pid_1000&mi_01&col04");
    ASSERT_EQ(slots.Claim(pad), 8u);
    ASSERT_EQ(slots.Claim(keyboard), 0u);
    for (size_t slot : {8u, 9u, 10u}) EXPECT_FALSE(slots.PartnerLinkActive(slot)) << slot;
    EXPECT_FALSE(slots.PartnerLinkActive(slots.Count()));
}

}  // namespace
}  // namespace vestra::hid
