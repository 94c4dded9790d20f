// The fixed tables of the host-computed lighting effects: colours, curves, timings, key layouts.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vestra {

struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The keyboard knows 170 key positions; the value 170 marks an empty cell of the key grid and
// of the key order.
inline constexpr size_t kKeyPositions = 170;
inline constexpr uint8_t kNoKey = 170;
// Empty cells of the pattern and ripple grids; any value of 170 or more counts as empty.
inline constexpr uint8_t kNoGridKey = 255;
// Key positions that the key grid places on the keyboard (the others are unused positions).
inline constexpr size_t kKeysOnGrid = 132;

inline constexpr size_t kGridColumns = 23;
inline constexpr size_t kGridRows = 6;
inline constexpr size_t kPatternRows = 12;
inline constexpr size_t kPatternKeysPerRow = 12;
inline constexpr size_t kRippleRings = 23;
inline constexpr size_t kRippleKeysPerRing = 7;

// Hues run 0-191 around the wheel; the wheel table repeats its first 64 entries after that, so
// any byte indexes it safely and hues 192-255 continue from red.
inline constexpr size_t kHueCount = 192;
inline constexpr size_t kLevels = 5;  // speeds and brightness levels run 0-4

// The lights change at most once per frame of this length: effects that step faster run their
// due steps together, so the number of steps per second is kept.
inline constexpr uint64_t kLightFrameMs = 16;

extern const std::array<Rgb, 4> kBasicColours;
extern const std::array<Rgb, 256> kHueWheel;
extern const std::array<uint8_t, 128> kBreathingCurve;
extern const std::array<uint8_t, 96> kHalfBreathingCurve;
extern const std::array<uint8_t, 192> kTwinkleCurve;
// Brightness 0-255 of the brightness levels 0-4.
extern const std::array<uint8_t, kLevels> kBrightnessLevels;
// Blink half-period per speed 0-4, in units of 200 ms.
extern const std::array<uint8_t, kLevels> kBlinkIntervals;
// Clock ticks between two steps of an effect per speed 0-4.
extern const std::array<uint8_t, kLevels> kStepIntervals;

// Key position at [column][row]; kNoKey when the cell is empty.
extern const std::array<std::array<uint8_t, kGridRows>, kGridColumns> kKeyGrid;
// Diagonal bands across the keyboard, from the top-left corner to the bottom-right one.
extern const std::array<std::array<uint8_t, kPatternKeysPerRow>, kPatternRows> kPatternGrid;
// Rings around the keyboard centre, from the outer edge (ring 0) to the centre (ring 22).
extern const std::array<std::array<uint8_t, kRippleKeysPerRing>, kRippleRings> kRippleGrid;
// Every key of the grid row by row, left to right, then kNoKey.
extern const std::array<uint8_t, kKeyPositions> kKeyOrder;
// Grid column of each key position; kNoKey for positions off the grid.
extern const std::array<uint8_t, kKeyPositions> kKeyColumn;
// Grid row of each key position; kNoKey for positions off the grid.
extern const std::array<uint8_t, kKeyPositions> kKeyRow;

// Brightness of a level; levels above 4 count as 4.
uint8_t LevelBrightness(uint8_t level);
// A speed or brightness level as a table index; levels above 4 count as 4.
size_t LevelIndex(uint8_t level);
// Blink half-period of a speed in milliseconds.
uint32_t BlinkIntervalMs(uint8_t speed);
inline Rgb HueColour(uint8_t hue) {
    return kHueWheel[hue];
}

}  // namespace vestra
