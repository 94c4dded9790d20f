#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "hid/HidInterface.h"
#include "hid/HidrawBackend.h"
#include "platform/DebugLog.h"
#include "support/FakeSysfs.h"
#include "support/SampleDescriptors.h"

namespace vestra::hid {
namespace {

using test::FakeSysfs;

constexpr int kKeyboardNode = 0;
constexpr int kMouseNode = 1;

class HidInterfaceTest : public ::testing::Test {
protected:
    HidInterfaceTest() : m_backend(m_sysfs.SysfsRoot(), m_sysfs.DevRoot()), m_hid(m_backend) {
        m_backend.SetNodeOpener(m_sysfs.Opener());
        m_sysfs.Add(kKeyboardNode, {0x320F, 0x1000, 0x0102, 1, test::KeyboardDescriptor()});
        m_sysfs.Add(kMouseNode, {0x320F, 0x1001, 0x0100, 0, test::MouseDescriptor()});
    }

    std::string Path(int node, const std::string& identity) const {
        return (m_sysfs.DevRoot() / ("hidraw" + std::to_string(node))).string() + identity;
    }
    std::string VendorPath() const { return Path(kKeyboardNode, "#vid_320f&pid_1000&mi_01&col03"); }
    std::string ConsumerPath() const {
        return Path(kKeyboardNode, "#vid_320f&pid_1000&mi_01&col02");
    }
    std::string KeyboardPath() const {
        return Path(kKeyboardNode, "#vid_320f&pid_1000&mi_01&col01");
    }
    std::string MousePath() const { return Path(kMouseNode, "#vid_320f&pid_1001&mi_00"); }

    static std::vector<uint8_t> VendorReport(uint8_t fill) {
        std::vector<uint8_t> report(64, fill);
        report[0] = 4;
        return report;
    }

    FakeSysfs m_sysfs;
    HidrawBackend m_backend;
    HidInterface m_hid;
};

TEST_F(HidInterfaceTest, EnumerationListsPathsUntilFreed) {
    ASSERT_TRUE(m_hid.Enumerate());
    EXPECT_EQ(m_hid.PathCount(), 4u);
    EXPECT_EQ(m_hid.NextPath(), KeyboardPath());
    EXPECT_EQ(m_hid.NextPath(), ConsumerPath());
    EXPECT_EQ(m_hid.NextPath(), VendorPath());
    EXPECT_EQ(m_hid.NextPath(), MousePath());
    EXPECT_EQ(m_hid.NextPath(), std::nullopt);

    ASSERT_TRUE(m_hid.Enumerate());  // starts over
    EXPECT_EQ(m_hid.NextPath(), KeyboardPath());

    m_hid.FreePaths();
    EXPECT_EQ(m_hid.PathCount(), 4u);  // the count stays as it was
    EXPECT_EQ(m_hid.NextPath(), std::nullopt);
}

TEST_F(HidInterfaceTest, NoInterfacesGiveAnEmptyList) {
    FakeSysfs empty;
    HidrawBackend backend(empty.SysfsRoot(), empty.DevRoot());
    HidInterface hid(backend);
    EXPECT_EQ(hid.NextPath(), std::nullopt);  // never enumerated
    EXPECT_TRUE(hid.Enumerate());
    EXPECT_EQ(hid.PathCount(), 0u);
    EXPECT_EQ(hid.NextPath(), std::nullopt);
}

TEST_F(HidInterfaceTest, ManyInterfacesKeepTheirOrder) {
    FakeSysfs many;
    std::vector<std::string> expected;
    for (int node = 0; node < 12; ++node) {
        uint16_t product = static_cast<uint16_t>(0x2000 + node);
        many.Add(node, {0x320F, product, 0x0100, 0, test::MouseDescriptor()});
        char identity[48];
        std::snprintf(identity, sizeof identity, "#vid_320f&pid_%04x&mi_00", product);
        expected.push_back((many.DevRoot() / ("hidraw" + std::to_string(node))).string() +
                           identity);
    }
    HidrawBackend backend(many.SysfsRoot(), many.DevRoot());
    HidInterface hid(backend);
    ASSERT_TRUE(hid.Enumerate());
    EXPECT_EQ(hid.PathCount(), 12u);
    std::vector<std::string> listed;
    while (std::optional<std::string> path = hid.NextPath()) listed.push_back(*path);
    EXPECT_EQ(listed, expected);  // hidraw10 after hidraw9
}

TEST_F(HidInterfaceTest, OpenReadsIdentityAndLayoutOfTheCollection) {
    ASSERT_TRUE(m_hid.Open(VendorPath(), HidAccess::ReadWrite, HidSharing::Exclusive));
    EXPECT_TRUE(m_hid.IsOpen());
    EXPECT_EQ(m_hid.VendorId(), 0x320F);
    EXPECT_EQ(m_hid.ProductId(), 0x1000);
    EXPECT_EQ(m_hid.VersionNumber(), 0x0102);
    EXPECT_EQ(m_hid.UsagePage(), 0xFF00);
    EXPECT_EQ(m_hid.Usage(), 0x01);
    EXPECT_EQ(m_hid.InterfaceNumber(), 1u);
    EXPECT_EQ(m_hid.CollectionNumber(), 3u);
    // Report id 4 and 63 data bytes.
    EXPECT_EQ(m_hid.InputReportLength(), 64);
    EXPECT_EQ(m_hid.Caps().outputReportByteLength, 64);
    EXPECT_EQ(m_hid.InputReportBuffer(), std::vector<uint8_t>(64, 0));
    EXPECT_EQ(m_hid.ReportBuffer(ReportType::Output).size(), 64u);
    EXPECT_TRUE(m_hid.ReportBuffer(ReportType::Feature).empty());
    ASSERT_EQ(m_hid.InputData().size(), 1u);
    EXPECT_FALSE(m_hid.InputData()[0].isButtonData);
    EXPECT_EQ(m_hid.InputData()[0].reportId, 4u);
    EXPECT_EQ(m_hid.InputData()[0].usage, 2);

    HidInterface consumer(m_backend);
    ASSERT_TRUE(consumer.Open(ConsumerPath(), HidAccess::Read, HidSharing::Shared));
    EXPECT_EQ(consumer.UsagePage(), 0x0C);
    EXPECT_EQ(consumer.CollectionNumber(), 2u);
    EXPECT_EQ(consumer.InputReportLength(), 3);
    ASSERT_EQ(consumer.InputData().size(), 1u);
    EXPECT_TRUE(consumer.InputData()[0].isButtonData);
    EXPECT_EQ(consumer.InputData()[0].usageMax, 0x3FFu);
    EXPECT_EQ(consumer.InputData()[0].maxUsageCount, 1u);
    EXPECT_EQ(consumer.InputData()[0].usages.size(), 1u);
}

TEST_F(HidInterfaceTest, ValueRangesBecomeOneItemPerUsage) {
    // Generic Desktop X..Z as one 3-field range, then a 4-button range, no report ids.
    m_sysfs.Add(
        5, {0x320F, 0x1005, 0x0100, 0, {0x05, 0x01, 0x09, 0x04, 0xA1, 0x01, 0x19, 0x30, 0x29, 0x32,
                                        0x15, 0x00, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02,
                                        0x05, 0x09, 0x19, 0x01, 0x29, 0x04, 0x25, 0x01, 0x75, 0x01,
                                        0x95, 0x04, 0x81, 0x02, 0x95, 0x04, 0x81, 0x01, 0xC0}});
    ASSERT_TRUE(
        m_hid.Open(Path(5, "#vid_320f&pid_1005&mi_00"), HidAccess::Read, HidSharing::Shared));
    std::vector<HidDataItem>& items = m_hid.InputData();
    ASSERT_EQ(items.size(), 4u);  // buttons first, then X, Y, Z
    EXPECT_TRUE(items[0].isButtonData);
    EXPECT_EQ(items[1].usage, 0x30);
    EXPECT_EQ(items[3].usage, 0x32);

    const std::vector<uint8_t> report = {0, 10, 20, 30, 0x09};
    ASSERT_TRUE(m_hid.UnpackReport(report.data(), report.size(), ReportType::Input, items));
    EXPECT_EQ(items[0].usages[0], 1);
    EXPECT_EQ(items[0].usages[1], 4);
    EXPECT_EQ(items[0].usages[2], 0);
    EXPECT_EQ(items[2].value, 20u);
    EXPECT_EQ(items[3].scaledValue, 30);
    for (const HidDataItem& item : items) EXPECT_TRUE(item.isDataSet);
}

TEST_F(HidInterfaceTest, UnpackKeepsOnlyInRangeUsagesInReportOrder) {
    ASSERT_TRUE(m_hid.Open(KeyboardPath(), HidAccess::Read, HidSharing::Shared));
    std::vector<HidDataItem>& items = m_hid.InputData();
    ASSERT_EQ(items.size(), 2u);
    // Both items see every usage of the keyboard page; each keeps its own range.
    EXPECT_EQ(items[0].maxUsageCount, 14u);

    // Left shift and right alt, then keys R, A, Space.
    const std::vector<uint8_t> report = {1, 0x42, 0, 0x15, 0x04, 0x2C, 0, 0, 0};
    ASSERT_TRUE(m_hid.UnpackReport(report.data(), report.size(), ReportType::Input, items));
    auto used = [](const HidDataItem& item) {
        return std::vector<uint16_t>(item.usages.begin(),
                                     std::find(item.usages.begin(), item.usages.end(), 0));
    };
    EXPECT_EQ(used(items[0]), (std::vector<uint16_t>{0xE1, 0xE6}));
    EXPECT_EQ(used(items[1]), (std::vector<uint16_t>{0x15, 0x04, 0x2C}));
    EXPECT_TRUE(items[0].isDataSet);
    EXPECT_EQ(items[0].status, static_cast<uint32_t>(HidpStatus::Success));

    // A report with another id leaves the items alone.
    items[1].isDataSet = false;
    const std::vector<uint8_t> other = {3, 0xE9, 0};
    ASSERT_TRUE(m_hid.UnpackReport(other.data(), other.size(), ReportType::Input, items));
    EXPECT_FALSE(items[1].isDataSet);
}

TEST_F(HidInterfaceTest, UnpackFailsWhenAValueCannotBeRead) {
    ASSERT_TRUE(m_hid.Open(VendorPath(), HidAccess::Read, HidSharing::Shared));
    const std::vector<uint8_t> shortReport = {4, 1, 2};
    EXPECT_FALSE(m_hid.UnpackReport(shortReport.data(), shortReport.size(), ReportType::Input,
                                    m_hid.InputData()));
    m_hid.Close();
    const std::vector<uint8_t> report = VendorReport(7);
    EXPECT_FALSE(
        m_hid.UnpackReport(report.data(), report.size(), ReportType::Input, m_hid.InputData()));
}

TEST_F(HidInterfaceTest, ReadAndWriteMoveReports) {
    ASSERT_TRUE(m_hid.Open(VendorPath(), HidAccess::ReadWrite, HidSharing::Exclusive));
    const std::vector<uint8_t> out = VendorReport(0x11);
    size_t written = 99;
    ASSERT_TRUE(m_hid.Write(out.data(), out.size(), &written, 1000));
    EXPECT_EQ(written, 64u);
    EXPECT_EQ(m_sysfs.ReceiveOutput(kKeyboardNode, 1000), out);

    const std::vector<uint8_t> in = VendorReport(0x22);
    m_sysfs.SendInput(kKeyboardNode, in);
    std::vector<uint8_t>& buffer = m_hid.InputReportBuffer();
    size_t read = 0;
    ASSERT_TRUE(m_hid.Read(buffer.data(), buffer.size(), &read, 1000));
    EXPECT_EQ(read, 64u);
    EXPECT_EQ(buffer, in);

    read = 99;
    EXPECT_FALSE(m_hid.Read(buffer.data(), buffer.size(), &read, 20));  // nothing more
    EXPECT_EQ(read, 0u);
}

TEST_F(HidInterfaceTest, UnnumberedReportsGetAZeroIdByte) {
    ASSERT_TRUE(m_hid.Open(MousePath(), HidAccess::Read, HidSharing::Shared));
    EXPECT_EQ(m_hid.InputReportLength(), 7);
    // hidraw hands over the 6 data bytes alone: button 2, X +3, Y -2, wheel +1.
    m_sysfs.SendInput(kMouseNode, std::vector<uint8_t>{0x02, 0x03, 0x00, 0xFE, 0xFF, 0x01});
    std::vector<uint8_t>& buffer = m_hid.InputReportBuffer();
    size_t read = 0;
    ASSERT_TRUE(m_hid.Read(buffer.data(), buffer.size(), &read, 1000));
    EXPECT_EQ(read, 7u);
    EXPECT_EQ(buffer, (std::vector<uint8_t>{0, 0x02, 0x03, 0x00, 0xFE, 0xFF, 0x01}));

    std::vector<HidDataItem>& items = m_hid.InputData();
    ASSERT_TRUE(m_hid.UnpackReport(buffer.data(), read, ReportType::Input, items));
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].usages[0], 2);
    EXPECT_EQ(items[1].scaledValue, 3);
    EXPECT_EQ(items[2].scaledValue, -2);
    EXPECT_EQ(items[3].scaledValue, 1);
}

TEST_F(HidInterfaceTest, CloseFromAnotherThreadEndsAnEndlessRead) {
    ASSERT_TRUE(m_hid.Open(VendorPath(), HidAccess::Read, HidSharing::Shared));
    std::vector<uint8_t> buffer(64);
    bool result = true;
    size_t read = 99;
    std::thread listener([&] { result = m_hid.Read(buffer.data(), buffer.size(), &read, -1); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    m_hid.Close();
    listener.join();
    EXPECT_FALSE(result);
    EXPECT_EQ(read, 0u);
    EXPECT_FALSE(m_hid.IsOpen());

    // The path and flags stay: the record reopens and reads again.
    ASSERT_TRUE(m_hid.Reopen());
    m_sysfs.SendInput(kKeyboardNode, VendorReport(3));
    EXPECT_TRUE(m_hid.Read(buffer.data(), buffer.size(), &read, 1000));
    EXPECT_EQ(read, 64u);
}

TEST_F(HidInterfaceTest, StopEventEndsAWaitAndIsConsumed) {
    ASSERT_TRUE(m_hid.Open(VendorPath(), HidAccess::Read, HidSharing::Shared));
    std::vector<uint8_t> buffer(64);
    bool result = true;
    std::thread listener([&] { result = m_hid.Read(buffer.data(), buffer.size(), nullptr, -1); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    m_hid.SetStop();
    listener.join();
    EXPECT_FALSE(result);

    m_sysfs.SendInput(kKeyboardNode, VendorReport(5));
    size_t read = 0;
    EXPECT_TRUE(m_hid.Read(buffer.data(), buffer.size(), &read, 1000));
    EXPECT_EQ(read, 64u);
}

TEST_F(HidInterfaceTest, WriteThatTimesOutLeavesTheHandleUsable) {
    ASSERT_TRUE(m_hid.Open(VendorPath(), HidAccess::ReadWrite, HidSharing::Shared));
    // The device stops taking reports: writes pile up until one times out.
    const std::vector<uint8_t> report = VendorReport(0x33);
    size_t written = 0;
    int accepted = 0;
    while (accepted < 10000 && m_hid.Write(report.data(), report.size(), &written, 20)) {
        ++accepted;
    }
    ASSERT_LT(accepted, 10000);
    EXPECT_EQ(written, 0u);
    EXPECT_TRUE(m_hid.IsOpen());

    for (int i = 0; i < accepted; ++i) ASSERT_EQ(m_sysfs.ReceiveOutput(kKeyboardNode, 0), report);
    EXPECT_TRUE(m_hid.Write(report.data(), report.size(), &written, 1000));
    EXPECT_EQ(written, 64u);
    EXPECT_EQ(m_sysfs.ReceiveOutput(kKeyboardNode, 1000), report);
}

TEST_F(HidInterfaceTest, RefusedOpensLeaveTheRecordClosed) {
    std::vector<std::string> lines;
    DebugLog::SetObserver([&](std::string_view line) { lines.emplace_back(line); });

    // The backend ignores what follows the identity, so a padded path still names the node.
    const std::string atLimit =
        VendorPath() + std::string(HidInterface::kMaxPathLength - VendorPath().size(), 'z');
    EXPECT_TRUE(m_hid.Open(atLimit, HidAccess::Read, HidSharing::Shared));
    EXPECT_TRUE(lines.empty());

    EXPECT_FALSE(m_hid.Open(atLimit + "z", HidAccess::Read, HidSharing::Shared));
    EXPECT_FALSE(m_hid.IsOpen());
    EXPECT_EQ(m_hid.UsagePage(), 0);
    EXPECT_EQ(m_hid.InputReportLength(), 0);
    EXPECT_TRUE(m_hid.InputData().empty());
    EXPECT_FALSE(m_hid.Reopen());  // the refused path was not kept
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("path of 260 characters"), std::string::npos) << lines[0];

    m_sysfs.Remove(kMouseNode);
    EXPECT_FALSE(m_hid.Open(MousePath(), HidAccess::Read, HidSharing::Shared));
    DebugLog::SetObserver({});
}

TEST_F(HidInterfaceTest, UnpluggedDeviceEndsTheWaitingRead) {
    ASSERT_TRUE(m_hid.Open(MousePath(), HidAccess::Read, HidSharing::Shared));
    std::vector<uint8_t> buffer(7);
    bool result = true;
    std::thread listener([&] { result = m_hid.Read(buffer.data(), buffer.size(), nullptr, -1); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    m_sysfs.Remove(kMouseNode);
    listener.join();
    EXPECT_FALSE(result);
    EXPECT_FALSE(m_hid.Reopen());
}

}  // namespace
}  // namespace vestra::hid
