// --demo end to end: which products it attaches, and the state file kept between runs.
#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/value.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "support/TempFolder.h"

namespace vestra::test {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

Json::Value Parse(const std::string& text) {
    Json::CharReaderBuilder builder;
    Json::Value value;
    std::string errors;
    std::istringstream in(text);
    Json::parseFromStream(builder, in, &value, &errors);
    return value;
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DemoOptionTest : public ::testing::Test {
protected:
    CliRun Vestractl(const std::string& arguments) {
        CliRun run;
        const fs::path errFile = m_home.Path() / "stderr.txt";
        const std::string command =
            std::string(VESTRACTL_PATH) + " " + arguments + " 2>'" + errFile.string() + "'";
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) return run;
        char buffer[4096];
        size_t count;
        while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, count);
        const int status = pclose(pipe);
        if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
        run.err = ReadFile(errFile);
        return run;
    }
    fs::path StateFile() const {
        return m_home.Path() / "data" / "Vestra Zezevava Software" / "demo" / "emulator.json";
    }

private:
    ScopedDataHome m_home;
};

TEST_F(DemoOptionTest, ListAttachesOnlyTheNamedProducts) {
    const CliRun run = Vestractl("--demo=mouse-receiver,headset --json list");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json::Value devices = Parse(run.out)["devices"];
    ASSERT_EQ(devices.size(), 3u) << run.out;
    EXPECT_EQ(devices[0]["path"].asString(), "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col04");
    EXPECT_EQ(devices[1]["path"].asString(), "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col03");
    EXPECT_EQ(devices[2]["path"].asString(), "emu:headset#vid_0c76&pid_1630&mi_03");

    const CliRun all = Vestractl("--demo --json list");
    EXPECT_EQ(Parse(all.out)["devices"].size(), 11u);
}

TEST_F(DemoOptionTest, UnknownProductIsAUsageErrorAndWritesNothing) {
    const CliRun run = Vestractl("--demo=keyboard,toaster list");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("toaster"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(StateFile()));
}

// The state file is what the next run starts from, and that run saves it back.
TEST_F(DemoOptionTest, NextRunStartsFromTheSavedState) {
    ASSERT_EQ(Vestractl("--demo=keyboard list").exitCode, 0);
    Json::Value state = Parse(ReadFile(StateFile()));
    ASSERT_TRUE(state["Devices"]["keyboard"]["Status"].isString());
    state["Devices"]["keyboard"]["Status"] = "210100000000";  // 33 %, charging
    std::ofstream(StateFile()) << state.toStyledString();

    const CliRun run = Vestractl("--demo=keyboard --device keyboard --json info");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const Json::Value power = Parse(run.out)["power"];
    EXPECT_EQ(power["batteryPercent"].asInt(), 33) << run.out;
    EXPECT_EQ(power["powerState"].asInt(), 1);
    EXPECT_EQ(Parse(ReadFile(StateFile()))["Devices"]["keyboard"]["Status"].asString(),
              "210100000000");
}

TEST_F(DemoOptionTest, CorruptStateFileIsKeptAsideAndReplaced) {
    fs::create_directories(StateFile().parent_path());
    std::ofstream(StateFile()) << "{ \"Version\": 1, \"Devices\": ";

    const CliRun run = Vestractl("--demo=pad list");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("factory state"), std::string::npos) << run.err;
    fs::path kept = StateFile();
    kept += ".bad";
    EXPECT_EQ(ReadFile(kept), "{ \"Version\": 1, \"Devices\": ");
    EXPECT_TRUE(Parse(ReadFile(StateFile()))["Devices"]["pad"].isObject());
}

}  // namespace
}  // namespace vestra::test
