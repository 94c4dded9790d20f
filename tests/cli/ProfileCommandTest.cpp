// `vestractl profile` run as a program on a data folder of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "VestractlRun.h"

namespace vestra::test {
namespace {
namespace fs = std::filesystem;

class ProfileCommandTest : public ::testing::Test {
protected:
    Json::Value ListJson(const std::string& kind = "keyboard") const {
        const VestractlRun run = m_home.Run("--json profile --kind " + kind + " list");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        const Json::Value root = VestractlHome::Parse(run.out);
        EXPECT_FALSE(root.isNull()) << run.out;
        return root;
    }

    std::vector<std::string> Names(const std::string& kind = "keyboard") const {
        std::vector<std::string> names;
        const Json::Value list = ListJson(kind);
        for (const Json::Value& profile : list["profiles"]) {
            names.push_back(profile["name"].asString());
        }
        return names;
    }

    fs::path DataFolder(const std::string& kindFolder) const {
        return m_home.AppFolder() / kindFolder;
    }

    VestractlHome m_home;
};

TEST_F(ProfileCommandTest, FirstUseMakesProfile1InTheKindsFolder) {
    const VestractlRun run = m_home.Run("profile --kind pad list");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("* 0  profile1  (", 0), 0u) << run.out;
    EXPECT_TRUE(fs::exists(DataFolder("MousePad") / "ProfileList.ini"));

    const Json::Value list = ListJson("headset");
    EXPECT_EQ(list["kind"], "headset");
    EXPECT_EQ(list["selected"], 0);
    ASSERT_EQ(list["profiles"].size(), 1u);
    EXPECT_EQ(list["profiles"][0]["name"], "profile1");
    EXPECT_TRUE(list["profiles"][0]["selected"].asBool());
    // The first profile is the shipped default profile of the headset.
    std::ifstream file(DataFolder("HD") / (list["profiles"][0]["uuid"].asString() + ".Json"));
    Json::Value profile;
    std::string errors;
    ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), file, &profile, &errors));
    EXPECT_EQ(profile["profilename"], "profile1");
    EXPECT_TRUE(profile["Device"][0].isObject());
}

TEST_F(ProfileCommandTest, EveryOperationChangesTheList) {
    const fs::path exported = m_home.Root() / "Gaming.json";
    const std::pair<std::string, std::string> steps[] = {
        {"add", "added profile 1 \"profile2\"\n"},
        {"copy 0", "added profile 2 \"profile1 copy\"\n"},
        {"rename 1 Gaming", "renamed profile 1 \"Gaming\"\n"},
        {"select 2", "selected profile 2 \"profile1 copy\"\n"},
        {"export 1 '" + exported.string() + "'", "exported profile 1 \"Gaming\"\n"},
        {"import '" + exported.string() + "'", "added profile 3 \"Gaming(1)\"\n"},
        {"reset 3", "reset profile 3 \"Gaming(1)\"\n"},
        {"delete 0", "deleted profile 0 \"profile1\"\n"},
    };
    for (const auto& [operation, output] : steps) {
        const VestractlRun run = m_home.Run("profile --kind keyboard " + operation);
        EXPECT_EQ(run.exitCode, 0) << operation << ": " << run.err;
        EXPECT_EQ(run.out, output) << operation;
    }
    EXPECT_EQ(Names(), (std::vector<std::string>{"Gaming", "profile1 copy", "Gaming(1)"}));
    EXPECT_EQ(ListJson()["selected"], 0);
    EXPECT_TRUE(fs::exists(exported));
}

TEST_F(ProfileCommandTest, ARefusedOperationSaysWhyAndExitsWithOne) {
    const fs::path notProfile = m_home.Root() / "plain.json";
    std::ofstream(notProfile) << R"({"a": 1})";
    const std::pair<std::string, std::string> refusals[] = {
        {"delete 0", "the only profile cannot be deleted"},
        {"rename 0 '  '", "a profile name cannot be blank"},
        {"copy 9", "there is no profile with that index"},
        {"import '" + notProfile.string() + "'", "the file is not a profile"},
    };
    for (const auto& [operation, reason] : refusals) {
        const VestractlRun run = m_home.Run("profile --kind mouse " + operation);
        EXPECT_EQ(run.exitCode, 1) << operation;
        EXPECT_NE(run.err.find(reason), std::string::npos) << operation << ": " << run.err;
    }
    ASSERT_EQ(m_home.Run("profile --kind mouse add").exitCode, 0);
    const VestractlRun taken = m_home.Run("profile --kind mouse rename 1 PROFILE1");
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_NE(taken.err.find("another profile already has that name"), std::string::npos);
    EXPECT_EQ(Names("mouse"), (std::vector<std::string>{"profile1", "profile2"}));
}

TEST_F(ProfileCommandTest, BadUsageExitsWithTwo) {
    for (const char* arguments :
         {"profile list", "profile --kind toaster list", "profile --kind keyboard",
          "profile --kind keyboard shuffle", "profile --kind keyboard delete x",
          "profile --kind keyboard rename 0"}) {
        EXPECT_EQ(m_home.Run(arguments).exitCode, 2) << arguments;
    }
}

}  // namespace
}  // namespace vestra::test
