// The image of the mouse's four bullet patterns for command 0x17, in the macro image format.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace vestra {

struct ShootImageBuild {
    std::vector<uint8_t> image;  // empty when error is set
    std::string error;           // why no image could be made
};

// Encodes "ShootData_0.Shoot" .. "ShootData_3.Shoot" of dataFolder as four macros in gun order.
// Null events (positions a short file skipped) become all-zero events. A file that cannot be
// read, or an event whose "Type" or "Button" does not fit a byte, gives an error: guessing
// would fire a different pattern than the file holds.
ShootImageBuild BuildShootImage(const std::filesystem::path& dataFolder);

}  // namespace vestra
