// `vestractl macro` on the keyboard's macro library.
#include <gtest/gtest.h>

#include <fstream>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

constexpr const char* kMacroFile = R"({"MacroName": "theirs", "Guid": "x", "Version": 64,
  "Events": [{"Action": "down", "Button": 4, "Type": 10, "Delay": "30"},
             {"Action": "up", "Button": 4, "Type": 10, "Delay": "20"}]})";

class MacroCommandTest : public ::testing::Test {
protected:
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        const Json::Value list = m_home.RunJson("--json macro list");
        for (const Json::Value& macro : list["macros"]) {
            names.push_back(macro["name"].asString());
        }
        return names;
    }
    std::filesystem::path WriteFile(const std::string& name, const std::string& text) {
        const std::filesystem::path path = m_home.Root() / name;
        std::ofstream(path) << text;
        return path;
    }

    VestractlHome m_home;
};

TEST_F(MacroCommandTest, LibraryOperations) {
    EXPECT_EQ(m_home.Run("macro add Greeting").exitCode, 0);
    const std::filesystem::path file = WriteFile("copy.mac", kMacroFile);
    EXPECT_EQ(m_home.Run("macro import '" + file.string() + "'").exitCode, 0);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Greeting", "macro_1"}));

    const Json::Value shown = m_home.RunJson("--json macro show 1");
    ASSERT_EQ(shown["events"].size(), 2u);
    EXPECT_EQ(shown["events"][0]["Button"].asInt(), 4);
    EXPECT_EQ(shown["events"][1]["Delay"].asString(), "20");
    EXPECT_NE(m_home.Run("macro show 1").out.find("key A down, then 30 ms"), std::string::npos);

    EXPECT_EQ(m_home.Run("macro rename 1 Paste").exitCode, 0);
    // A second macro of the same name (letter case aside) is refused, and nothing is added.
    const VestractlRun taken = m_home.Run("macro add greeting");
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_NE(taken.err.find("already has that name"), std::string::npos);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Greeting", "Paste"}));

    const std::filesystem::path exported = m_home.Root() / "out.mac";
    EXPECT_EQ(m_home.Run("macro export 1 '" + exported.string() + "'").exitCode, 0);
    std::ifstream in(exported);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(VestractlHome::Parse(text.str())["Events"].size(), 2u);

    EXPECT_EQ(m_home.Run("macro delete 0").exitCode, 0);
    EXPECT_EQ(Names(), std::vector<std::string>{"Paste"});
    EXPECT_EQ(m_home.Run("macro show 5").exitCode, 1);
    EXPECT_EQ(m_home.Run("macro import '" + WriteFile("bad.mac", "[1, 2]").string() + "'").exitCode,
              1);
}

TEST_F(MacroCommandTest, DeletingAMacroKeysPlayAsksForForce) {
    ASSERT_EQ(m_home.Run("macro import '" + WriteFile("m.mac", kMacroFile).string() + "'").exitCode,
              0);
    ASSERT_EQ(m_home.Run("--demo=keyboard keymap set F2 macro:0").exitCode, 0);

    const VestractlRun refused = m_home.Run("--demo=keyboard macro delete 0");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("--force"), std::string::npos);
    EXPECT_EQ(Names().size(), 1u);

    const VestractlRun forced = m_home.Run("--demo=keyboard macro delete 0 --force");
    EXPECT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_TRUE(Names().empty());
    const Json::Value f2 = m_home.RunJson("--demo=keyboard --json keymap get F2")["keys"][0];
    EXPECT_EQ(f2["function"].asString(), "key:F2");
}

}  // namespace
}  // namespace vestra::test
