// Keys keep the slots learned on first contact, also after they were reassigned.
#include <gtest/gtest.h>

#include <array>

#include "device/model/LearnedSlots.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {

constexpr uint8_t kNone = 170;

TEST(LearnedSlotsTest, FirstMapIsKeptAndReusedWhileTheKeyCountHolds) {
    test::TempFolder folder;
    const auto file = folder.Path() / "device" / kLearnedSlotsFile;

    std::array<uint8_t, 4> factory = {0, 2, 1, kNone};
    EXPECT_FALSE(RememberSlots(file, 11, factory, kNone));

    // A remapped key is no longer found by its factory code; the learned map still knows it.
    std::array<uint8_t, 4> later = {0, kNone, 1, kNone};
    EXPECT_TRUE(RememberSlots(file, 11, later, kNone));
    EXPECT_EQ(later, factory);

    // Another key count is another keyboard layout: learn again.
    std::array<uint8_t, 4> other = {3, 2, 1, 0};
    EXPECT_FALSE(RememberSlots(file, 12, other, kNone));
    EXPECT_EQ(other, (std::array<uint8_t, 4>{3, 2, 1, 0}));
}

TEST(LearnedSlotsTest, DamagedOrForeignFilesAreRelearned) {
    test::TempFolder folder;
    const std::string name = std::string("d/") + kLearnedSlotsFile;
    std::array<uint8_t, 3> slots = {0, 1, 2};

    folder.Write(name, "{ not json");
    EXPECT_FALSE(RememberSlots(folder.Path() / name, 5, slots, kNone));

    // Slots at or beyond the key count, or negative, read as none.
    folder.Write(name, R"({"KeyCount": 5, "Slots": [4, 5, -1]})");
    EXPECT_TRUE(RememberSlots(folder.Path() / name, 5, slots, kNone));
    EXPECT_EQ(slots, (std::array<uint8_t, 3>{4, kNone, kNone}));
}

}  // namespace
}  // namespace vestra
