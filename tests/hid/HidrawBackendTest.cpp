#include <fcntl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "hid/HidrawBackend.h"
#include "support/FakeSysfs.h"
#include "support/SampleDescriptors.h"

namespace vestra::hid {
namespace {

using test::FakeSysfs;

class HidrawBackendTest : public ::testing::Test {
protected:
    HidrawBackendTest() : m_backend(m_sysfs.SysfsRoot(), m_sysfs.DevRoot()) {
        m_backend.SetNodeOpener(m_sysfs.Opener());
    }

    std::string Node(int number) const {
        return (m_sysfs.DevRoot() / ("hidraw" + std::to_string(number))).string();
    }
    std::vector<std::string> List() {
        std::vector<std::string> paths;
        EXPECT_TRUE(m_backend.Enumerate(paths));
        return paths;
    }

    FakeSysfs m_sysfs;
    HidrawBackend m_backend;
};

TEST_F(HidrawBackendTest, ListsOnePathPerTopLevelCollectionInNodeOrder) {
    m_sysfs.Add(10, {0x320F, 0x1001, 0x0100, 0, test::MouseDescriptor()});
    m_sysfs.Add(2, {0x320F, 0x1000, 0x0100, 1, test::KeyboardDescriptor()});
    m_sysfs.Add(3, {0x0C76, 0x1630, 0x0100, -1, test::HeadsetDescriptor()});

    EXPECT_EQ(List(), (std::vector<std::string>{
                          Node(2) + "#vid_320f&pid_1000&mi_01&col01",
                          Node(2) + "#vid_320f&pid_1000&mi_01&col02",
                          Node(2) + "#vid_320f&pid_1000&mi_01&col03",
                          Node(3) + "#vid_0c76&pid_1630&col01",  // not on USB: no interface
                          Node(3) + "#vid_0c76&pid_1630&col02",
                          Node(10) + "#vid_320f&pid_1001&mi_00",  // one collection: no "&col"
                      }));
}

TEST_F(HidrawBackendTest, NoHidrawClassMeansNoInterfaces) {
    std::filesystem::remove_all(m_sysfs.SysfsRoot() / "class");
    std::vector<std::string> paths = {"stale"};
    EXPECT_TRUE(m_backend.Enumerate(paths));
    EXPECT_TRUE(paths.empty());
}

TEST_F(HidrawBackendTest, NodesWithRefusedDescriptorsAreSkipped) {
    m_sysfs.Add(0, {0x320F, 0x1000, 0x0100, 0, {0xA1, 0x01, 0x85, 0x00, 0xC0}});  // id 0
    m_sysfs.Add(1, {0x320F, 0x1000, 0x0100, 1, {}});
    m_sysfs.Add(2, {0x320F, 0x1001, 0x0100, 0, test::MouseDescriptor()});
    EXPECT_EQ(List(), (std::vector<std::string>{Node(2) + "#vid_320f&pid_1001&mi_00"}));
}

TEST_F(HidrawBackendTest, OpenChecksThePathAgainstTheNode) {
    m_sysfs.Add(1, {0x320F, 0x1000, 0x0250, 1, test::KeyboardDescriptor()});
    const std::string good = Node(1) + "#vid_320f&pid_1000&mi_01&col03";

    std::shared_ptr<HidDevice> device =
        m_backend.Open(good, HidAccess::ReadWrite, HidSharing::Shared);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Attributes().vendorId, 0x320F);
    EXPECT_EQ(device->Attributes().productId, 0x1000);
    EXPECT_EQ(device->Attributes().versionNumber, 0x0250);
    EXPECT_EQ(device->CollectionIndex(), 2);
    EXPECT_EQ(device->ReportDescriptor(), test::KeyboardDescriptor());
    EXPECT_EQ(m_sysfs.LastOpenFlags() & O_ACCMODE, O_RDWR);

    const char* refused[] = {
        "#vid_320f&pid_1001&mi_01&col03",  // another product now holds the node
        "#vid_320f&pid_1000&mi_02&col03",  // another interface
        "#vid_320f&pid_1000&mi_01&col04",  // no such collection
        "#vid_320f&pid_1000&mi_01",        // several collections need a collection number
    };
    for (const char* suffix : refused) {
        EXPECT_FALSE(m_backend.Open(Node(1) + suffix, HidAccess::Read, HidSharing::Shared))
            << suffix;
    }
    EXPECT_FALSE(m_backend.Open(Node(7) + "#vid_320f&pid_1000&mi_01&col03", HidAccess::Read,
                                HidSharing::Shared));  // never there
    EXPECT_FALSE(m_backend.Open("/etc/hidraw1#vid_320f&pid_1000&mi_01&col03", HidAccess::Read,
                                HidSharing::Shared));  // outside the device folder
    EXPECT_FALSE(m_backend.Open(Node(1), HidAccess::Read, HidSharing::Shared));

    m_sysfs.Remove(1);
    EXPECT_FALSE(m_backend.Open(good, HidAccess::Read, HidSharing::Shared));
}

TEST_F(HidrawBackendTest, ExclusiveHandlesShareReadAccessOnly) {
    m_sysfs.Add(0, {0x320F, 0x1001, 0x0100, 0, test::MouseDescriptor()});
    const std::string path = Node(0) + "#vid_320f&pid_1001&mi_00";

    auto exclusive = m_backend.Open(path, HidAccess::ReadWrite, HidSharing::Exclusive);
    ASSERT_TRUE(exclusive);
    EXPECT_FALSE(m_backend.Open(path, HidAccess::ReadWrite, HidSharing::Shared));
    EXPECT_FALSE(m_backend.Open(path, HidAccess::Write, HidSharing::Shared));
    EXPECT_TRUE(m_backend.Open(path, HidAccess::Read, HidSharing::Shared));  // a probe still works

    exclusive->Shutdown();  // released at shutdown, before the last owner drops it
    auto second = m_backend.Open(path, HidAccess::ReadWrite, HidSharing::Shared);
    ASSERT_TRUE(second);
    EXPECT_FALSE(m_backend.Open(path, HidAccess::ReadWrite, HidSharing::Exclusive));
    second.reset();
    EXPECT_TRUE(m_backend.Open(path, HidAccess::ReadWrite, HidSharing::Exclusive));
}

TEST_F(HidrawBackendTest, EachCollectionReadsOnlyItsOwnReports) {
    m_sysfs.Add(0, {0x320F, 0x1000, 0x0100, 1, test::KeyboardDescriptor()});
    auto consumer = m_backend.Open(Node(0) + "#vid_320f&pid_1000&mi_01&col02", HidAccess::Read,
                                   HidSharing::Shared);
    auto vendor = m_backend.Open(Node(0) + "#vid_320f&pid_1000&mi_01&col03", HidAccess::ReadWrite,
                                 HidSharing::Shared);
    ASSERT_TRUE(consumer && vendor);

    std::vector<uint8_t> vendorReport(64, 0xA5);
    vendorReport[0] = 4;
    const std::vector<uint8_t> consumerReport = {3, 0xE9, 0x00};
    m_sysfs.SendInput(0, consumerReport);
    m_sysfs.SendInput(0, vendorReport);

    std::vector<uint8_t> buffer(64);
    size_t n = 0;
    ASSERT_EQ(vendor->Read(buffer, n, 1000, -1), TransferResult::Ok);
    EXPECT_EQ(buffer, vendorReport);
    EXPECT_EQ(n, 64u);
    EXPECT_EQ(vendor->Read(buffer, n, 20, -1), TransferResult::TimedOut);
    EXPECT_EQ(n, 0u);

    ASSERT_EQ(consumer->Read(buffer, n, 1000, -1), TransferResult::Ok);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + n), consumerReport);
}

TEST_F(HidrawBackendTest, OutputReportsReachTheNode) {
    m_sysfs.Add(0, {0x0C76, 0x1630, 0x0100, 3, test::HeadsetDescriptor()});
    auto vendor = m_backend.Open(Node(0) + "#vid_0c76&pid_1630&mi_03&col02", HidAccess::Write,
                                 HidSharing::Shared);
    ASSERT_TRUE(vendor);
    const std::vector<uint8_t> leds = {2, 0x10, 0x20, 0x30, 0x40};
    // The fake node has no HIDIOCSOUTPUT; the report goes out with a plain write.
    EXPECT_TRUE(vendor->SetOutputReport(leds));
    EXPECT_EQ(m_sysfs.ReceiveOutput(0, 1000), leds);

    size_t n = 0;
    EXPECT_EQ(vendor->Write(leds, n, 1000, -1), TransferResult::Ok);
    EXPECT_EQ(n, leds.size());
    EXPECT_EQ(m_sysfs.ReceiveOutput(0, 1000), leds);
}

TEST_F(HidrawBackendTest, UnpluggedNodeFailsTransfers) {
    m_sysfs.Add(0, {0x320F, 0x1001, 0x0100, 0, test::MouseDescriptor()});
    auto mouse = m_backend.Open(Node(0) + "#vid_320f&pid_1001&mi_00", HidAccess::ReadWrite,
                                HidSharing::Shared);
    ASSERT_TRUE(mouse);
    m_sysfs.Remove(0);
    std::vector<uint8_t> buffer(7);
    size_t n = 0;
    EXPECT_EQ(mouse->Read(buffer, n, -1, -1), TransferResult::Failed);
    EXPECT_EQ(mouse->Write(buffer, n, 100, -1), TransferResult::Failed);
    EXPECT_EQ(n, 0u);
}

}  // namespace
}  // namespace vestra::hid
