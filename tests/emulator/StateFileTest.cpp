#include <gtest/gtest.h>

#include "RawHost.h"
#include "emulator/StateFile.h"
#include "support/TempFolder.h"

namespace vestra::emulator {
namespace {

using namespace vestra::protocol;
using test::RawHost;
using test::Request;

std::vector<DeviceMemory> MemoriesOf(const EmulatedHidBackend& backend) {
    std::vector<DeviceMemory> memories;
    for (Peripheral peripheral : kAllPeripherals) memories.push_back(backend.Memory(peripheral));
    return memories;
}

TEST(StateFile, SavedStateLoadsIntoAFreshEmulator) {
    vestra::test::TempFolder folder;
    const auto file = folder.Path() / "demo" / "emulator.json";
    auto first = EmulatedHidBackend::Create();
    first->Plug(Product::Mouse);
    RawHost mouse(*first, Product::Mouse);
    const std::vector<uint8_t> macros(100, 0xA5);
    ASSERT_TRUE(mouse.Exchange(Request(CMD_BEGIN_CONFIG)));
    ASSERT_TRUE(mouse.WriteRange(CMD_WRITE_MACROS, 0, macros, 56));
    ASSERT_TRUE(mouse.Exchange(Request(CMD_END_CONFIG)));
    first->SetAsleep(Peripheral::Mouse, true);
    first->SetPower(Peripheral::Keyboard, 12, PowerState::Charging);

    std::string error;
    ASSERT_TRUE(SaveStateFile(*first, file, error)) << error;
    auto second = EmulatedHidBackend::Create();
    ASSERT_EQ(LoadStateFile(*second, file, error), StateLoad::Loaded) << error;
    EXPECT_EQ(MemoriesOf(*second), MemoriesOf(*first));
    EXPECT_TRUE(second->IsAsleep(Peripheral::Mouse));
    EXPECT_FALSE(second->IsPlugged(Product::Mouse));  // what is plugged in is not state
}

TEST(StateFile, MissingFileIsNotAnError) {
    vestra::test::TempFolder folder;
    auto backend = EmulatedHidBackend::Create();
    std::string error;
    EXPECT_EQ(LoadStateFile(*backend, folder.Path() / "none.json", error), StateLoad::Missing);
}

TEST(StateFile, InvalidFileLeavesTheEmulatorAsItWas) {
    auto reference = EmulatedHidBackend::Create();
    Json::Value valid = reference->SaveState();

    Json::Value shortRegion = valid;
    shortRegion["Devices"]["keyboard"]["KeyTable"] = "0102";
    Json::Value badHex = valid;
    badHex["Devices"]["pad"]["Settings"] =
        std::string(valid["Devices"]["pad"]["Settings"].asString().size(), 'z');
    Json::Value missingDevice = valid;
    missingDevice["Devices"].removeMember("headset");
    Json::Value wrongVersion = valid;
    wrongVersion["Version"] = 99;
    Json::Value badFlag = valid;
    badFlag["Devices"]["mouse"]["Asleep"] = "yes";
    // The last device is the broken one: nothing loads, not even the devices before it.
    Json::Value lateFault = valid;
    lateFault["Devices"]["keyboard"]["Status"] = "646400000000";
    lateFault["Devices"]["headset"]["Info"] = 5;

    struct Case {
        const char* what;
        std::string text;
    };
    auto text = [](const Json::Value& value) { return value.toStyledString(); };
    const Case cases[] = {
        {"empty", ""},
        {"not JSON", "{ \"Version\": 1, "},
        {"array", "[1, 2]"},
        {"short region", text(shortRegion)},
        {"bad hexadecimal", text(badHex)},
        {"missing device", text(missingDevice)},
        {"wrong version", text(wrongVersion)},
        {"bad sleep flag", text(badFlag)},
        {"fault in the last device", text(lateFault)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        vestra::test::TempFolder folder;
        const auto file = folder.Write("emulator.json", c.text);
        auto backend = EmulatedHidBackend::Create();
        std::string error;
        EXPECT_EQ(LoadStateFile(*backend, file, error), StateLoad::Invalid);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(MemoriesOf(*backend), MemoriesOf(*reference));
    }
}

}  // namespace
}  // namespace vestra::emulator
