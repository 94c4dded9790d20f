#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ProfileFixture.h"
#include "profile/MacroLibrary.h"
#include "profile/ProfileList.h"
#include "profile/Timestamp.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {
namespace fs = std::filesystem;
using Action = MacroEvent::Action;

// Every macro is created in the same millisecond unless a test moves the clock.
class MacroLibraryTest : public ::testing::Test {
protected:
    MacroLibraryTest() : m_library(m_folder.Path(), [this] { return m_now; }) {}

    // A library of the given names, with Guids "g0", "g1", ... and no macro files.
    void WriteLibrary(const std::vector<std::string>& names) {
        Json::Value document;
        document["MacroInfo"] = Json::Value(Json::arrayValue);
        for (size_t i = 0; i < names.size(); ++i) {
            Json::Value entry;
            entry["MacroName"] = names[i];
            entry["Guid"] = "g" + std::to_string(i);
            document["MacroInfo"].append(entry);
        }
        JsonFile::Write(m_folder.Path() / MacroLibrary::kLibraryFileName, document);
        m_library.Load();
    }

    Json::Value ReadFile(const std::string& name) const {
        return JsonFile::Read(m_folder.Path() / name);
    }

    test::TempFolder m_folder;
    std::chrono::system_clock::time_point m_now{std::chrono::milliseconds(1'600'000'000'123)};
    MacroLibrary m_library;
};

TEST_F(MacroLibraryTest, AMissingOrBrokenLibraryFileGivesAnEmptyLibrary) {
    m_library.Load();
    EXPECT_EQ(m_library.Count(), 0);
    for (const char* text : {"{\"MacroInfo\": [", "[1, 2]", "{\"MacroInfo\": 5}"}) {
        m_folder.Write(MacroLibrary::kLibraryFileName, text);
        m_library.Load();
        EXPECT_EQ(m_library.Count(), 0) << text;
        EXPECT_TRUE(m_library.Names().empty()) << text;
        EXPECT_TRUE(m_library.LoadEvents(0).empty()) << text;
    }
}

TEST_F(MacroLibraryTest, AddTakesTheFirstFreeNameRegardlessOfCase) {
    const struct {
        std::vector<std::string> names;
        const char* added;
    } cases[] = {
        {{}, "macro_1"},
        {{"macro_1", "macro_3"}, "macro_2"},
        {{"macro_1", "macro_2"}, "macro_3"},
        {{"MACRO_1", "Macro_2", "mine"}, "macro_3"},
    };
    for (const auto& c : cases) {
        WriteLibrary(c.names);
        ASSERT_EQ(m_library.Add(), MacroOutcome::Done);
        ASSERT_EQ(m_library.Count(), static_cast<int>(c.names.size()) + 1);
        EXPECT_EQ(m_library.Names().back(), c.added);
    }
}

TEST_F(MacroLibraryTest, AddWritesTheLibraryEntryAndAnEmptyMacroFile) {
    m_folder.Write(MacroLibrary::kLibraryFileName,
                   R"({"MacroInfo": [{"MacroName": "a", "Guid": "g0", "Extra": 1}], "Kept": 2})");
    ASSERT_EQ(m_library.Add(), MacroOutcome::Done);

    const Json::Value library = ReadFile(MacroLibrary::kLibraryFileName);
    EXPECT_EQ(library["Kept"], 2);
    EXPECT_EQ(library["MacroInfo"][0]["Extra"], 1);
    const std::string guid = library["MacroInfo"][1]["Guid"].asString();
    EXPECT_EQ(guid, FormatTimestamp(m_now));
    EXPECT_EQ(m_library.MacroFilePath(1), m_folder.Path() / (guid + ".mac"));
    EXPECT_EQ(JsonFile::Read(m_library.MacroFilePath(1)),
              test::ParseJson(R"({"MacroName": "macro_1", "Guid": ")" + guid +
                              R"(", "Events": [], "Version": 64})"));
}

TEST_F(MacroLibraryTest, MacrosAddedInOneMillisecondGetTheirOwnFiles) {
    for (int i = 0; i < 3; ++i) ASSERT_EQ(m_library.Add(), MacroOutcome::Done) << i;
    std::set<fs::path> files;
    for (int i = 0; i < m_library.Count(); ++i) {
        EXPECT_TRUE(fs::exists(m_library.MacroFilePath(i))) << i;
        files.insert(m_library.MacroFilePath(i));
    }
    EXPECT_EQ(files.size(), 3u);
}

TEST_F(MacroLibraryTest, TheFiftyFirstAddDoesNothing) {
    std::vector<std::string> names;
    for (int i = 0; i < MacroLibrary::kMaxMacros - 1; ++i) names.push_back("m" + std::to_string(i));
    WriteLibrary(names);
    ASSERT_EQ(m_library.Add(), MacroOutcome::Done);
    EXPECT_EQ(m_library.Count(), 50);

    const std::string before = m_folder.Read(MacroLibrary::kLibraryFileName);
    EXPECT_EQ(m_library.Add(), MacroOutcome::TooManyMacros);
    EXPECT_EQ(m_library.Count(), 50);
    EXPECT_EQ(m_folder.Read(MacroLibrary::kLibraryFileName), before);
}

TEST_F(MacroLibraryTest, RenameWantsANameNoOtherMacroHas) {
    WriteLibrary({"one", "two"});
    EXPECT_EQ(m_library.Rename(0, ""), MacroOutcome::NameBlank);
    EXPECT_EQ(m_library.Rename(0, "  "), MacroOutcome::NameBlank);
    EXPECT_EQ(m_library.Rename(0, "TWO"), MacroOutcome::NameTaken);
    EXPECT_EQ(m_library.Rename(2, "three"), MacroOutcome::NoSuchMacro);
    EXPECT_EQ(m_library.Names(), (std::vector<std::string>{"one", "two"}));

    EXPECT_EQ(m_library.Rename(0, "ONE"), MacroOutcome::Done);
    EXPECT_EQ(m_library.Rename(1, "Zwei"), MacroOutcome::Done);
    m_library.Load();
    EXPECT_EQ(m_library.Names(), (std::vector<std::string>{"ONE", "Zwei"}));
    EXPECT_EQ(ReadFile(MacroLibrary::kLibraryFileName)["MacroInfo"][1]["Guid"], "g1");
}

TEST_F(MacroLibraryTest, SavedEventsCarryTheLibraryNameAndNormalisedDelays) {
    WriteLibrary({"jump"});
    m_folder.Write("g0.mac", R"({"MacroName": "old", "Guid": "elsewhere", "Note": "kept",
        "Events": [{"Action": "down", "Button": 44, "Type": 10, "Delay": ""},
                   {"Action": "up", "Button": 44, "Type": 10, "Delay": "0070"},
                   {"Action": "up", "Button": 1, "Type": 1, "Delay": "3"}]})");
    std::vector<MacroEvent> events = m_library.LoadEvents(0);
    ASSERT_EQ(events.size(), 3u);
    events.pop_back();
    ASSERT_EQ(m_library.SaveEvents(0, events), MacroOutcome::Done);

    EXPECT_EQ(ReadFile("g0.mac"), test::ParseJson(R"({"MacroName": "jump", "Guid": "g0",
        "Note": "kept", "Version": 64,
        "Events": [{"Action": "down", "Button": 44, "Type": 10, "Delay": "0"},
                   {"Action": "up", "Button": 44, "Type": 10, "Delay": "70"}]})"));
    EXPECT_EQ(m_library.SaveEvents(1, events), MacroOutcome::NoSuchMacro);
}

TEST_F(MacroLibraryTest, ABrokenMacroFileGivesNoEvents) {
    WriteLibrary({"m"});
    for (const char* text : {"", "{\"Events\": [", "[{\"Type\": 1}]", "{\"Events\": {\"0\": 1}}",
                             "{\"Events\": \"down\"}", "\x89PNG\r\n\x1a\n"}) {
        m_folder.Write("g0.mac", text);
        EXPECT_TRUE(m_library.LoadEvents(0).empty()) << text;
    }
    fs::remove(m_folder.Path() / "g0.mac");
    EXPECT_TRUE(m_library.LoadEvents(0).empty());
    EXPECT_TRUE(m_library.LoadEvents(-1).empty());
}

// A library entry is a file name taken from a file anyone may edit.
TEST_F(MacroLibraryTest, AGuidThatIsNoFileNameNeverReachesOutsideTheFolder) {
    m_folder.Write("lib/" + std::string(MacroLibrary::kLibraryFileName),
                   R"({"MacroInfo": [{"MacroName": "evil", "Guid": "../outside"}]})");
    m_folder.Write("outside.mac", R"({"Events": [{"Action": "down", "Button": 1, "Type": 1}]})");
    MacroLibrary library(m_folder.Path() / "lib");
    library.Load();
    EXPECT_TRUE(library.MacroFilePath(0).empty());
    EXPECT_TRUE(library.LoadEvents(0).empty());
    EXPECT_EQ(library.SaveEvents(0, {}), MacroOutcome::NoSuchMacro);
    EXPECT_EQ(library.Delete(0).outcome, MacroOutcome::Done);
    EXPECT_EQ(library.Count(), 0);
    EXPECT_TRUE(fs::exists(m_folder.Path() / "outside.mac"));
}

TEST_F(MacroLibraryTest, AFileNamedByTwoEntriesStaysUntilTheLastOneIsDeleted) {
    m_folder.Write(MacroLibrary::kLibraryFileName, R"({"MacroInfo": [
        {"MacroName": "a", "Guid": "same"}, {"MacroName": "b", "Guid": "same"}]})");
    m_folder.Write("same.mac", R"({"Events": []})");
    EXPECT_EQ(m_library.Delete(0).outcome, MacroOutcome::Done);
    EXPECT_TRUE(fs::exists(m_folder.Path() / "same.mac"));
    EXPECT_EQ(m_library.Delete(0).outcome, MacroOutcome::Done);
    EXPECT_FALSE(fs::exists(m_folder.Path() / "same.mac"));
}

TEST_F(MacroLibraryTest, ABrokenLibraryFileIsKeptAsideWhenAMacroIsAdded) {
    m_folder.Write(MacroLibrary::kLibraryFileName, R"({"MacroInfo": [{"MacroName": "typo")");
    ASSERT_EQ(m_library.Add(), MacroOutcome::Done);
    EXPECT_EQ(m_folder.Read(std::string(MacroLibrary::kLibraryFileName) + ".broken"),
              R"({"MacroInfo": [{"MacroName": "typo")");
    EXPECT_EQ(m_library.Names(), std::vector<std::string>{"macro_1"});
}

TEST_F(MacroLibraryTest, ImportTakesTheEventsButNamesTheMacroAsAddDoes) {
    WriteLibrary({"macro_1"});
    const fs::path file = m_folder.Write("in/shared.mac", R"({"MacroName": "Their name",
        "Guid": "2001_01_01_00_00_00_000", "Version": 64,
        "Events": [{"Action": "down", "Button": 2, "Type": 9, "Delay": "15"}]})");
    ASSERT_EQ(m_library.Import(file), MacroOutcome::Done);

    ASSERT_EQ(m_library.Count(), 2);
    EXPECT_EQ(m_library.Names()[1], "macro_2");
    EXPECT_EQ(m_library.LoadEvents(1), (std::vector<MacroEvent>{{Action::Down, 2, 9, 15}}));
    const Json::Value stored = JsonFile::Read(m_library.MacroFilePath(1));
    EXPECT_EQ(stored["MacroName"], "macro_2");
    EXPECT_EQ(stored["Guid"], m_library.MacroFilePath(1).stem().string());
}

TEST_F(MacroLibraryTest, ImportRefusesAFileThatIsNoMacroFile) {
    WriteLibrary({"macro_1"});
    const std::string before = m_folder.Read(MacroLibrary::kLibraryFileName);
    const fs::path files[] = {
        m_folder.Write("in/garbage.mac", "\x89PNG\r\n\x1a\nnot json"),
        m_folder.Write("in/profile.mac", R"({"profilename": "p", "Device": []})"),
        m_folder.Write("in/array.mac", R"([{"Events": []}])"),
        m_folder.Write("in/events.mac", R"({"Events": "none"})"),
        m_folder.Path() / "in" / "missing.mac",
    };
    for (const fs::path& file : files) {
        EXPECT_EQ(m_library.Import(file), MacroOutcome::NotAMacroFile) << file;
    }
    EXPECT_EQ(m_library.Count(), 1);
    EXPECT_EQ(m_folder.Read(MacroLibrary::kLibraryFileName), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.Path()), fs::directory_iterator()), 2)
        << "only macro.config and in/";
}

TEST_F(MacroLibraryTest, ExportCopiesTheMacroFileAndAnImportOfItPlaysTheSame) {
    ASSERT_EQ(m_library.Add(), MacroOutcome::Done);
    const std::vector<MacroEvent> events{{Action::Down, 1, 1, 5}, {Action::Up, 1, 1, 0}};
    ASSERT_EQ(m_library.SaveEvents(0, events), MacroOutcome::Done);
    const fs::path target = m_folder.Path() / "out.mac";
    ASSERT_EQ(m_library.Export(0, target), MacroOutcome::Done);
    EXPECT_EQ(JsonFile::Read(target), JsonFile::Read(m_library.MacroFilePath(0)));

    ASSERT_EQ(m_library.Import(target), MacroOutcome::Done);
    EXPECT_EQ(m_library.LoadEvents(1), events);

    fs::remove(m_library.MacroFilePath(0));
    EXPECT_EQ(m_library.Export(0, m_folder.Path() / "gone.mac"), MacroOutcome::MacroUnreadable);
    EXPECT_EQ(m_library.Export(5, target), MacroOutcome::NoSuchMacro);
    EXPECT_FALSE(fs::exists(m_folder.Path() / "gone.mac"));
}

// Key codes as the profile stores them: (type << 16) | (value 1 << 8) | value 2.
constexpr int Code(int type, int value1, int value2) {
    return (type << 16) | (value1 << 8) | value2;
}
constexpr int kDefaultA = Code(0x20, 0, 0x04);
constexpr int kDefaultB = Code(0x20, 0, 0x05);

class MacroDeleteTest : public MacroLibraryTest {
protected:
    MacroDeleteTest() {
        ProfileList profiles(m_folder.Path(), m_folder.Write("default.Json", "{}"));
        profiles.EnsureProfileList();
        profiles.AddProfile();  // now the selected one
        m_profiles = {profiles.ProfilePathAt(0), profiles.ProfilePathAt(1)};
        WriteLibrary({"m0", "m1", "m2", "m3", "m4"});
        for (int i = 0; i < 5; ++i) {
            m_folder.Write("g" + std::to_string(i) + ".mac", R"({"Events": []})");
        }
    }

    // Writes a profile whose keys have these current codes, each with default kDefaultA.
    void WriteKeys(int profile, const std::vector<int>& codes) {
        Json::Value document = JsonFile::Read(m_profiles[profile]);
        Json::Value& keys = document["Device"][0]["KeyList"];
        keys = Json::Value(Json::arrayValue);
        for (int code : codes) {
            Json::Value key;
            key["Assignment"] = code;
            key["DefaultAssignment"] = kDefaultA;
            key["Other"] = "kept";
            keys.append(key);
        }
        JsonFile::Write(m_profiles[profile], document);
    }

    std::vector<int> ReadKeys(int profile) const {
        const Json::Value keys = JsonFile::Read(m_profiles[profile])["Device"][0]["KeyList"];
        std::vector<int> codes;
        for (const Json::Value& key : keys) {
            EXPECT_EQ(key["Other"], "kept");
            codes.push_back(key["Assignment"].asInt());
        }
        return codes;
    }

    std::vector<fs::path> m_profiles;
};

TEST_F(MacroDeleteTest, DeletingMacroTwoOfFiveRenumbersTheKeysOfEveryProfile) {
    WriteKeys(0, {Code(0x70, 0, 1), Code(0x70, 2, 3), Code(0x71, 3, 10), Code(0x70, 4, 0),
                  kDefaultB, Code(0x72, 3, 0)});
    WriteKeys(1, {Code(0x71, 2, 5), Code(0x70, 3, 2), Code(0x70, 1, 0)});
    EXPECT_TRUE(m_library.SelectedProfileUsesMacro(2));
    EXPECT_FALSE(m_library.SelectedProfileUsesMacro(0));

    const MacroDeleteResult result = m_library.Delete(2);
    ASSERT_EQ(result.outcome, MacroOutcome::Done);
    EXPECT_EQ(result.profilesChanged, 2);

    // Play mode and repeat count stay; type 0x72 is no macro.
    EXPECT_EQ(ReadKeys(0), (std::vector<int>{Code(0x70, 0, 1), kDefaultA, Code(0x71, 2, 10),
                                             Code(0x70, 3, 0), kDefaultB, Code(0x72, 3, 0)}));
    EXPECT_EQ(ReadKeys(1), (std::vector<int>{kDefaultA, Code(0x70, 2, 2), Code(0x70, 1, 0)}));
    EXPECT_EQ(m_library.Names(), (std::vector<std::string>{"m0", "m1", "m3", "m4"}));
    EXPECT_FALSE(fs::exists(m_folder.Path() / "g2.mac"));
    EXPECT_TRUE(fs::exists(m_folder.Path() / "g3.mac"));
    EXPECT_EQ(m_library.MacroFilePath(2), m_folder.Path() / "g3.mac");
}

TEST_F(MacroDeleteTest, ProfilesWithoutBindingsToMovedMacrosAreNotRewritten) {
    WriteKeys(0, {Code(0x70, 0, 0), kDefaultB});
    m_folder.Write(m_profiles[1].filename().string(), "{\"Device\": [ broken");
    const MacroDeleteResult result = m_library.Delete(4);
    EXPECT_EQ(result.outcome, MacroOutcome::Done);
    EXPECT_EQ(result.profilesChanged, 0);
    EXPECT_EQ(m_folder.Read(m_profiles[1].filename().string()), "{\"Device\": [ broken");
    EXPECT_EQ(m_library.Delete(4).outcome, MacroOutcome::NoSuchMacro);
    EXPECT_EQ(m_library.Count(), 4);
}

}  // namespace
}  // namespace vestra
