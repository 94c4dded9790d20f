#include "platform/DebugLog.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace vestra {
namespace {

struct LogState {
    std::mutex mutex;
    FILE* file = nullptr;
    bool ownsFile = false;
    std::function<void(std::string_view)> observer;

    LogState() {
        if (const char* target = std::getenv("VESTRA_DEBUG_LOG")) Open(target);
    }
    ~LogState() { CloseFile(); }

    void Open(const std::string& target) {
        CloseFile();
        if (target.empty()) return;
        if (target == "-") {
            file = stderr;
            return;
        }
        file = std::fopen(target.c_str(), "a");
        ownsFile = file != nullptr;
    }
    void CloseFile() {
        if (ownsFile) std::fclose(file);
        file = nullptr;
        ownsFile = false;
    }
};

LogState& State() {
    static LogState state;
    return state;
}

}  // namespace

void DebugLog::Write(std::string_view line) {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    if (s.file) {
        std::fwrite(line.data(), 1, line.size(), s.file);
        std::fputc('\n', s.file);
        std::fflush(s.file);
    }
    if (s.observer) s.observer(line);
}

void DebugLog::Printf(const char* format, ...) {
    if (!Enabled()) return;
    char buffer[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0) return;
    Write(std::string_view(buffer, static_cast<size_t>(n) < sizeof buffer ? n : sizeof buffer - 1));
}

bool DebugLog::Enabled() {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    return s.file != nullptr || static_cast<bool>(s.observer);
}

void DebugLog::SetTarget(const std::string& target) {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    s.Open(target);
}

void DebugLog::SetObserver(std::function<void(std::string_view)> observer) {
    LogState& s = State();
    std::lock_guard lock(s.mutex);
    s.observer = std::move(observer);
}

}  // namespace vestra
