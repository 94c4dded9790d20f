#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "ProfileFixture.h"
#include "profile/JsonFile.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {
namespace fs = std::filesystem;

TEST(JsonFileTest, WritesTheStyledFormWithOneTrailingNewline) {
    test::TempFolder folder;
    const Json::Value document = test::ParseJson(
        R"({"b": {"c": "x", "e": {}}, "a": [1, 2, 3], "d": [{"v": 1}], "n": [], "t": true})");
    ASSERT_EQ(JsonFile::Write(folder.Path() / "f.Json", document), JsonFile::WriteResult::Ok);
    EXPECT_EQ(folder.Read("f.Json"),
              "{\n"
              "   \"a\" : [ 1, 2, 3 ],\n"
              "   \"b\" : {\n"
              "      \"c\" : \"x\",\n"
              "      \"e\" : {}\n"
              "   },\n"
              "   \"d\" : [\n"
              "      {\n"
              "         \"v\" : 1\n"
              "      }\n"
              "   ],\n"
              "   \"n\" : [],\n"
              "   \"t\" : true\n"
              "}\n");
}

TEST(JsonFileTest, NonAsciiTextSurvivesAWriteAndARead) {
    test::TempFolder folder;
    Json::Value document;
    document["profilename"] = "Spiel Ü 名前 🎮";
    ASSERT_EQ(JsonFile::Write(folder.Path() / "f.Json", document), JsonFile::WriteResult::Ok);
    EXPECT_EQ(JsonFile::Read(folder.Path() / "f.Json")["profilename"].asString(), "Spiel Ü 名前 🎮");
}

TEST(JsonFileTest, ReadTellsAMissingFileFromABrokenOne) {
    test::TempFolder folder;
    struct Case {
        const char* text;  // nullptr: no file
        JsonFile::ReadStatus status;
    };
    const Case cases[] = {
        {nullptr, JsonFile::ReadStatus::Missing},
        {"", JsonFile::ReadStatus::Missing},
        {"{ \"a\": ", JsonFile::ReadStatus::Invalid},
        {"not json", JsonFile::ReadStatus::Invalid},
        {"// a comment\n{ \"a\": 1 }", JsonFile::ReadStatus::Ok},
        {"[1, 2]", JsonFile::ReadStatus::Ok},
        // The writer would cut this name at the NUL, making it "a" and overwriting the "a" member.
        {R"({"a\u0000b": 1, "a": 2})", JsonFile::ReadStatus::Invalid},
        {R"({"a": "text\u0000with a NUL"})", JsonFile::ReadStatus::Ok},
    };
    for (const Case& c : cases) {
        const fs::path path = folder.Path() / "case.Json";
        fs::remove(path);
        if (c.text) folder.Write("case.Json", c.text);
        Json::Value document(7);
        EXPECT_EQ(JsonFile::Read(path, document), c.status) << (c.text ? c.text : "(none)");
        if (c.status != JsonFile::ReadStatus::Ok) {
            EXPECT_TRUE(document.isNull());
        }
    }
}

TEST(JsonFileTest, NestingBeyondTheParserLimitIsInvalidNotACrash) {
    test::TempFolder folder;
    folder.Write("deep.Json", std::string(100000, '['));
    Json::Value document;
    EXPECT_EQ(JsonFile::Read(folder.Path() / "deep.Json", document), JsonFile::ReadStatus::Invalid);
}

TEST(JsonFileTest, ReplacingAFileKeepsItsPermissionsAndLeavesNoTemporaryFile) {
    test::TempFolder folder;
    const fs::path path = folder.Path() / "f.Json";
    ASSERT_EQ(JsonFile::Write(path, Json::Value(1)), JsonFile::WriteResult::Ok);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_EQ(JsonFile::Write(path, Json::Value(2)), JsonFile::WriteResult::Ok);

    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(folder.Read("f.Json"), "2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(JsonFileTest, AFailedWriteReportsItAndLeavesTheTargetAsItWas) {
    test::TempFolder folder;
    EXPECT_EQ(JsonFile::Write(folder.Path() / "no-folder" / "f.Json", Json::Value(1)),
              JsonFile::WriteResult::CreateFailed);

    // A folder in the way of the rename: nothing is replaced and the temporary file is gone.
    folder.Write("target.Json/inside", "kept");
    EXPECT_EQ(JsonFile::Write(folder.Path() / "target.Json", Json::Value(1)),
              JsonFile::WriteResult::ReplaceFailed);
    EXPECT_EQ(folder.Read("target.Json/inside"), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace vestra
