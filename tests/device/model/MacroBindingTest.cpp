#include <gtest/gtest.h>

#include <vector>

#include "device/model/MacroBinding.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {
using protocol::KeyCode;
using Action = MacroEvent::Action;

KeyAssignmentPair Key(KeyCode current, KeyCode defaults = {0x20, 0, 0x04}) {
    return {{0, {current.type, current.value1, current.value2}, 0},
            {0, {defaults.type, defaults.value1, defaults.value2}, 0}};
}

KeyCode CurrentOf(const KeyAssignmentPair& key) {
    return {key.current.code[0], key.current.code[1], key.current.code[2]};
}

TEST(MacroBindingTest, KeysNameTheirMacroByItsPlaceAmongTheUsedOnes) {
    std::vector<KeyAssignmentPair> keys(12, Key({0x20, 0, 0x04}));
    keys[3] = Key({0x70, 2, 1});                   // macro 2, play mode 1
    keys[10] = Key({0x71, 5, 10});                 // macro 5, repeated 10 times
    keys[11] = Key({0x70, 2, 3});                  // macro 2 again
    keys[6] = Key({0x70, 7, 0}, {0x20, 0, 0x2C});  // macro 7 is not in a library of 6
    keys[7] = Key({0x72, 1, 0});                   // gun key, no macro

    const MacroKeyMap map = RenumberMacroKeys(keys, 6);
    EXPECT_EQ(map.usedMacros, (std::vector<int>{2, 5}));
    EXPECT_EQ(CollectUsedMacros(keys, 6), map.usedMacros);
    ASSERT_EQ(map.codes.size(), keys.size());
    EXPECT_EQ(map.codes[3], (KeyCode{0x70, 0, 1}));
    EXPECT_EQ(map.codes[10], (KeyCode{0x71, 1, 10}));
    EXPECT_EQ(map.codes[11], (KeyCode{0x70, 0, 3}));
    EXPECT_EQ(map.codes[6], (KeyCode{0x20, 0, 0x2C}));
    EXPECT_EQ(map.codes[7], (KeyCode{0x72, 1, 0}));
    EXPECT_EQ(map.codes[0], (KeyCode{0x20, 0, 0x04}));
    // The key list itself keeps the library numbers.
    EXPECT_EQ(CurrentOf(keys[10]), (KeyCode{0x71, 5, 10}));

    EXPECT_TRUE(CollectUsedMacros(keys, 0).empty());
}

TEST(MacroBindingTest, ValidateMacroKeysRestoresKeysWhoseMacroIsGone) {
    std::vector<KeyAssignmentPair> keys{Key({0x70, 0, 0}), Key({0x71, 3, 2}, {0x20, 0, 0x29}),
                                        Key({0x70, 2, 0}), Key({0x30, 0xE9, 0})};
    EXPECT_TRUE(ValidateMacroKeys(keys, 3));
    EXPECT_EQ(CurrentOf(keys[0]), (KeyCode{0x70, 0, 0}));
    EXPECT_EQ(CurrentOf(keys[1]), (KeyCode{0x20, 0, 0x29}));
    EXPECT_EQ(CurrentOf(keys[2]), (KeyCode{0x70, 2, 0}));
    EXPECT_EQ(CurrentOf(keys[3]), (KeyCode{0x30, 0xE9, 0}));
    EXPECT_FALSE(ValidateMacroKeys(keys, 3));
}

class MacroImageTest : public ::testing::Test {
protected:
    MacroImageTest() : m_library(m_folder.Path()) {}

    // A macro of count events; event i is key usage i, pressed, with a delay of 256 + i.
    void AddMacro(size_t count) {
        ASSERT_EQ(m_library.Add(), MacroOutcome::Done);
        std::vector<MacroEvent> events;
        for (size_t i = 0; i < count; ++i) {
            events.push_back({i % 2 ? Action::Up : Action::Down, static_cast<uint8_t>(i), 10,
                              static_cast<uint16_t>(256 + i)});
        }
        ASSERT_EQ(m_library.SaveEvents(m_library.Count() - 1, events), MacroOutcome::Done);
    }

    test::TempFolder m_folder;
    MacroLibrary m_library;
};

TEST_F(MacroImageTest, TheImageHoldsTheUsedMacrosInTheirOrder) {
    AddMacro(5);
    AddMacro(3);
    const std::vector<int> used{1, 0};
    const MacroImageBuild build = BuildMacroImage(m_library, used, 128, MacroImageRules::Keyboard);
    ASSERT_EQ(build.result, 0);
    // 16 + 2 * 2 + (4 + 3 * 4) + (4 + 5 * 4) = 60; records at 20 and 36.
    ASSERT_EQ(build.image.size(), 60u);
    const std::vector<uint8_t> header{0xAA, 0x55, 60, 0, 2, 0, 0,  0, 0,  0,
                                      0,    0,    0,  0, 0, 0, 20, 0, 36, 0};
    EXPECT_EQ(std::vector<uint8_t>(build.image.begin(), build.image.begin() + 20), header);
    // Macro 1 first: 3 events; its second event is a release (no bit 7) of usage 1.
    EXPECT_EQ(std::vector<uint8_t>(build.image.begin() + 20, build.image.begin() + 32),
              (std::vector<uint8_t>{3, 0, 0, 0, 0x00, 0x01, 0x8A, 0x00, 0x01, 0x01, 0x0A, 0x01}));
    EXPECT_EQ(build.image[36], 5);
}

TEST_F(MacroImageTest, AnImageOverCapacityIsReportedAsEachDeviceCountsIt) {
    AddMacro(5);
    AddMacro(3);
    const std::vector<int> used{0, 1};  // 60 bytes
    const struct {
        MacroImageRules rules;
        size_t capacity;
        int result;
    } cases[] = {
        {MacroImageRules::Keyboard, 60, 0},
        {MacroImageRules::Keyboard, 59, 1},  // (60 - 59) / 4 + 1
        {MacroImageRules::Keyboard, 0, 16},  // a capacity byte of 0 takes nothing
        {MacroImageRules::Mouse, 60, 0},
        {MacroImageRules::Mouse, 59, 60},  // the image size
        {MacroImageRules::Mouse, 0, 60},
    };
    for (const auto& c : cases) {
        const MacroImageBuild build = BuildMacroImage(m_library, used, c.capacity, c.rules);
        EXPECT_EQ(build.result, c.result) << c.capacity;
        EXPECT_EQ(build.image.empty(), c.result != 0) << c.capacity;
    }
}

TEST_F(MacroImageTest, TheMouseTakesNoMacroOverTwoHundredFiftyEvents) {
    AddMacro(250);
    AddMacro(251);
    const size_t capacity = 255 * 128;
    const std::vector<int> fits{0}, tooLong{0, 1};
    EXPECT_EQ(BuildMacroImage(m_library, fits, capacity, MacroImageRules::Mouse).result, 0);
    const MacroImageBuild refused =
        BuildMacroImage(m_library, tooLong, capacity, MacroImageRules::Mouse);
    EXPECT_EQ(refused.result, 251);
    EXPECT_TRUE(refused.image.empty());
    EXPECT_EQ(BuildMacroImage(m_library, tooLong, capacity, MacroImageRules::Keyboard).result, 0);
}

}  // namespace
}  // namespace vestra
