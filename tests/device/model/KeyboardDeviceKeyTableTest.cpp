#include <gtest/gtest.h>

#include "KeyboardDeviceFixture.h"
#include "device/protocol/KeyTable.h"
#include "profile/MacroLibrary.h"

namespace vestra::test {
namespace {

using emulator::Region;
using protocol::KeyCode;

constexpr size_t kEscape = 0;
constexpr size_t kKeyA = 64;           // 20 00 04
constexpr size_t kFirstEmptyKey = 18;  // positions 18-20, 104 and 126-169 are 20 00 00
constexpr size_t kLastEmptyKey = 169;

void PutCode(emulator::DeviceMemory& memory, size_t slot, KeyCode code) {
    ASSERT_TRUE(protocol::SetKeyCode(memory.Bytes(Region::KeyTable), slot, code));
}

using KeyboardKeyTableTest = KeyboardDeviceFixture;

TEST_F(KeyboardKeyTableTest, FactoryBoardMapsItsKeysToTheirSlotsAndLeds) {
    Connect();
    const KeyboardKeyMap map = device->KeyMap();
    const emulator::DeviceMemory memory = Memory();
    const size_t keyCount = memory.Bytes(Region::Info)[5];
    int mapped = 0;
    for (size_t position = 0; position < kKeyPositions; ++position) {
        if (map.slotOf[position] == kNoSlot) {
            EXPECT_EQ(map.ledOf[position], kNoSlot) << position;
            continue;
        }
        ++mapped;
        const size_t slot = map.slotOf[position];
        ASSERT_LT(slot, keyCount);
        EXPECT_EQ(protocol::KeyCodeAt(memory.Bytes(Region::KeyTable), slot),
                  kDefaultKeyCodes[position]);
        EXPECT_EQ(map.ledOf[position], memory.Bytes(Region::KeyLeds)[slot]) << position;
    }
    EXPECT_EQ(mapped, static_cast<int>(keyCount));
}

TEST_F(KeyboardKeyTableTest, DuplicateCodeMapsToTheFirstSlotAndEmptyPositionsShareTheFirstGap) {
    EditMemory([](emulator::DeviceMemory& memory) {
        PutCode(memory, 0, kDefaultKeyCodes[kKeyA]);  // Escape's slot now also types A
        PutCode(memory, 9, {0x20, 0x00, 0x00});
        PutCode(memory, 30, {0x20, 0x00, 0x00});
        memory.Bytes(Region::KeyLeds)[0] = 77;
    });
    Connect();
    const KeyboardKeyMap map = device->KeyMap();
    EXPECT_EQ(map.slotOf[kKeyA], 0);
    EXPECT_EQ(map.ledOf[kKeyA], 77);
    EXPECT_EQ(map.slotOf[kEscape], kNoSlot);
    EXPECT_EQ(map.slotOf[kFirstEmptyKey], 9);
    EXPECT_EQ(map.slotOf[kLastEmptyKey], 9);
}

TEST_F(KeyboardKeyTableTest, RemappedKeysKeepTheSlotsLearnedOnFirstContact) {
    constexpr size_t kKeyB = 89;  // 20 00 05
    Connect();
    const KeyboardKeyMap learned = device->KeyMap();
    ASSERT_NE(learned.slotOf[kKeyA], kNoSlot);
    ASSERT_NE(learned.slotOf[kKeyB], kNoSlot);

    // A now types B: the table holds B's code twice and A's nowhere.
    EditMemory([&](emulator::DeviceMemory& memory) {
        PutCode(memory, learned.slotOf[kKeyA], kDefaultKeyCodes[kKeyB]);
    });
    ASSERT_EQ(device->ReadKeyTables(), protocol::RESULT_OK);
    EXPECT_EQ(device->KeyMap().slotOf, learned.slotOf);
    EXPECT_EQ(device->KeyMap().ledOf, learned.ledOf);
}

TEST_F(KeyboardKeyTableTest, WithoutAnEmptySlotTheEmptyPositionsHaveNoSlot) {
    Connect();
    EXPECT_EQ(device->KeyMap().slotOf[kFirstEmptyKey], kNoSlot);
}

TEST_F(KeyboardKeyTableTest, KeyCountBeyondAKeyTableReadsNothing) {
    EditMemory([](emulator::DeviceMemory& memory) { memory.Bytes(Region::Info)[5] = 171; });
    OpenCable();
    EXPECT_NE(device->ReadKeyTables(), protocol::RESULT_OK);
    EXPECT_EQ(device->KeyMap().slotOf[kEscape], kNoSlot);
    EXPECT_FALSE(backend->BracketOpen(emulator::Peripheral::Keyboard));
}

// Macro keys: the device stores a macro's place among the used macros, not its library number.
class KeyboardMacroWriteTest : public KeyboardDeviceFixture {
protected:
    void AddMacros(int count) {
        MacroLibrary library(device->DataFolder());
        library.Load();
        for (int i = 0; i < count; ++i) ASSERT_EQ(library.Add(), MacroOutcome::Done);
    }
    void Bind(std::vector<KeyAssignmentPair>& keys, size_t position, uint8_t macro) {
        keys[position].current.code[0] = kMacroPlayType;
        keys[position].current.code[1] = macro;
        keys[position].current.code[2] = 1;
    }
    KeyCode SlotCode(size_t position) {
        const size_t slot = device->KeyMap().slotOf[position];
        return protocol::KeyCodeAt(Memory().Bytes(Region::KeyTable), slot);
    }
};

TEST_F(KeyboardMacroWriteTest, UsedMacrosFollowPositionOrderAndKeysCarryTheirPlace) {
    Connect();
    AddMacros(6);
    std::vector<KeyAssignmentPair> keys = device->KeyList();
    ASSERT_EQ(keys.size(), kKeyPositions);
    Bind(keys, 10, 5);
    Bind(keys, 3, 2);
    Bind(keys, 12, 5);
    Bind(keys, kKeyA, 9);  // no macro 9: the key gets its own code back
    device->SetKeyList(keys);
    const emulator::DeviceMemory before = Memory();

    EXPECT_EQ(device->CollectUsedMacros(), (std::vector<int>{2, 5}));
    ASSERT_EQ(device->WriteCurrentKeyMap(), protocol::RESULT_OK);

    EXPECT_EQ(SlotCode(3), (KeyCode{kMacroPlayType, 0, 1}));
    EXPECT_EQ(SlotCode(10), (KeyCode{kMacroPlayType, 1, 1}));
    EXPECT_EQ(SlotCode(12), (KeyCode{kMacroPlayType, 1, 1}));
    EXPECT_EQ(SlotCode(kKeyA), kDefaultKeyCodes[kKeyA]);
    // Every slot of another key is as it was.
    const emulator::DeviceMemory after = Memory();
    const KeyboardKeyMap map = device->KeyMap();
    const size_t keyCount = after.Bytes(Region::Info)[5];
    for (size_t slot = 0; slot < keyCount; ++slot) {
        if (slot == map.slotOf[3] || slot == map.slotOf[10] || slot == map.slotOf[12]) continue;
        EXPECT_EQ(protocol::KeyCodeAt(after.Bytes(Region::KeyTable), slot),
                  protocol::KeyCodeAt(before.Bytes(Region::KeyTable), slot))
            << slot;
    }
}

TEST_F(KeyboardMacroWriteTest, KeyMapIsNotWrittenBeforeTheTablesWereRead) {
    OpenCable();
    device->LoadProfile();
    const emulator::DeviceMemory before = Memory();
    EXPECT_EQ(device->WriteCurrentKeyMap(), protocol::RESULT_CLOSED);
    EXPECT_EQ(Memory(), before);
}

TEST_F(KeyboardMacroWriteTest, ImageOverCapacityReportsTheEventsTooManyAndSendsNothing) {
    EditMemory([](emulator::DeviceMemory& memory) { memory.Bytes(Region::Info)[6] = 0; });
    Connect();
    AddMacros(2);
    const emulator::DeviceMemory before = Memory();
    // Two empty macros: 16 + 2 * 2 + 2 * 4 = 28 bytes against a capacity of 0.
    const std::vector<int> used{0, 1};
    EXPECT_EQ(device->WriteMacros(used), 28 / 4 + 1);
    EXPECT_EQ(Memory(), before);
}

TEST_F(KeyboardMacroWriteTest, MacrosThatFitAreWrittenAndAClosedChannelIsNoSuccess) {
    Connect();
    AddMacros(2);
    const std::vector<int> used{1};
    EXPECT_EQ(device->WriteMacros(used), 0);
    const emulator::DeviceMemory memory = Memory();
    const std::span<const uint8_t> image = memory.Bytes(Region::Macros);
    EXPECT_EQ(image[0], 0xAA);
    EXPECT_EQ(image[1], 0x55);
    EXPECT_EQ(image[4], 1);  // one macro

    device->Channel().SetOpen(false);
    EXPECT_LT(device->WriteMacros(used), 0);
}

}  // namespace
}  // namespace vestra::test
