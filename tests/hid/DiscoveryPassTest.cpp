#include <gtest/gtest.h>

#include <cstdio>
#include <map>

#include "hid/DiscoveryPass.h"
#include "hid/HidrawBackend.h"
#include "hid/InterfaceTable.h"
#include "support/FakeSysfs.h"

namespace vestra::hid {
namespace {

// USB interface 1 of a 0x320F product: keyboard, system control, consumer control (report id
// 3) and the vendor command collection (page 0xFF1C, usage 0x92, report id 4, 63-byte input
// and output reports), so that "&col03" and "&col04" name what they name on the real device.
// clang-format off
const std::vector<uint8_t> kProductDescriptor = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01,  // keyboard, report id 1
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0xC0,
    0x05, 0x01, 0x09, 0x80, 0xA1, 0x01, 0x85, 0x02,  // system control, report id 2
    0x19, 0x81, 0x29, 0x83, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x03, 0x81, 0x02, 0x95, 0x01, 0x75, 0x05, 0x81, 0x01, 0xC0,
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x03,  // consumer control, report id 3
    0x15, 0x00, 0x26, 0xFF, 0x03, 0x19, 0x00, 0x2A, 0xFF, 0x03,
    0x75, 0x10, 0x95, 0x01, 0x81, 0x00, 0xC0,
    0x06, 0x1C, 0xFF, 0x09, 0x92, 0xA1, 0x01, 0x85, 0x04,  // vendor commands, report id 4
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x3F,
    0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0,
};
// clang-format on

// The headset's interface 3: one consumer collection, no report ids.
const std::vector<uint8_t> kHeadsetDescriptor = {
    0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x25, 0x01, 0x09, 0xE9, 0x09, 0xEA, 0x09,
    0xE2, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02, 0x75, 0x05, 0x95, 0x01, 0x81, 0x01, 0xC0,
};

struct FakeInterface {
    HidAttributes attributes;
    std::vector<uint8_t> descriptor;
    int collectionIndex = 0;
    bool openable = true;
};

class FakeDevice final : public HidDevice {
public:
    explicit FakeDevice(const FakeInterface& fake) : m_fake(fake) {}
    HidAttributes Attributes() const override { return m_fake.attributes; }
    std::vector<uint8_t> ReportDescriptor() const override { return m_fake.descriptor; }
    int CollectionIndex() const override { return m_fake.collectionIndex; }
    TransferResult Read(std::span<uint8_t>, size_t& bytesRead, int, int) override {
        bytesRead = 0;
        return TransferResult::TimedOut;
    }
    TransferResult Write(std::span<const uint8_t>, size_t& bytesWritten, int, int) override {
        bytesWritten = 0;
        return TransferResult::Failed;
    }
    bool SetOutputReport(std::span<const uint8_t>) override { return false; }
    void Shutdown() override {}

private:
    FakeInterface m_fake;
};

class FakeBackend final : public HidBackend {
public:
    // Paths enumerate in the order they were added.
    void Add(const std::string& path, FakeInterface fake) {
        m_order.push_back(path);
        m_interfaces[path] = std::move(fake);
    }

    bool Enumerate(std::vector<std::string>& paths) override {
        if (failEnumerate) return false;
        paths = m_order;
        return true;
    }
    std::shared_ptr<HidDevice> Open(const std::string& path, HidAccess access,
                                    HidSharing sharing) override {
        openedPaths.push_back(path);
        EXPECT_EQ(access, HidAccess::Read) << path;
        EXPECT_EQ(sharing, HidSharing::Shared) << path;
        const auto found = m_interfaces.find(path);
        if (found == m_interfaces.end() || !found->second.openable) return nullptr;
        auto device = std::make_shared<FakeDevice>(found->second);
        handles.push_back(device);
        return device;
    }

    bool AllHandlesClosed() const {
        for (const auto& handle : handles) {
            if (!handle.expired()) return false;
        }
        return true;
    }

    bool failEnumerate = false;
    std::vector<std::string> openedPaths;
    std::vector<std::weak_ptr<HidDevice>> handles;

private:
    std::vector<std::string> m_order;
    std::map<std::string, FakeInterface> m_interfaces;
};

// One USB interface 1 of a 0x320F product as the hidraw backend presents it: one path per
// top-level collection.
void AddProduct(FakeBackend& backend, const std::string& node, uint16_t productId) {
    char ids[32];
    std::snprintf(ids, sizeof ids, "#vid_320f&pid_%04x&mi_01", productId);
    for (int collection = 0; collection < 4; ++collection) {
        backend.Add(node + ids + "&col0" + std::to_string(collection + 1),
                    {{0x320F, productId, 0x0105}, kProductDescriptor, collection, true});
    }
}

class DiscoveryPassTest : public ::testing::Test {
protected:
    DiscoveryResult Run() { return RunDiscoveryPass(m_slots, m_hid); }

    FakeBackend m_backend;
    InterfaceSlots m_slots;
    HidInterface m_hid{m_backend};
};

TEST_F(DiscoveryPassTest, ClaimsTheSupportedCollectionsAndOpensNothingElse) {
    AddProduct(m_backend, "/dev/hidraw0", 0x1000);
    m_backend.Add("/dev/hidraw4#vid_0c76&pid_1630&mi_03",
                  {{0x0C76, 0x1630, 0x0100}, kHeadsetDescriptor, 0, true});
    m_backend.Add("/dev/hidraw5#vid_046d&pid_c52b&mi_02&col04",
                  {{0x046D, 0xC52B, 0x1200}, kProductDescriptor, 3, true});

    const DiscoveryResult result = Run();
    EXPECT_TRUE(result.enumerated);
    EXPECT_EQ(result.claimed, (std::vector<size_t>{1, 0, 10}));
    EXPECT_TRUE(result.unopenable.empty());
    EXPECT_EQ(m_slots.At(0).devicePath, "/dev/hidraw0#vid_320f&pid_1000&mi_01&col04");
    EXPECT_EQ(m_slots.At(1).devicePath, "/dev/hidraw0#vid_320f&pid_1000&mi_01&col03");
    EXPECT_EQ(m_slots.At(10).devicePath, "/dev/hidraw4#vid_0c76&pid_1630&mi_03");
    EXPECT_EQ(m_backend.openedPaths,
              (std::vector<std::string>{"/dev/hidraw0#vid_320f&pid_1000&mi_01&col03",
                                        "/dev/hidraw0#vid_320f&pid_1000&mi_01&col04",
                                        "/dev/hidraw4#vid_0c76&pid_1630&mi_03"}));
    EXPECT_TRUE(m_backend.AllHandlesClosed());
    EXPECT_FALSE(m_hid.IsOpen());

    // Nothing new: the next pass opens only what still has a free slot, and claims nothing.
    m_backend.openedPaths.clear();
    EXPECT_TRUE(Run().claimed.empty());
    EXPECT_TRUE(m_backend.openedPaths.empty());
}

TEST_F(DiscoveryPassTest, CollectionNumberedLikeTheCommandOneButWithAnotherUsageIsNotClaimed) {
    // Collection 4 of this path is the consumer collection on this unit.
    const std::string path = "/dev/hidraw0#vid_320f&pid_1000&mi_01&col04";
    m_backend.Add(path, {{0x320F, 0x1000, 0x0105}, kProductDescriptor, 2, true});

    const DiscoveryResult result = Run();
    EXPECT_TRUE(result.claimed.empty());
    EXPECT_EQ(m_backend.openedPaths, std::vector<std::string>{path});
    EXPECT_TRUE(m_backend.AllHandlesClosed());
    for (size_t slot = 0; slot < m_slots.Count(); ++slot) {
        EXPECT_FALSE(m_slots.At(slot).connected) << slot;
    }
}

TEST_F(DiscoveryPassTest, SecondIdenticalKeyboardIsLeftAlone) {
    AddProduct(m_backend, "/dev/hidraw0", 0x1000);
    AddProduct(m_backend, "/dev/hidraw6", 0x1000);

    EXPECT_EQ(Run().claimed, (std::vector<size_t>{1, 0}));
    EXPECT_EQ(m_slots.At(0).devicePath, "/dev/hidraw0#vid_320f&pid_1000&mi_01&col04");
    for (const std::string& opened : m_backend.openedPaths) {
        EXPECT_EQ(opened.find("/dev/hidraw6"), std::string::npos) << opened;
    }
}

TEST_F(DiscoveryPassTest, ReceiverAndCableOfTheMouseAreOneDevice) {
    AddProduct(m_backend, "/dev/hidraw2", 0x223E);
    ASSERT_EQ(Run().claimed, (std::vector<size_t>{7, 6}));
    EXPECT_FALSE(m_slots.PartnerLinkActive(6));  // the cable is not plugged in yet

    AddProduct(m_backend, "/dev/hidraw3", 0x2224);
    ASSERT_EQ(Run().claimed, (std::vector<size_t>{5, 4}));
    EXPECT_TRUE(SameIdentity(*m_slots.ConfigurationEntryOf(6), *m_slots.ConfigurationEntryOf(4)));
    EXPECT_TRUE(SameIdentity(*m_slots.ConfigurationEntryOf(7), *m_slots.ConfigurationEntryOf(4)));
    EXPECT_TRUE(m_slots.PartnerLinkActive(4));
    EXPECT_TRUE(m_slots.PartnerLinkActive(6));
}

TEST_F(DiscoveryPassTest, CandidateThatCannotBeOpenedIsReportedAndClaimsNothing) {
    const std::string path = "/dev/hidraw0#VID_320F&PID_1000&MI_01&COL04";
    m_backend.Add(path, {{0x320F, 0x1000, 0x0105}, kProductDescriptor, 3, false});
    m_backend.Add("/dev/hidraw1#vid_320f&pid_1000&mi_00",
                  {{0x320F, 0x1000, 0x0105}, kProductDescriptor, 0, false});

    const DiscoveryResult result = Run();
    EXPECT_TRUE(result.enumerated);
    EXPECT_TRUE(result.claimed.empty());
    ASSERT_EQ(result.unopenable.size(), 1u);  // the boot interface is no candidate
    EXPECT_EQ(result.unopenable[0].devicePath, path);
    EXPECT_EQ(result.unopenable[0].productCode, ProductCode::Keyboard);
    EXPECT_EQ(result.unopenable[0].role, InterfaceRole::Configuration);
    EXPECT_TRUE(m_slots.IsCandidate(ProbeFromPath(path)));  // tried again next pass
}

TEST_F(DiscoveryPassTest, EnumerationFailureIsReported) {
    m_backend.failEnumerate = true;
    const DiscoveryResult result = Run();
    EXPECT_FALSE(result.enumerated);
    EXPECT_TRUE(result.claimed.empty());
}

// The same pass over the hidraw backend: the paths it builds from sysfs name the table rows,
// and a node this user may not open is reported rather than skipped in silence.
TEST(DiscoveryPassHidraw, ClaimsFromSysfsAndReportsNodesItCannotOpen) {
    test::FakeSysfs sysfs;
    sysfs.Add(0, {0x320F, 0x1000, 0x0105, 1, kProductDescriptor});
    sysfs.Add(1, {0x320F, 0x2224, 0x0107, 1, kProductDescriptor});
    sysfs.Add(2, {0x0C76, 0x1630, 0x0100, 3, kHeadsetDescriptor});
    HidrawBackend backend(sysfs.SysfsRoot(), sysfs.DevRoot());
    const std::string refused = (sysfs.DevRoot() / "hidraw1").string();
    backend.SetNodeOpener([&, open = sysfs.Opener()](const std::string& node, int flags) {
        if (node == refused) {
            errno = EACCES;
            return -1;
        }
        return open(node, flags);
    });
    InterfaceSlots slots;
    HidInterface hid(backend);

    const DiscoveryResult result = RunDiscoveryPass(slots, hid);
    EXPECT_EQ(result.claimed, (std::vector<size_t>{1, 0, 10}));
    EXPECT_EQ(slots.At(10).devicePath,
              (sysfs.DevRoot() / "hidraw2").string() + "#vid_0c76&pid_1630&mi_03");
    ASSERT_EQ(result.unopenable.size(), 2u);
    EXPECT_EQ(result.unopenable[0].productCode, ProductCode::Mouse);
    EXPECT_EQ(result.unopenable[0].role, InterfaceRole::Notification);
    EXPECT_EQ(result.unopenable[1].role, InterfaceRole::Configuration);
    EXPECT_FALSE(hid.IsOpen());
}

}  // namespace
}  // namespace vestra::hid
