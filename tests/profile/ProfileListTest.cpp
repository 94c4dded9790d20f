#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>

#include "ProfileFixture.h"
#include "profile/ProfileList.h"
#include "profile/Timestamp.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {
namespace fs = std::filesystem;

// "2019_03_12_08_05_09_042": digits with "_" after the year and each later field but the last.
bool IsTimestampText(const std::string& text) {
    if (text.size() != 23) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool separator = i == 4 || (i > 4 && i < 20 && (i - 4) % 3 == 0);
        if (separator ? text[i] != '_' : !std::isdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

class ProfileListTest : public ::testing::Test {
protected:
    ProfileListTest()
        : m_default(
              m_folder.Write("DefaultData/keyboard.Json", std::string(test::kDefaultProfile))),
          m_data(m_folder.Path() / "data" / "keyboard"),
          m_list(m_data, m_default) {}

    // A list file with one profile per name, and a profile file for each.
    void WriteList(const std::vector<std::string>& names, int select = 0) {
        Json::Value list;
        for (size_t i = 0; i < names.size(); ++i) {
            Json::Value element;
            element["profilename"] = names[i];
            element["profileUUID"] = "uuid" + std::to_string(i);
            element["profileislink"] = 0;
            element["profilelinkmame"] = "";
            list["profilelist"].append(element);
            Json::Value profile = test::ParseJson(test::kDefaultProfile);
            profile["profilename"] = names[i];
            profile["profileUUID"] = element["profileUUID"];
            fs::create_directories(m_data);
            JsonFile::Write(m_data / ("uuid" + std::to_string(i) + ".Json"), profile);
        }
        list["profileselect"] = select;
        JsonFile::Write(m_data / "ProfileList.ini", list);
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const ProfileEntry& entry : m_list.Entries()) names.push_back(entry.name);
        return names;
    }

    Json::Value ListFile() const { return JsonFile::Read(m_data / "ProfileList.ini"); }
    Json::Value ProfileFile(int index) const { return JsonFile::Read(m_list.ProfilePathAt(index)); }

    test::TempFolder m_folder;
    fs::path m_default;
    fs::path m_data;
    ProfileList m_list;
};

TEST(TimestampTest, LocalTimeWithZeroPaddedFields) {
    const char* oldZone = std::getenv("TZ");
    const std::string saved = oldZone ? oldZone : "";
    setenv("TZ", "UTC", 1);
    tzset();
    // 2019-03-12 08:05:09.042 UTC
    const auto time =
        std::chrono::system_clock::time_point(std::chrono::milliseconds(1552377909042));
    EXPECT_EQ(FormatTimestamp(time), "2019_03_12_08_05_09_042");
    if (oldZone) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST_F(ProfileListTest, FirstStartMakesProfile1FromTheDefaultFile) {
    ASSERT_EQ(m_list.EnsureProfileList(), ProfileOutcome::Done);
    const Json::Value list = ListFile();
    ASSERT_EQ(list["profilelist"].size(), 1u);
    const Json::Value& element = list["profilelist"][0];
    EXPECT_EQ(element["profilename"], "profile1");
    EXPECT_EQ(element["profileislink"], 0);
    EXPECT_EQ(element["profilelinkmame"], "");
    EXPECT_EQ(list["profileselect"], 0);
    const std::string uuid = element["profileUUID"].asString();
    EXPECT_TRUE(IsTimestampText(uuid)) << uuid;

    Json::Value expected = test::ParseJson(test::kDefaultProfile);
    expected["profilename"] = "profile1";
    expected["profileUUID"] = uuid;
    EXPECT_EQ(JsonFile::Read(m_data / (uuid + ".Json")), expected);

    // A second set-up changes nothing.
    ASSERT_EQ(m_list.EnsureProfileList(), ProfileOutcome::Done);
    EXPECT_EQ(ListFile(), list);
}

TEST_F(ProfileListTest, AnEmptyOrBrokenListIsRebuiltAsOnFirstStart) {
    m_folder.Write("data/keyboard/ProfileList.ini", R"({"profilelist": [], "profileselect": 3})");
    ASSERT_EQ(m_list.EnsureProfileList(), ProfileOutcome::Done);
    EXPECT_EQ(Names(), std::vector<std::string>{"profile1"});
    EXPECT_EQ(ListFile()["profileselect"], 0);

    m_folder.Write("data/keyboard/ProfileList.ini", R"({"profilelist": [ {"profilena)");
    ASSERT_EQ(m_list.EnsureProfileList(), ProfileOutcome::Done);
    EXPECT_EQ(Names(), std::vector<std::string>{"profile1"});
    EXPECT_EQ(m_folder.Read("data/keyboard/ProfileList.ini.broken"),
              R"({"profilelist": [ {"profilena)");
}

TEST_F(ProfileListTest, NewNamesNeverRepeatAnExistingOneInAnyLetterCase) {
    WriteList({"profile1", "PROFILE2", "A", "A copy", "Gaming", "gaming(1)"});
    ASSERT_EQ(m_list.AddProfile(), ProfileOutcome::Done);
    ASSERT_EQ(m_list.CopyProfile(2), ProfileOutcome::Done);
    const fs::path import =
        m_folder.Write("elsewhere/Gaming.json", R"({"profilename": "x", "profileUUID": "y"})");
    ASSERT_EQ(m_list.ImportProfile(import), ProfileOutcome::Done);
    const std::vector<std::string> names = Names();
    ASSERT_EQ(names.size(), 9u);
    EXPECT_EQ(names[6], "profile3");
    EXPECT_EQ(names[7], "A copy copy");
    EXPECT_EQ(names[8], "Gaming(1)(2)");
    // Each new file carries its own name and identifier.
    for (int i = 6; i < 9; ++i) {
        EXPECT_EQ(ProfileFile(i)["profilename"], names[i]);
        EXPECT_EQ(ProfileFile(i)["profileUUID"], m_list.Entries()[i].uuid);
    }
}

TEST_F(ProfileListTest, NewProfilesComeFromTheirSources) {
    WriteList({"A", "B"}, 1);
    Json::Value changed = ProfileFile(0);
    changed["Device"][0]["LightInfo"]["Red"] = 7;
    JsonFile::Write(m_list.ProfilePathAt(0), changed);
    const fs::path import = m_folder.Write(
        "Mine.json", R"({"profilename": "theirs", "profileUUID": "z", "Device": [{"Own": 1}]})");

    ASSERT_EQ(m_list.AddProfile(), ProfileOutcome::Done);           // 2: default, selected
    ASSERT_EQ(m_list.CopyProfile(0), ProfileOutcome::Done);         // 3: A as on disk
    ASSERT_EQ(m_list.ImportProfile(import), ProfileOutcome::Done);  // 4: the chosen file
    EXPECT_EQ(m_list.SelectedIndex(), 2);  // copy and import leave the selection
    EXPECT_EQ(ProfileFile(2)["Device"], test::ParseJson(test::kDefaultProfile)["Device"]);
    EXPECT_EQ(ProfileFile(3)["Device"][0]["LightInfo"]["Red"], 7);
    EXPECT_EQ(ProfileFile(4)["Device"][0]["Own"], 1);
    EXPECT_EQ(ProfileFile(4)["profilename"], "Mine");
}

TEST_F(ProfileListTest, AddStopsAtFiftyWhileCopyAndImportStillAdd) {
    std::vector<std::string> names;
    for (int i = 0; i < ProfileList::kMaxProfiles; ++i) names.push_back("p" + std::to_string(i));
    WriteList(names);
    EXPECT_EQ(m_list.AddProfile(), ProfileOutcome::TooManyProfiles);
    EXPECT_EQ(m_list.ProfileCount(), 50);
    EXPECT_EQ(m_list.CopyProfile(0), ProfileOutcome::Done);
    EXPECT_EQ(m_list.ProfileCount(), 51);
}

TEST_F(ProfileListTest, ProfilesMadeInTheSameMillisecondGetTheirOwnFiles) {
    const auto instant = std::chrono::system_clock::now();
    ProfileList list(m_data, m_default, [instant] { return instant; });
    ASSERT_EQ(list.EnsureProfileList(), ProfileOutcome::Done);
    ASSERT_EQ(list.AddProfile(), ProfileOutcome::Done);
    ASSERT_EQ(list.CopyProfile(0), ProfileOutcome::Done);
    std::set<std::string> uuids;
    for (const ProfileEntry& entry : list.Entries()) uuids.insert(entry.uuid);
    EXPECT_EQ(uuids.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(fs::exists(list.ProfilePathAt(i)));
}

TEST_F(ProfileListTest, DeleteMovesTheSelectionAndRemovesTheFile) {
    struct Case {
        int deleted;
        int selected;
        std::vector<std::string> left;
    };
    const Case cases[] = {{0, 0, {"B", "C"}}, {1, 0, {"A", "C"}}, {2, 1, {"A", "B"}}};
    for (const Case& c : cases) {
        WriteList({"A", "B", "C"}, 2);
        const fs::path file = m_list.ProfilePathAt(c.deleted);
        ASSERT_EQ(m_list.DeleteProfile(c.deleted), ProfileOutcome::Done);
        EXPECT_EQ(Names(), c.left) << c.deleted;
        EXPECT_EQ(ListFile()["profileselect"], c.selected) << c.deleted;
        EXPECT_FALSE(fs::exists(file));
    }
    EXPECT_EQ(m_list.DeleteProfile(2), ProfileOutcome::NoSuchProfile);
    WriteList({"Only"});
    EXPECT_EQ(m_list.DeleteProfile(0), ProfileOutcome::LastProfile);
    EXPECT_TRUE(fs::exists(m_list.ProfilePathAt(0)));
}

TEST_F(ProfileListTest, RenameRefusesBlankAndTakenNamesButAcceptsItsOwnInOtherCase) {
    WriteList({"Work", "Play"});
    EXPECT_EQ(m_list.RenameProfile(0, "  "), ProfileOutcome::NameBlank);
    EXPECT_EQ(m_list.RenameProfile(0, ""), ProfileOutcome::NameBlank);
    EXPECT_EQ(m_list.RenameProfile(0, "PLAY"), ProfileOutcome::NameTaken);
    EXPECT_EQ(m_list.RenameProfile(5, "Other"), ProfileOutcome::NoSuchProfile);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Work", "Play"}));

    ASSERT_EQ(m_list.RenameProfile(0, "WORK"), ProfileOutcome::Done);
    EXPECT_EQ(Names()[0], "WORK");
    EXPECT_EQ(ProfileFile(0)["profilename"], "WORK");
    EXPECT_EQ(ProfileFile(0)["Device"], test::ParseJson(test::kDefaultProfile)["Device"]);
}

TEST_F(ProfileListTest, NamesCompareWithoutLetterCaseBeyondAscii) {
    WriteList({"Ärger", "Игра"});
    EXPECT_EQ(m_list.RenameProfile(0, "игра"), ProfileOutcome::NameTaken);
    EXPECT_EQ(m_list.RenameProfile(1, "äRGER"), ProfileOutcome::NameTaken);
    EXPECT_EQ(m_list.RenameProfile(1, "ИГРА"), ProfileOutcome::Done);
}

TEST_F(ProfileListTest, KeysOfAListElementSurviveEveryOperation) {
    WriteList({"A", "Linked", "C"});
    Json::Value list = ListFile();
    list["profilelist"][1]["profileislink"] = 1;
    list["profilelist"][1]["profilelinkmame"] = "game.exe";
    list["profilelist"][1]["Future"] = "kept";
    JsonFile::Write(m_data / "ProfileList.ini", list);
    const fs::path import = m_folder.Write("I.json", R"({"profilename": "i", "profileUUID": "i"})");
    const fs::path exported = m_folder.Path() / "out.json";

    const auto linked = [&] {
        const Json::Value current = ListFile();
        for (const Json::Value& element : current["profilelist"]) {
            if (element["profileUUID"] == "uuid1") return element;
        }
        return Json::Value();
    };
    const std::pair<const char*, std::function<ProfileOutcome()>> operations[] = {
        {"select", [&] { return m_list.SelectProfile(1); }},
        {"add", [&] { return m_list.AddProfile(); }},
        {"copy", [&] { return m_list.CopyProfile(1); }},
        {"import", [&] { return m_list.ImportProfile(import); }},
        {"rename", [&] { return m_list.RenameProfile(1, "Renamed"); }},
        {"reset", [&] { return m_list.ResetProfile(1, hid::DeviceKind::Keyboard); }},
        {"export", [&] { return m_list.ExportProfile(1, exported); }},
        {"delete", [&] { return m_list.DeleteProfile(0); }},
    };
    for (const auto& [name, operation] : operations) {
        ASSERT_EQ(operation(), ProfileOutcome::Done) << name;
        const Json::Value element = linked();
        EXPECT_EQ(element["profileislink"], 1) << name;
        EXPECT_EQ(element["profilelinkmame"], "game.exe") << name;
        EXPECT_EQ(element["Future"], "kept") << name;
    }
}

TEST_F(ProfileListTest, AnUnusableSelectionSelectsTheFirstProfile) {
    for (const char* select :
         {"", R"(, "profileselect": 7)", R"(, "profileselect": -1)", R"(, "profileselect": "1")"}) {
        m_folder.Write("data/keyboard/ProfileList.ini",
                       std::string(R"({"profilelist": [{"profilename": "A", "profileUUID": "a"},
                                                       {"profilename": "B", "profileUUID": "b"}])") +
                           select + "}");
        EXPECT_EQ(m_list.SelectedIndex(), 0) << select;
    }
    EXPECT_EQ(m_list.SelectProfile(1), ProfileOutcome::Done);
    EXPECT_EQ(m_list.SelectedIndex(), 1);
    EXPECT_EQ(m_list.SelectProfile(2), ProfileOutcome::NoSuchProfile);
}

TEST_F(ProfileListTest, ResetRestoresTheDefaultsAndAHeadsetKeepsItsCustomEqualisers) {
    for (hid::DeviceKind kind : {hid::DeviceKind::Keyboard, hid::DeviceKind::Headset}) {
        WriteList({"Mine"});
        Json::Value profile = ProfileFile(0);
        profile["Device"][0]["LightInfo"]["Red"] = 1;
        profile["Device"][0]["CustomEQNameInfo"][0]["Name"] = "My bass";
        profile["Device"][0]["CustomEQHzValueInfo"][0][0]["value"] = 9;
        JsonFile::Write(m_list.ProfilePathAt(0), profile);

        ASSERT_EQ(m_list.ResetProfile(0, kind), ProfileOutcome::Done);
        const Json::Value reset = ProfileFile(0);
        const Json::Value factory = test::ParseJson(test::kDefaultProfile)["Device"][0];
        EXPECT_EQ(reset["profilename"], "Mine");
        EXPECT_EQ(reset["profileUUID"], "uuid0");
        EXPECT_EQ(reset["Device"][0]["LightInfo"], factory["LightInfo"]);
        const Json::Value& keptNames = kind == hid::DeviceKind::Headset
                                           ? profile["Device"][0]["CustomEQNameInfo"]
                                           : factory["CustomEQNameInfo"];
        EXPECT_EQ(reset["Device"][0]["CustomEQNameInfo"], keptNames);
        EXPECT_EQ(reset["Device"][0]["CustomEQHzValueInfo"][0][0]["value"],
                  kind == hid::DeviceKind::Headset ? 9 : 1);
    }
}

TEST_F(ProfileListTest, ExportWritesAReformattedCopy) {
    WriteList({"A", "B"});
    m_folder.Write("data/keyboard/uuid1.Json", R"({"profilename":"B","Device":[{"X":1}]})");
    const fs::path target = m_folder.Path() / "B.json";
    ASSERT_EQ(m_list.ExportProfile(1, target), ProfileOutcome::Done);
    EXPECT_EQ(m_folder.Read("B.json"), JsonFile::Styled(JsonFile::Read(m_list.ProfilePathAt(1))));

    fs::remove(m_list.ProfilePathAt(1));
    EXPECT_EQ(m_list.ExportProfile(1, target), ProfileOutcome::ProfileUnreadable);
    EXPECT_EQ(m_list.ExportProfile(1, m_folder.Path() / "no" / "x.json"),
              ProfileOutcome::ProfileUnreadable);
}

TEST_F(ProfileListTest, ImportRefusesFilesThatAreNotProfiles) {
    WriteList({"A"});
    for (const char* text : {"not json", R"({"profilename": "x"})", R"({"profileUUID": "x"})",
                             R"({"profilename": null, "profileUUID": "x"})", "[1]"}) {
        const fs::path file = m_folder.Write("in.json", text);
        EXPECT_EQ(m_list.ImportProfile(file), ProfileOutcome::NotAProfileFile) << text;
    }
    EXPECT_EQ(m_list.ImportProfile(m_folder.Path() / "missing.json"),
              ProfileOutcome::NotAProfileFile);
    EXPECT_EQ(m_list.ProfileCount(), 1);
}

TEST_F(ProfileListTest, IdentifiersThatLeaveTheFolderAreNotUsedAsPaths) {
    const fs::path victim = m_folder.Write("victim.Json", "{}");
    m_folder.Write("data/keyboard/ProfileList.ini",
                   R"({"profilelist": [{"profilename": "A", "profileUUID": "a"},
                                      {"profilename": "B", "profileUUID": "../../victim"}]})");
    EXPECT_TRUE(m_list.ProfilePathAt(1).empty());
    EXPECT_EQ(m_list.DeleteProfile(1), ProfileOutcome::Done);
    EXPECT_TRUE(fs::exists(victim));
}

}  // namespace
}  // namespace vestra
