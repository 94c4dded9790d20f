#include "device/model/LightTables.h"

#include <algorithm>

namespace vestra {

namespace {

// One sixth of the wheel: the component that changes takes these values, in this order.
constexpr std::array<uint8_t, 32> kHueRising = {
    1,  3,  5,  7,   10,  14,  18,  22,  26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr std::array<uint8_t, 32> kHueFalling = {
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};

constexpr std::array<Rgb, 256> BuildHueWheel() {
    std::array<Rgb, 256> wheel{};
    for (size_t i = 0; i < kHueCount; ++i) {
        uint8_t up = kHueRising[i % 32];
        uint8_t down = kHueFalling[i % 32];
        // Red with green rising; green with red falling; green with blue rising; blue with
        // green falling; blue with red rising; red with blue falling.
        const Rgb sixths[] = {{255, up, 0},   {down, 255, 0}, {0, 255, up},
                              {0, down, 255}, {up, 0, 255},   {255, 0, down}};
        wheel[i] = sixths[i / 32];
    }
    for (size_t i = kHueCount; i < wheel.size(); ++i) wheel[i] = wheel[i - kHueCount];
    return wheel;
}

constexpr std::array<uint8_t, 64> kBreathingRise = {
    0,   1,   2,   3,   4,   5,   6,   7,   8,   9,   10,  12,  14,  16,  18,  20,
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

constexpr std::array<uint8_t, 128> BuildBreathingCurve() {
    std::array<uint8_t, 128> curve{};
    for (size_t i = 0; i < 64; ++i) {
        curve[i] = kBreathingRise[i];
        curve[127 - i] = kBreathingRise[i];
    }
    return curve;
}

// The breathing curve without its 16 dimmest values on either side: 22 … 255, 255 … 22.
constexpr std::array<uint8_t, 96> BuildHalfBreathingCurve() {
    std::array<uint8_t, 96> curve{};
    for (size_t i = 0; i < 48; ++i) {
        curve[i] = kBreathingRise[16 + i];
        curve[95 - i] = kBreathingRise[16 + i];
    }
    return curve;
}

// A quick flash, the breathing fall from 248 down to 1 (with 2 twice), then darkness.
constexpr std::array<uint8_t, 192> BuildTwinkleCurve() {
    constexpr std::array<uint8_t, 25> flash = {0,   4,   8,   14,  22,  33,  45,  61,  77,
                                               84,  100, 110, 120, 130, 140, 150, 158, 166,
                                               175, 182, 191, 204, 220, 234, 255};
    std::array<uint8_t, 192> curve{};
    size_t n = 0;
    for (uint8_t v : flash) curve[n++] = v;
    for (size_t i = 62; i >= 1; --i) {
        curve[n++] = kBreathingRise[i];
        if (i == 2) curve[n++] = kBreathingRise[i];
    }
    return curve;  // the rest stays 0
}

constexpr std::array<uint8_t, kKeyPositions> BuildKeyOrder(
    const std::array<std::array<uint8_t, kGridRows>, kGridColumns>& grid) {
    std::array<uint8_t, kKeyPositions> order{};
    order.fill(kNoKey);
    size_t n = 0;
    for (size_t row = 0; row < kGridRows; ++row) {
        for (size_t column = 0; column < kGridColumns; ++column) {
            if (grid[column][row] != kNoKey) order[n++] = grid[column][row];
        }
    }
    return order;
}

constexpr std::array<uint8_t, kKeyPositions> BuildKeyCell(
    const std::array<std::array<uint8_t, kGridRows>, kGridColumns>& grid, bool wantColumn) {
    std::array<uint8_t, kKeyPositions> cell{};
    cell.fill(kNoKey);
    for (size_t column = 0; column < kGridColumns; ++column) {
        for (size_t row = 0; row < kGridRows; ++row) {
            uint8_t key = grid[column][row];
            if (key != kNoKey) cell[key] = static_cast<uint8_t>(wantColumn ? column : row);
        }
    }
    return cell;
}

}  // namespace

constexpr std::array<Rgb, 4> kBasicColours = {
    {{0, 255, 180}, {0, 255, 0}, {255, 255, 255}, {255, 0, 0}}};
constexpr std::array<Rgb, 256> kHueWheel = BuildHueWheel();
constexpr std::array<uint8_t, 128> kBreathingCurve = BuildBreathingCurve();
constexpr std::array<uint8_t, 96> kHalfBreathingCurve = BuildHalfBreathingCurve();
constexpr std::array<uint8_t, 192> kTwinkleCurve = BuildTwinkleCurve();
constexpr std::array<uint8_t, kLevels> kBrightnessLevels = {30, 80, 135, 195, 255};
constexpr std::array<uint8_t, kLevels> kBlinkIntervals = {28, 23, 18, 13, 7};
constexpr std::array<uint8_t, kLevels> kStepIntervals = {20, 12, 8, 5, 2};

constexpr std::array<std::array<uint8_t, kGridRows>, kGridColumns> kKeyGrid = {{
    {170, 120, 121, 122, 123, 124}, {170, 21, 42, 63, 84, 105},   {0, 22, 43, 64, 102, 106},
    {1, 23, 44, 65, 85, 20},        {2, 24, 45, 66, 86, 107},     {3, 25, 46, 67, 87, 126},
    {4, 26, 47, 68, 88, 127},       {18, 27, 48, 69, 89, 108},    {5, 28, 49, 70, 90, 128},
    {6, 29, 50, 71, 91, 129},       {7, 30, 51, 72, 92, 109},     {8, 31, 52, 73, 93, 125},
    {9, 32, 53, 74, 94, 110},       {10, 33, 54, 62, 100, 111},   {11, 34, 55, 75, 19, 130},
    {12, 101, 103, 79, 95, 112},    {13, 35, 56, 82, 80, 113},    {14, 36, 57, 83, 96, 114},
    {15, 37, 58, 17, 81, 115},      {170, 38, 59, 76, 97, 116},   {170, 39, 60, 77, 98, 104},
    {170, 40, 61, 78, 99, 117},     {170, 41, 16, 119, 118, 131},
}};

// The grid keys ordered along the diagonal (column + row), then top to bottom, cut into twelve
// bands of eleven keys.
constexpr std::array<std::array<uint8_t, kPatternKeysPerRow>, kPatternRows> kPatternGrid = {{
    {120, 0, 21, 121, 1, 22, 42, 122, 2, 23, 43, 255},
    {63, 123, 3, 24, 44, 64, 84, 124, 4, 25, 45, 255},
    {65, 102, 105, 18, 26, 46, 66, 85, 106, 5, 27, 255},
    {47, 67, 86, 20, 6, 28, 48, 68, 87, 107, 7, 255},
    {29, 49, 69, 88, 126, 8, 30, 50, 70, 89, 127, 255},
    {9, 31, 51, 71, 90, 108, 10, 32, 52, 72, 91, 255},
    {128, 11, 33, 53, 73, 92, 129, 12, 34, 54, 74, 255},
    {93, 109, 13, 101, 55, 62, 94, 125, 14, 35, 103, 255},
    {75, 100, 110, 15, 36, 56, 79, 19, 111, 37, 57, 255},
    {82, 95, 130, 38, 58, 83, 80, 112, 39, 59, 17, 255},
    {96, 113, 40, 60, 76, 81, 114, 41, 61, 77, 97, 255},
    {115, 16, 78, 98, 116, 119, 99, 104, 118, 117, 131, 255},
}};

// The grid keys ordered by their distance from the centre of the grid (column 11, between rows
// 2 and 3), cut into 23 rings of five or six keys, listed from the outside in.
constexpr std::array<std::array<uint8_t, kRippleKeysPerRing>, kRippleRings> kRippleGrid = {{
    {120, 41, 123, 118, 124, 131, 255}, {117, 121, 16, 122, 119, 255, 255},
    {78, 21, 40, 84, 99, 105, 255},     {0, 106, 104, 42, 61, 63, 255},
    {64, 77, 22, 39, 102, 98, 255},     {1, 20, 116, 43, 60, 255, 255},
    {65, 76, 23, 38, 85, 97, 255},      {2, 15, 107, 115, 44, 59, 255},
    {66, 17, 24, 37, 86, 81, 255},      {14, 126, 114, 45, 58, 255, 255},
    {83, 25, 36, 87, 96, 3, 255},       {13, 127, 113, 46, 57, 67, 255},
    {82, 26, 35, 88, 80, 4, 255},       {108, 112, 47, 56, 68, 255, 255},
    {27, 101, 89, 95, 18, 12, 255},     {128, 130, 48, 103, 69, 79, 255},
    {28, 34, 90, 19, 5, 11, 255},       {75, 6, 10, 129, 111, 255, 255},
    {9, 109, 110, 49, 55, 70, 255},     {29, 33, 91, 100, 125, 7, 255},
    {94, 50, 54, 71, 62, 8, 255},       {31, 93, 30, 32, 92, 255, 255},
    {52, 73, 51, 53, 72, 74, 255},
}};

constexpr std::array<uint8_t, kKeyPositions> kKeyOrder = BuildKeyOrder(kKeyGrid);
constexpr std::array<uint8_t, kKeyPositions> kKeyColumn = BuildKeyCell(kKeyGrid, true);
constexpr std::array<uint8_t, kKeyPositions> kKeyRow = BuildKeyCell(kKeyGrid, false);

static_assert(kHueWheel[0] == Rgb{255, 1, 0} && kHueWheel[191] == Rgb{255, 0, 0});
static_assert(kBreathingCurve[63] == 255 && kBreathingCurve[64] == 255);
static_assert(kHalfBreathingCurve[0] == 22 && kHalfBreathingCurve[95] == 22);
static_assert(kTwinkleCurve[86] == 2 && kTwinkleCurve[87] == 1 && kTwinkleCurve[88] == 0);
static_assert(kKeyOrder[kKeysOnGrid - 1] != kNoKey && kKeyOrder[kKeysOnGrid] == kNoKey);

uint8_t LevelBrightness(uint8_t level) {
    return kBrightnessLevels[LevelIndex(level)];
}

size_t LevelIndex(uint8_t level) {
    return std::min<size_t>(level, kLevels - 1);
}

uint32_t BlinkIntervalMs(uint8_t speed) {
    return kBlinkIntervals[LevelIndex(speed)] * 200u;
}

}  // namespace vestra
