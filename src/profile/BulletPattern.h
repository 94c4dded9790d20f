// The mouse's bullet-pattern files ("ShootData_N.Shoot"): one bullet at a time, and the
// factory copies a gun is restored from.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "profile/JsonFile.h"

namespace vestra {

// One bullet: a left click, then a move by (x, y) and a wait. In the file it is six events at
// 6b .. 6b + 5: left down (10 ms), left up, horizontal move x (5 ms), vertical move y (the
// bullet's delay), and a zero move on each axis.
struct Bullet {
    uint8_t x = 0;
    uint8_t y = 0;
    uint16_t delayMs = 0;
    bool left = false;  // horizontal move to the left ("down"), else to the right
    bool up = false;    // vertical move upward ("down"), else downward

    bool operator==(const Bullet&) const = default;
};

class BulletPattern {
public:
    static constexpr int kGunCount = 4;
    static constexpr int kBulletCount = 30;
    static constexpr int kEventsPerBullet = 6;

    // "ShootData_" + gun + ".Shoot".
    static std::string FileName(int gun);

    // Bullet b of the file. A file that cannot be read, and a bullet beyond its events, read as
    // zeros with both directions cleared.
    static Bullet LoadBullet(const std::filesystem::path& file, int bullet);
    // Writes the six events of bullet b into the file's "Events"; every other member and event
    // stays. Positions skipped over in a short file hold null. Bullets outside 0-29 are refused
    // (CreateFailed, nothing written).
    static JsonFile::WriteResult SaveBullet(const std::filesystem::path& file, int bullet,
                                            const Bullet& value);

    // Copies the factory file of the gun from defaultFolder over the one in dataFolder. False,
    // with the data file as it was, when the factory file cannot be read.
    static bool Restore(const std::filesystem::path& dataFolder,
                        const std::filesystem::path& defaultFolder, int gun);
    // Restores every gun whose file is missing, empty or not JSON; returns how many were.
    static int RestoreBroken(const std::filesystem::path& dataFolder,
                             const std::filesystem::path& defaultFolder);
};

}  // namespace vestra
