// The windowed program as a user meets it: time from process start to the first shown window,
// then resident memory and CPU use over a minute of idling with the four demo devices attached
// and the keyboard's lighting computed on the host. Runs the built `vestra` on the offscreen
// platform in data folders of its own.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kStartRuns = 5;
constexpr int kIdleSeconds = 60;
constexpr char kShownLine[] = "main window shown";

struct Child {
    pid_t pid = -1;
    Clock::time_point started;
};

Child Launch(const fs::path& home, const std::string& log, const std::vector<std::string>& extra) {
    Child child;
    std::fflush(stdout);  // or the child would print what is buffered again
    child.started = Clock::now();
    child.pid = fork();
    if (child.pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_DATA_HOME", (home / "data").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
        setenv("XDG_RUNTIME_DIR", (home / "run").c_str(), 1);
        if (log.empty()) {
            unsetenv("VESTRA_DEBUG_LOG");
        } else {
            setenv("VESTRA_DEBUG_LOG", log.c_str(), 1);
        }
        std::vector<char*> argv{const_cast<char*>(VESTRA_PATH), const_cast<char*>("--demo")};
        for (const std::string& argument : extra)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        freopen("/dev/null", "w", stdout);
        execv(VESTRA_PATH, argv.data());
        _exit(127);
    }
    return child;
}

void Stop(const Child& child) {
    kill(child.pid, SIGTERM);
    int status = 0;
    waitpid(child.pid, &status, 0);
}

bool FileHas(const fs::path& file, const char* text) {
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.find(text) != std::string::npos) return true;
    }
    return false;
}

// utime + stime of a process in clock ticks.
long CpuTicks(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) {
            stime = std::stol(field);
            break;
        }
    }
    return utime + stime;
}

long ResidentKb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

}  // namespace

int main() {
    const fs::path home =
        fs::temp_directory_path() / ("vestra-startup-bench-" + std::to_string(getpid()));
    fs::create_directories(home / "run");
    fs::permissions(home / "run", fs::perms::owner_all);

    // A host-computed effect on the keyboard: the wave, drawn by the lighting thread.
    const std::string prepare = "XDG_DATA_HOME='" + (home / "data").string() +
                                "' XDG_CONFIG_HOME='" + (home / "config").string() +
                                "' '" VESTRACTL_PATH
                                "' --demo --device keyboard light set --mode 1 >/dev/null 2>&1";
    if (std::system(prepare.c_str()) != 0)
        std::fprintf(stderr, "could not choose the keyboard effect\n");

    std::vector<double> startMs;
    for (int run = 0; run < kStartRuns; ++run) {
        const fs::path log = home / ("start" + std::to_string(run) + ".log");
        const Child child = Launch(home, log.string(), {});
        const Clock::time_point deadline = child.started + std::chrono::seconds(20);
        while (!FileHas(log, kShownLine) && Clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        if (Clock::now() >= deadline) {
            std::fprintf(stderr, "the window was not shown within 20 s\n");
            Stop(child);
            return 1;
        }
        startMs.push_back(
            std::chrono::duration<double, std::milli>(Clock::now() - child.started).count());
        Stop(child);
    }
    std::sort(startMs.begin(), startMs.end());
    std::printf(
        "start to first shown window: median %.0f ms (min %.0f, max %.0f, %d runs; target 400)\n",
        startMs[startMs.size() / 2], startMs.front(), startMs.back(), kStartRuns);

    // Idle with the window shown (the keyboard page animating) and in the tray.
    struct IdleCase {
        const char* name;
        std::vector<std::string> arguments;
    };
    for (const IdleCase& idleCase :
         {IdleCase{"window shown", {}}, IdleCase{"in the tray", {"--tray"}}}) {
        const Child idle = Launch(home, "", idleCase.arguments);
        std::this_thread::sleep_for(std::chrono::seconds(5));  // devices read, lighting running
        const long ticks0 = CpuTicks(idle.pid);
        std::this_thread::sleep_for(std::chrono::seconds(kIdleSeconds));
        const long ticks1 = CpuTicks(idle.pid);
        const long rssKb = ResidentKb(idle.pid);
        Stop(idle);
        const double cpuPercent = 100.0 * static_cast<double>(ticks1 - ticks0) /
                                  static_cast<double>(sysconf(_SC_CLK_TCK)) / kIdleSeconds;
        std::printf(
            "idle %d s %s, four demo devices, host lighting: CPU %.2f %% of one core "
            "(target < 2), resident %.1f MB (target 80)\n",
            kIdleSeconds, idleCase.name, cpuPercent, static_cast<double>(rssKb) / 1024.0);
    }
    fs::remove_all(home);
    return 0;
}
