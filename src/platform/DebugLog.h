// The program's debug output: off unless VESTRA_DEBUG_LOG names a file or "-" (standard error).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vestra {

class DebugLog {
public:
    // Writes one line (a newline is added) when the log is on. Thread-safe.
    static void Write(std::string_view line);
    // printf-style convenience for the formatted lines the protocol trace uses.
    static void Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
    static bool Enabled();

    // Overrides the environment: a file path, "-" for standard error, or "" for off.
    static void SetTarget(const std::string& target);
    // Receives every line as well (tests read the protocol trace this way); empty to remove.
    static void SetObserver(std::function<void(std::string_view)> observer);
};

}  // namespace vestra
