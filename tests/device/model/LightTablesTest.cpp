#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "device/model/LightTables.h"

namespace vestra {
namespace {

TEST(LightTablesTest, HueWheelStartsEachSixthWhereTheColourCircleDoes) {
    struct Case {
        int index;
        Rgb colour;
    };
    const Case cases[] = {
        {0, {255, 1, 0}},   {32, {248, 255, 0}},  {64, {0, 255, 1}},   {96, {0, 248, 255}},
        {128, {1, 0, 255}}, {160, {255, 0, 248}}, {31, {255, 255, 0}}, {191, {255, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kHueWheel[c.index], c.colour) << "entry " << c.index;
    }
    // Past 191 the wheel repeats its first 64 entries.
    for (int i = 0; i < 64; ++i) EXPECT_EQ(kHueWheel[192 + i], kHueWheel[i]) << i;
}

TEST(LightTablesTest, CurvesRiseAndFallAsTheEffectsExpect) {
    EXPECT_EQ(kBreathingCurve[0], 0);
    EXPECT_EQ(kBreathingCurve[10], 10);
    EXPECT_EQ(kBreathingCurve[11], 12);
    EXPECT_EQ(kBreathingCurve[63], 255);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(kBreathingCurve[i], kBreathingCurve[127 - i]) << i;

    // The half curve is the breathing curve without the 16 dimmest entries of each side.
    for (int i = 0; i < 48; ++i) {
        EXPECT_EQ(kHalfBreathingCurve[i], kBreathingCurve[16 + i]) << i;
        EXPECT_EQ(kHalfBreathingCurve[95 - i], kBreathingCurve[16 + i]) << i;
    }

    const std::vector<uint8_t> twinkleStart = {0,   4,   8,   14,  22,  33,  45,  61,  77,  84,
                                               100, 110, 120, 130, 140, 150, 158, 166, 175, 182,
                                               191, 204, 220, 234, 255, 248, 241, 234};
    EXPECT_TRUE(std::equal(twinkleStart.begin(), twinkleStart.end(), kTwinkleCurve.begin()));
    const std::vector<uint8_t> twinkleTail = {4, 3, 2, 2, 1, 0, 0};
    EXPECT_TRUE(std::equal(twinkleTail.begin(), twinkleTail.end(), kTwinkleCurve.begin() + 83));
    EXPECT_TRUE(std::all_of(kTwinkleCurve.begin() + 88, kTwinkleCurve.end(),
                            [](uint8_t v) { return v == 0; }));
}

TEST(LightTablesTest, LevelsAboveFourCountAsFour) {
    EXPECT_EQ(LevelBrightness(0), 30);
    EXPECT_EQ(LevelBrightness(4), 255);
    EXPECT_EQ(LevelBrightness(200), 255);
    EXPECT_EQ(BlinkIntervalMs(2), 3600u);
    EXPECT_EQ(BlinkIntervalMs(9), 1400u);
}

std::multiset<int> GridKeys() {
    std::multiset<int> keys;
    for (const auto& column : kKeyGrid) {
        for (uint8_t key : column) {
            if (key != kNoKey) keys.insert(key);
        }
    }
    return keys;
}

template <typename Rows>
std::multiset<int> KeysOf(const Rows& rows) {
    std::multiset<int> keys;
    for (const auto& row : rows) {
        for (uint8_t key : row) {
            if (key < kKeyPositions) keys.insert(key);
        }
    }
    return keys;
}

TEST(LightTablesTest, AuthoredLayoutsHoldEveryGridKeyOnce) {
    const std::multiset<int> grid = GridKeys();
    ASSERT_EQ(grid.size(), kKeysOnGrid);
    ASSERT_EQ(std::set<int>(grid.begin(), grid.end()).size(), kKeysOnGrid);

    EXPECT_EQ(KeysOf(kPatternGrid), grid) << "pattern grid";
    EXPECT_EQ(KeysOf(kRippleGrid), grid) << "ripple grid";
    std::multiset<int> order;
    for (uint8_t key : kKeyOrder) {
        if (key != kNoKey) order.insert(key);
    }
    EXPECT_EQ(order, grid) << "key order";
    EXPECT_EQ(kKeyOrder[0], 0);  // the sweep starts at the top left

    for (size_t column = 0; column < kGridColumns; ++column) {
        for (size_t row = 0; row < kGridRows; ++row) {
            uint8_t key = kKeyGrid[column][row];
            if (key == kNoKey) continue;
            EXPECT_EQ(kKeyColumn[key], column);
            EXPECT_EQ(kKeyRow[key], row);
        }
    }
    EXPECT_EQ(kKeyColumn[150], kNoKey);
}

TEST(LightTablesTest, RipplesRunFromTheEdgeToTheCentre) {
    auto distance = [](uint8_t key) {
        double dc = kKeyColumn[key] - 11.0;
        double dr = kKeyRow[key] - 2.5;
        return dc * dc + dr * dr;
    };
    // Every key of a ring is at least as close to the centre as every key of the rings outside.
    double innermostSoFar = 1e9;
    for (const auto& ring : kRippleGrid) {
        double farthest = 0;
        for (uint8_t key : ring) {
            if (key < kKeyPositions) farthest = std::max(farthest, distance(key));
        }
        EXPECT_LE(farthest, innermostSoFar);
        for (uint8_t key : ring) {
            if (key < kKeyPositions) innermostSoFar = std::min(innermostSoFar, distance(key));
        }
    }
}

}  // namespace
}  // namespace vestra
