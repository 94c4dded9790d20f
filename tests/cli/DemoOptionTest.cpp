// --demo end to end: which products it attaches, and the state file kept between runs.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DemoOptionTest : public ::testing::Test {
protected:
    fs::path StateFile() const { return m_home.AppFolder() / "demo" / "emulator.json"; }

    VestractlHome m_home;
};

TEST_F(DemoOptionTest, ListAttachesOnlyTheNamedProducts) {
    const VestractlRun run = m_home.Run("--demo=mouse-receiver,headset --json list");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json::Value devices = VestractlHome::Parse(run.out)["devices"];
    ASSERT_EQ(devices.size(), 3u) << run.out;
    EXPECT_EQ(devices[0]["path"].asString(), "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col04");
    EXPECT_EQ(devices[1]["path"].asString(), "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col03");
    EXPECT_EQ(devices[2]["path"].asString(), "emu:headset#vid_0c76&pid_1630&mi_03");

    const VestractlRun all = m_home.Run("--demo --json list");
    EXPECT_EQ(VestractlHome::Parse(all.out)["devices"].size(), 11u);
}

TEST_F(DemoOptionTest, UnknownProductIsAUsageErrorAndWritesNothing) {
    const VestractlRun run = m_home.Run("--demo=keyboard,toaster list");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("toaster"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(StateFile()));
}

// The state file is what the next run starts from, and that run saves it back.
TEST_F(DemoOptionTest, NextRunStartsFromTheSavedState) {
    ASSERT_EQ(m_home.Run("--demo=keyboard list").exitCode, 0);
    Json::Value state = VestractlHome::Parse(ReadFile(StateFile()));
    ASSERT_TRUE(state["Devices"]["keyboard"]["Status"].isString());
    state["Devices"]["keyboard"]["Status"] = "210100000000";  // 33 %, charging
    std::ofstream(StateFile()) << state.toStyledString();

    const VestractlRun run = m_home.Run("--demo=keyboard --device keyboard --json info");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json::Value power = VestractlHome::Parse(run.out)["power"];
    EXPECT_EQ(power["batteryPercent"].asInt(), 33) << run.out;
    EXPECT_EQ(power["powerState"].asInt(), 1);
    EXPECT_EQ(m_home.EmulatorRegion("keyboard", "Status"), "210100000000");
}

TEST_F(DemoOptionTest, CorruptStateFileIsKeptAsideAndReplaced) {
    fs::create_directories(StateFile().parent_path());
    std::ofstream(StateFile()) << "{ \"Version\": 1, \"Devices\": ";

    const VestractlRun run = m_home.Run("--demo=pad list");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("factory state"), std::string::npos) << run.err;
    fs::path kept = StateFile();
    kept += ".bad";
    EXPECT_EQ(ReadFile(kept), "{ \"Version\": 1, \"Devices\": ");
    EXPECT_TRUE(VestractlHome::Parse(ReadFile(StateFile()))["Devices"]["pad"].isObject());
}

}  // namespace
}  // namespace vestra::test
