#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/value.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>
#include <string>

#include "support/TempFolder.h"

namespace {

struct RunResult {
    int exitCode = -1;
    std::string out;
};

RunResult RunVestractl(const std::string& arguments) {
    RunResult result;
    const std::string command = std::string(VESTRACTL_PATH) + " " + arguments;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, count);
    const int status = pclose(pipe);
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

bool ParseJson(const std::string& text, Json::Value& root) {
    Json::CharReaderBuilder builder;
    std::string errors;
    std::istringstream in(text);
    return Json::parseFromStream(builder, in, &root, &errors);
}

// Whatever this machine has plugged in (often nothing, or no hidraw at all), the JSON form
// is a complete document and agrees with the text form.
TEST(ListCommand, JsonListsEveryFoundInterfaceWithItsIdentity) {
    const RunResult run = RunVestractl("--json list");
    ASSERT_EQ(run.exitCode, 0) << run.out;

    Json::Value root;
    ASSERT_TRUE(ParseJson(run.out, root)) << run.out;
    ASSERT_TRUE(root["devices"].isArray());
    ASSERT_TRUE(root["unopenable"].isArray());
    for (const Json::Value& device : root["devices"]) {
        EXPECT_TRUE(device["slot"].isUInt());
        EXPECT_TRUE(device["productCode"].isInt());
        EXPECT_TRUE(device["product"].isString());
        EXPECT_TRUE(device["link"].asString() == "cable" ||
                    device["link"].asString() == "receiver");
        EXPECT_TRUE(device["path"].isString());
    }

    const RunResult text = RunVestractl("list");
    EXPECT_EQ(text.exitCode, 0);
    const bool nothing = root["devices"].empty() && root["unopenable"].empty();
    EXPECT_EQ(text.out == "No supported device is connected.\n", nothing) << text.out;
}

// The emulated products enumerate like real ones, so this runs the whole discovery pass:
// candidates, probe opens, claims by usage, receiver and headset rows.
TEST(ListCommand, EmulatedProductsClaimTheirSlots) {
    vestra::test::ScopedDataHome home;
    const RunResult run = RunVestractl("--demo=keyboard,mouse-receiver,headset --json list");
    ASSERT_EQ(run.exitCode, 0) << run.out;

    Json::Value root;
    ASSERT_TRUE(ParseJson(run.out, root)) << run.out;
    struct Expected {
        unsigned slot;
        int productCode;
        const char* product;
        const char* link;
        const char* role;
    };
    const Expected expected[] = {
        {0, 1, "keyboard", "cable", "configuration"}, {1, 1, "keyboard", "cable", "notification"},
        {6, 6, "mouse", "receiver", "configuration"}, {7, 6, "mouse", "receiver", "notification"},
        {10, 7, "headset", "cable", "configuration"},
    };
    const Json::Value& devices = root["devices"];
    ASSERT_EQ(devices.size(), std::size(expected)) << run.out;
    for (Json::ArrayIndex i = 0; i < devices.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(devices[i]["slot"].asUInt(), expected[i].slot);
        EXPECT_EQ(devices[i]["productCode"].asInt(), expected[i].productCode);
        EXPECT_EQ(devices[i]["product"].asString(), expected[i].product);
        EXPECT_EQ(devices[i]["link"].asString(), expected[i].link);
        EXPECT_EQ(devices[i]["role"].asString(), expected[i].role);
        EXPECT_FALSE(devices[i]["path"].asString().empty());
    }
    EXPECT_TRUE(root["unopenable"].empty());

    const RunResult text = RunVestractl("--demo=pad list");
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("pad (3)"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("notification"), std::string::npos) << text.out;
}

}  // namespace
