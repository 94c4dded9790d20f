#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "RawHost.h"
#include "emulator/EmulatedHidBackend.h"
#include "hid/HidInterface.h"
#include "platform/StopEvent.h"

namespace vestra::emulator {
namespace {

using hid::HidAccess;
using hid::HidSharing;
using hid::TransferResult;
using test::RawHost;

std::vector<std::string> PathsOf(EmulatedHidBackend& backend) {
    std::vector<std::string> paths;
    EXPECT_TRUE(backend.Enumerate(paths));
    return paths;
}

TEST(EmulatedHidBackend, EnumeratesOnePathPerCollectionOfEachPluggedProduct) {
    auto backend = EmulatedHidBackend::Create();
    EXPECT_TRUE(PathsOf(*backend).empty());

    backend->Plug(Product::MouseReceiver);
    backend->Plug(Product::Headset);
    EXPECT_EQ(PathsOf(*backend), (std::vector<std::string>{
                                     "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col01",
                                     "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col02",
                                     "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col03",
                                     "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col04",
                                     "emu:headset#vid_0c76&pid_1630&mi_03",
                                 }));

    backend->Unplug(Product::MouseReceiver);
    EXPECT_EQ(PathsOf(*backend), std::vector<std::string>{"emu:headset#vid_0c76&pid_1630&mi_03"});
    EXPECT_EQ(backend->Open("emu:mouse-receiver#vid_320f&pid_223e&mi_01&col04",
                            HidAccess::ReadWrite, HidSharing::Shared),
              nullptr);
    EXPECT_EQ(backend->Open("emu:nothing", HidAccess::ReadWrite, HidSharing::Shared), nullptr);
}

// The descriptors go through the program's own parser: the identities the interface table
// matches on must come out of them.
TEST(EmulatedHidBackend, InterfacesShowTheirIdentityThroughTheHidLayer) {
    auto backend = EmulatedHidBackend::Create();
    for (Product product : kAllProducts) backend->Plug(product);

    struct Case {
        const char* path;
        uint16_t vendor, product, usagePage, usage, inputLength, outputLength;
        uint32_t interface, collection;
    };
    const Case cases[] = {
        {"emu:keyboard#vid_320f&pid_1000&mi_01&col04", 0x320F, 0x1000, 0xFF1C, 0x92, 64, 64, 1, 4},
        {"emu:keyboard#vid_320f&pid_1000&mi_01&col03", 0x320F, 0x1000, 0x000C, 0x01, 3, 0, 1, 3},
        {"emu:keyboard-receiver#vid_320f&pid_1100&mi_01&col04", 0x320F, 0x1100, 0xFF1C, 0x92, 64,
         64, 1, 4},
        {"emu:mouse#vid_320f&pid_2224&mi_01&col04", 0x320F, 0x2224, 0xFF1C, 0x92, 64, 64, 1, 4},
        {"emu:mouse-receiver#vid_320f&pid_223e&mi_01&col03", 0x320F, 0x223E, 0x000C, 0x01, 3, 0, 1,
         3},
        {"emu:pad#vid_320f&pid_1004&mi_01&col04", 0x320F, 0x1004, 0xFF1C, 0x92, 64, 64, 1, 4},
        {"emu:headset#vid_0c76&pid_1630&mi_03", 0x0C76, 0x1630, 0x000C, 0x01, 64, 64, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        hid::HidInterface hid(*backend);
        ASSERT_TRUE(hid.Open(c.path, HidAccess::ReadWrite, HidSharing::Shared));
        EXPECT_EQ(hid.VendorId(), c.vendor);
        EXPECT_EQ(hid.ProductId(), c.product);
        EXPECT_EQ(hid.UsagePage(), c.usagePage);
        EXPECT_EQ(hid.Usage(), c.usage);
        EXPECT_EQ(hid.Caps().inputReportByteLength, c.inputLength);
        EXPECT_EQ(hid.Caps().outputReportByteLength, c.outputLength);
        EXPECT_EQ(hid.InterfaceNumber(), c.interface);
        EXPECT_EQ(hid.CollectionNumber(), c.collection);
    }
}

// A listener reads the consumer collection and takes the first usage of the report.
TEST(EmulatedHidBackend, NotificationUnpacksToItsUsage) {
    auto backend = EmulatedHidBackend::Create();
    backend->Plug(Product::Headset);
    hid::HidInterface hid(*backend);
    ASSERT_TRUE(
        hid.Open("emu:headset#vid_0c76&pid_1630&mi_03", HidAccess::ReadWrite, HidSharing::Shared));
    ASSERT_TRUE(backend->RequestSync(Peripheral::Headset));

    std::vector<uint8_t>& report = hid.InputReportBuffer();
    size_t read = 0;
    ASSERT_TRUE(hid.Read(report.data(), report.size(), &read, 1000));
    ASSERT_TRUE(hid.UnpackReport(report.data(), read, hid::ReportType::Input, hid.InputData()));
    auto set = std::find_if(hid.InputData().begin(), hid.InputData().end(),
                            [](const hid::HidDataItem& item) { return item.isDataSet; });
    ASSERT_NE(set, hid.InputData().end());
    ASSERT_TRUE(set->isButtonData);
    ASSERT_FALSE(set->usages.empty());
    EXPECT_EQ(set->usages[0], 0x0401);
}

TEST(EmulatedHidBackend, ExclusiveOpenExcludesOtherHandlesOfTheCollection) {
    auto backend = EmulatedHidBackend::Create();
    backend->Plug(Product::Pad);
    const std::string config = "emu:pad#vid_320f&pid_1004&mi_01&col04";
    const std::string notify = "emu:pad#vid_320f&pid_1004&mi_01&col03";

    auto shared = backend->Open(config, HidAccess::Read, HidSharing::Shared);
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(backend->Open(config, HidAccess::ReadWrite, HidSharing::Exclusive), nullptr);
    shared.reset();
    auto exclusive = backend->Open(config, HidAccess::ReadWrite, HidSharing::Exclusive);
    ASSERT_NE(exclusive, nullptr);
    EXPECT_EQ(backend->Open(config, HidAccess::Read, HidSharing::Shared), nullptr);
    EXPECT_NE(backend->Open(notify, HidAccess::Read, HidSharing::Shared), nullptr);
}

TEST(EmulatedHidBackend, EveryOpenHandleOfTheCollectionGetsEachReply) {
    auto backend = EmulatedHidBackend::Create();
    backend->Plug(Product::Keyboard);
    RawHost channel(*backend, Product::Keyboard);
    RawHost listener(*backend, Product::Keyboard);
    RawHost consumer(*backend, Product::Keyboard, 2);

    ASSERT_TRUE(channel.Send(test::Request(protocol::CMD_LINK_QUERY)));
    EXPECT_TRUE(channel.Receive());
    EXPECT_TRUE(listener.Receive());
    EXPECT_FALSE(consumer.Receive(0));
}

TEST(EmulatedHidBackend, ReadWaitsForReportTimeOutStopOrShutdown) {
    auto backend = EmulatedHidBackend::Create();
    backend->Plug(Product::Keyboard);
    RawHost host(*backend, Product::Keyboard, 2);
    ASSERT_TRUE(host.IsOpen());
    std::vector<uint8_t> buffer(64);
    size_t read = 99;

    EXPECT_EQ(host.Device().Read(buffer, read, 20, -1), TransferResult::TimedOut);
    EXPECT_EQ(read, 0u);

    std::thread user([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        backend->RequestSync(Peripheral::Keyboard);
    });
    EXPECT_EQ(host.Device().Read(buffer, read, -1, -1), TransferResult::Ok);
    user.join();
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + read),
              (std::vector<uint8_t>{3, 0x01, 0x04}));

    StopEvent stop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        stop.Set();
    });
    EXPECT_EQ(host.Device().Read(buffer, read, -1, stop.Fd()), TransferResult::Stopped);
    stopper.join();

    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        host.Device().Shutdown();
    });
    EXPECT_EQ(host.Device().Read(buffer, read, -1, -1), TransferResult::Stopped);
    closer.join();
    EXPECT_EQ(host.Device().Read(buffer, read, 0, -1), TransferResult::Failed);
    size_t written = 0;
    EXPECT_EQ(host.Device().Write(test::Request(1), written, 0, -1), TransferResult::Failed);
}

TEST(EmulatedHidBackend, UnplugFailsWaitingAndLaterTransfers) {
    auto backend = EmulatedHidBackend::Create();
    backend->Plug(Product::Mouse);
    RawHost host(*backend, Product::Mouse);
    std::vector<uint8_t> buffer(64);
    size_t read = 0;

    std::thread user([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        backend->Unplug(Product::Mouse);
    });
    EXPECT_EQ(host.Device().Read(buffer, read, -1, -1), TransferResult::Failed);
    user.join();
    EXPECT_FALSE(host.Send(test::Request(protocol::CMD_LINK_QUERY)));

    // Plugged in again, the old handle stays dead; a new one works.
    backend->Plug(Product::Mouse);
    EXPECT_FALSE(host.Send(test::Request(protocol::CMD_LINK_QUERY)));
    RawHost again(*backend, Product::Mouse);
    EXPECT_TRUE(again.Exchange(test::Request(protocol::CMD_LINK_QUERY)));
}

TEST(EmulatedHidBackend, RefusesReportsTheCollectionDoesNotDefine) {
    auto backend = EmulatedHidBackend::Create();
    backend->Plug(Product::Keyboard);
    RawHost config(*backend, Product::Keyboard);
    RawHost consumer(*backend, Product::Keyboard, 2);
    size_t written = 0;

    const test::Packet request = test::Request(protocol::CMD_LINK_QUERY);
    EXPECT_EQ(consumer.Device().Write(request, written, 0, -1), TransferResult::Failed);
    EXPECT_EQ(config.Device().Write(std::span(request).first(32), written, 0, -1),
              TransferResult::Failed);
    const uint8_t led[17] = {0xFF, 0x22, 0xAA};
    EXPECT_FALSE(config.Device().SetOutputReport(led));

    auto readOnly = backend->Open("emu:keyboard#vid_320f&pid_1000&mi_01&col04", HidAccess::Read,
                                  HidSharing::Shared);
    EXPECT_EQ(readOnly->Write(request, written, 0, -1), TransferResult::Failed);
}

}  // namespace
}  // namespace vestra::emulator
