// A process killed while it saves a profile never leaves a file that does not parse.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "profile/CKeyboardProfiledata.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {
namespace fs = std::filesystem;

constexpr int kKeys = 170;

// Saves the profile 1000 times, each time with other values; never returns.
[[noreturn]] void SaveRepeatedly(const fs::path& path) {
    CKeyboardProfiledata data;
    data.SetProfilePath(path);
    data.LoadEntry(path);
    std::vector<KeyAssignmentPair> keys(kKeys, KeyAssignmentPair{});
    for (int round = 0; round < 1000; ++round) {
        for (int k = 0; k < kKeys; ++k) keys[k].current.code[2] = uint8_t(round + k);
        data.SetKeyList(keys);
        data.SetLightInfo(uint32_t(round), 0, 0, 0);
        data.SaveEntry();
    }
    _exit(0);
}

TEST(ProfileSaveCrashTest, AKilledSaveLeavesTheOldOrTheNewFile) {
    test::TempFolder folder;
    const fs::path path = folder.Path() / "profile.Json";
    Json::Value document;
    for (int k = 0; k < kKeys; ++k) {
        document["Device"][0]["KeyList"][k]["Assignment"] = 0;
        document["Device"][0]["KeyList"][k]["DefaultAssignment"] = 0x020000 + k;
    }
    ASSERT_EQ(JsonFile::Write(path, document), JsonFile::WriteResult::Ok);

    std::mt19937 random(std::random_device{}());
    int killedWhileSaving = 0;
    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) SaveRepeatedly(path);
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 60000)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        if (WIFSIGNALED(status)) ++killedWhileSaving;

        Json::Value saved;
        ASSERT_EQ(JsonFile::Read(path, saved), JsonFile::ReadStatus::Ok) << "round " << round;
        ASSERT_EQ(saved["Device"][0]["KeyList"].size(), unsigned(kKeys)) << "round " << round;
        EXPECT_EQ(saved["Device"][0]["KeyList"][kKeys - 1]["DefaultAssignment"],
                  0x020000 + kKeys - 1);
    }
    // The kills must land while the child works, or the test proves nothing.
    EXPECT_GT(killedWhileSaving, 6);
}

}  // namespace
}  // namespace vestra
