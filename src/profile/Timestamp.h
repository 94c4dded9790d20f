// The local-time text that names profiles and macros: "2019_03_12_08_05_09_042".
#pragma once

#include <chrono>
#include <string>

namespace vestra {

// Year, month, day, hour, minute, second and millisecond of the local time, formatted with
// "%d_%02d_%02d_%02d_%02d_%02d_%03d".
std::string FormatTimestamp(std::chrono::system_clock::time_point time);

}  // namespace vestra
