// The mouse's key table, macro and bullet-pattern writes against the emulated mouse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MouseDeviceFixture.h"
#include "device/protocol/ByteOrder.h"
#include "profile/BulletPattern.h"
#include "profile/JsonFile.h"
#include "profile/MacroLibrary.h"

namespace vestra::test {
namespace {

using emulator::Region;

class MouseKeyMapTest : public MouseDeviceFixture {
protected:
    // A library of count macros; macro i has events[i] events (1 when not given).
    void MakeMacros(int count, const std::vector<size_t>& events = {}) {
        MacroLibrary library(device->DataFolder());
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(library.Add(), MacroOutcome::Done);
            const size_t n = static_cast<size_t>(i) < events.size() ? events[i] : 1;
            std::vector<MacroEvent> list(n, MacroEvent{MacroEvent::Action::Down, 4, 10, 5});
            ASSERT_EQ(library.SaveEvents(i, list), MacroOutcome::Done);
        }
    }
    void Bind(size_t key, uint8_t type, uint8_t value1, uint8_t value2 = 0) {
        std::vector<KeyAssignmentPair> keys = device->KeyList();
        keys[key].current.code[0] = type;
        keys[key].current.code[1] = value1;
        keys[key].current.code[2] = value2;
        device->SetKeyList(keys);
    }
    protocol::KeyCode SlotCode(size_t slot) const {
        return protocol::KeyCodeAt(Memory().Bytes(Region::KeyTable), slot);
    }
    bool MacroMemoryEmpty() const {
        const emulator::DeviceMemory memory = Memory();
        for (uint8_t byte : memory.Bytes(Region::Macros)) {
            if (byte != 0) return false;
        }
        return true;
    }
};

TEST_F(MouseKeyMapTest, MacrosAreRenumberedInOrderOfFirstUse) {
    Connect();
    MakeMacros(6, {1, 1, 3, 1, 1, 2});
    Bind(1, kMacroPlayType, 5);       // right: macro 5
    Bind(2, kMacroPlayType, 5);       // middle: macro 5 again
    Bind(3, kMacroRepeatType, 2, 4);  // forward: macro 2, four times

    const std::vector<int> used = device->CollectUsedMacros();
    EXPECT_EQ(used, (std::vector<int>{5, 2}));
    ASSERT_EQ(device->WriteMacros(used), 0);
    ASSERT_EQ(device->WriteCurrentKeyMap(), protocol::RESULT_OK);

    EXPECT_EQ(SlotCode(1), (protocol::KeyCode{0x70, 0, 0}));
    EXPECT_EQ(SlotCode(2), (protocol::KeyCode{0x70, 0, 0}));
    EXPECT_EQ(SlotCode(4), (protocol::KeyCode{0x71, 1, 4}));     // forward sits in slot 4
    EXPECT_EQ(SlotCode(0), (protocol::KeyCode{0x10, 0x01, 0}));  // others as they were
    // The image: macro 5 (2 events) then macro 2 (3 events).
    const emulator::DeviceMemory memory = Memory();
    const std::span<const uint8_t> macros = memory.Bytes(Region::Macros);
    EXPECT_EQ(protocol::LoadLe16(&macros[4]), 2);
    EXPECT_EQ(protocol::LoadLe16(&macros[2]), 16 + 4 + (4 + 8) + (4 + 12));
    EXPECT_EQ(protocol::LoadLe16(&macros[20]), 2);
    // The key list in the profile keeps the library's numbers.
    EXPECT_EQ(device->KeyList()[1].current.code[1], 5);
}

TEST_F(MouseKeyMapTest, MacroOver250EventsIsRefusedWithItsCount) {
    Connect();
    MakeMacros(1, {251});
    Bind(1, kMacroPlayType, 0);
    const std::string keyTable = Memory().ToJson()["KeyTable"].asString();
    EXPECT_EQ(device->WriteMacros(device->CollectUsedMacros()), 251);
    EXPECT_TRUE(MacroMemoryEmpty());
    EXPECT_EQ(Memory().ToJson()["KeyTable"].asString(), keyTable);
}

TEST_F(MouseKeyMapTest, ImageBeyondTheMacroMemoryIsRefusedWithItsSize) {
    EditMemory([](emulator::DeviceMemory& memory) {
        memory.Bytes(Region::Info)[6] = 1;  // 128 bytes of macro memory
    });
    Connect();
    MakeMacros(1, {40});
    Bind(0, kMacroPlayType, 0);
    EXPECT_EQ(device->WriteMacros(device->CollectUsedMacros()), 16 + 2 + 4 + 40 * 4);
    EXPECT_TRUE(MacroMemoryEmpty());
}

TEST_F(MouseKeyMapTest, KeysWithoutASlotAreNeitherWrittenNorCounted) {
    EditMemory([](emulator::DeviceMemory& memory) {
        memory.Bytes(Region::Info)[5] = 5;  // only the five buttons
    });
    Connect();
    EXPECT_EQ(device->SlotMap()[4], 3);
    for (size_t key = 5; key < kMouseKeyCount; ++key) {
        EXPECT_EQ(device->SlotMap()[key], kMouseNoSlot) << key;
    }
    MakeMacros(2);
    Bind(7, kMacroPlayType, 1);  // DPI cycle: no slot
    EXPECT_TRUE(device->CollectUsedMacros().empty());
    const std::string before = Memory().ToJson()["KeyTable"].asString();
    ASSERT_EQ(device->WriteCurrentKeyMap(), protocol::RESULT_OK);
    EXPECT_EQ(Memory().ToJson()["KeyTable"].asString(), before);
}

TEST_F(MouseKeyMapTest, KeysOfMacrosThatNoLongerExistGetTheirDefault) {
    Connect();
    MakeMacros(2);
    Bind(0, kMacroPlayType, 9);
    Bind(1, kMacroPlayType, 1);
    // Written with its default, without changing the list.
    ASSERT_EQ(device->WriteCurrentKeyMap(), protocol::RESULT_OK);
    EXPECT_EQ(SlotCode(0), (protocol::KeyCode{0x10, 0x01, 0}));
    EXPECT_EQ(device->KeyList()[0].current.code[0], kMacroPlayType);

    EXPECT_TRUE(device->ValidateMacroKeys());
    EXPECT_EQ(device->KeyList()[0].current.code[0], 0x10);
    EXPECT_EQ(device->KeyList()[1].current.code[1], 1);
    EXPECT_FALSE(device->ValidateMacroKeys());
}

TEST_F(MouseKeyMapTest, KeyMapIsNotWrittenBeforeTheTableWasRead) {
    OpenCable();
    device->LoadProfile();
    const std::string before = Memory().ToJson()["KeyTable"].asString();
    EXPECT_EQ(device->WriteCurrentKeyMap(), protocol::RESULT_CLOSED);
    EXPECT_EQ(Memory().ToJson()["KeyTable"].asString(), before);
}

TEST_F(MouseKeyMapTest, ShootPatternsAreRestoredEncodedAndSent) {
    Connect();
    // No pattern files yet: the factory copies are taken.
    ASSERT_EQ(device->WriteShootPatterns(), protocol::RESULT_OK) << device->ShootImageError();
    const emulator::DeviceMemory memory = Memory();
    const std::span<const uint8_t> shoot = memory.Bytes(Region::Shoot);
    EXPECT_EQ(shoot[0], 0xAA);
    EXPECT_EQ(shoot[1], 0x55);
    EXPECT_EQ(protocol::LoadLe16(&shoot[2]), 16 + 8 + 4 * (4 + 180 * 4));
    EXPECT_EQ(protocol::LoadLe16(&shoot[4]), 4);
    // Gun 0, bullet 0: left down (type 1 | 0x80, button 1, 10 ms).
    const size_t gun0 = protocol::LoadLe16(&shoot[16]);
    EXPECT_EQ(protocol::LoadLe16(&shoot[gun0]), 180);
    EXPECT_EQ(protocol::LoadLe16(&shoot[gun0 + 4]), 10);
    EXPECT_EQ(shoot[gun0 + 6], 0x81);
    EXPECT_EQ(shoot[gun0 + 7], 1);
    EXPECT_FALSE(backend->BracketOpen(emulator::Peripheral::Mouse));
}

TEST_F(MouseKeyMapTest, PatternWithAnUnencodableEventSendsNothing) {
    Connect();
    ASSERT_EQ(device->WriteShootPatterns(), protocol::RESULT_OK);
    const std::string before = Memory().ToJson()["Shoot"].asString();
    const std::filesystem::path file = device->DataFolder() / BulletPattern::FileName(1);
    Json::Value document = JsonFile::Read(file);
    document["Events"][2]["Button"] = 300;
    ASSERT_EQ(JsonFile::Write(file, document), JsonFile::WriteResult::Ok);
    EXPECT_EQ(device->WriteShootPatterns(), protocol::RESULT_WRITE_FAILED);
    EXPECT_NE(device->ShootImageError().find("ShootData_1.Shoot"), std::string::npos);
    EXPECT_EQ(Memory().ToJson()["Shoot"].asString(), before);
}

TEST_F(MouseKeyMapTest, SkippedEventsAreSentAsZeros) {
    Connect();
    const std::filesystem::path folder = device->DataFolder();
    for (int gun = 0; gun < BulletPattern::kGunCount; ++gun) {
        Json::Value document(Json::objectValue);
        document["Events"] = Json::Value(Json::arrayValue);
        ASSERT_EQ(JsonFile::Write(folder / BulletPattern::FileName(gun), document),
                  JsonFile::WriteResult::Ok);
    }
    // Bullet 1 of gun 0 alone: events 0-5 are null.
    ASSERT_EQ(BulletPattern::SaveBullet(folder / BulletPattern::FileName(0), 1,
                                        Bullet{3, 4, 60, true, false}),
              JsonFile::WriteResult::Ok);
    ASSERT_EQ(device->WriteShootPatterns(), protocol::RESULT_OK) << device->ShootImageError();
    const emulator::DeviceMemory memory = Memory();
    const std::span<const uint8_t> shoot = memory.Bytes(Region::Shoot);
    const size_t gun0 = protocol::LoadLe16(&shoot[16]);
    EXPECT_EQ(protocol::LoadLe16(&shoot[gun0]), 12);
    for (size_t i = 0; i < 6 * 4; ++i) EXPECT_EQ(shoot[gun0 + 4 + i], 0) << i;
    // Event 8: horizontal move to the left by 3, 5 ms.
    const size_t event8 = gun0 + 4 + 8 * 4;
    EXPECT_EQ(protocol::LoadLe16(&shoot[event8]), 5);
    EXPECT_EQ(shoot[event8 + 2], 0x84);
    EXPECT_EQ(shoot[event8 + 3], 3);
}

}  // namespace
}  // namespace vestra::test
