#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "profile/BulletPattern.h"
#include "profile/JsonFile.h"
#include "support/TempFolder.h"

namespace vestra::test {
namespace {

class BulletPatternTest : public ::testing::Test {
protected:
    std::filesystem::path File(int gun = 0) const {
        return m_data.Path() / BulletPattern::FileName(gun);
    }
    // A factory folder with a one-bullet pattern per gun.
    void MakeFactory() {
        for (int gun = 0; gun < BulletPattern::kGunCount; ++gun) {
            m_factory.Write(BulletPattern::FileName(gun), "{\"Events\": [], \"MacroName\": \"gun " +
                                                              std::to_string(gun) +
                                                              "\", \"Version\": 64}\n");
        }
    }

    TempFolder m_data;
    TempFolder m_factory;
};

TEST_F(BulletPatternTest, SavedBulletHasItsSixEventsAndKeepsTheRest) {
    const std::filesystem::path factory = Paths::ShippedFolder("DefaultData");
    ASSERT_FALSE(factory.empty());
    ASSERT_TRUE(BulletPattern::Restore(m_data.Path(), factory, 0));
    const Json::Value before = JsonFile::Read(File());
    ASSERT_EQ(BulletPattern::SaveBullet(File(), 3, Bullet{12, 30, 95, true, false}),
              JsonFile::WriteResult::Ok);

    const Json::Value after = JsonFile::Read(File());
    struct Expected {
        const char* action;
        int button, delay, type;
    };
    const Expected expected[] = {{"down", 1, 10, 1}, {"up", 1, 0, 1},   {"down", 12, 5, 4},
                                 {"up", 30, 95, 5},  {"down", 0, 0, 4}, {"up", 0, 0, 5}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const Json::Value& event = after["Events"][18 + i];
        EXPECT_EQ(event["Action"].asString(), expected[i].action);
        EXPECT_TRUE(event["Button"].isInt());  // numbers, not text
        EXPECT_EQ(event["Button"].asInt(), expected[i].button);
        EXPECT_EQ(event["Delay"].asInt(), expected[i].delay);
        EXPECT_EQ(event["Type"].asInt(), expected[i].type);
    }
    EXPECT_EQ(after["Events"].size(), 180u);
    EXPECT_EQ(after["Events"][17], before["Events"][17]);
    EXPECT_EQ(after["Events"][24], before["Events"][24]);
    EXPECT_EQ(after["MacroName"], before["MacroName"]);
    EXPECT_EQ(BulletPattern::LoadBullet(File(), 3), (Bullet{12, 30, 95, true, false}));
}

TEST_F(BulletPatternTest, BulletsBeyondTheFileReadAsZerosAndSavingPadsWithNull) {
    EXPECT_EQ(BulletPattern::LoadBullet(File(), 5), Bullet{});  // no file at all
    ASSERT_EQ(BulletPattern::SaveBullet(File(), 2, Bullet{1, 2, 3, false, true}),
              JsonFile::WriteResult::Ok);
    const Json::Value document = JsonFile::Read(File());
    ASSERT_EQ(document["Events"].size(), 18u);
    EXPECT_TRUE(document["Events"][0].isNull());
    EXPECT_TRUE(document["Events"][11].isNull());
    EXPECT_EQ(BulletPattern::LoadBullet(File(), 0), Bullet{});
    EXPECT_EQ(BulletPattern::LoadBullet(File(), 2), (Bullet{1, 2, 3, false, true}));
    EXPECT_EQ(BulletPattern::SaveBullet(File(), 30, Bullet{}), JsonFile::WriteResult::CreateFailed);
}

TEST_F(BulletPatternTest, DirectionsAreReadWithoutRegardToCase) {
    m_data.Write(BulletPattern::FileName(0),
                 R"({"Events": [null, null, {"Action": "DOWN", "Button": 7, "Type": 4},
                    {"Action": "Down", "Button": 8, "Delay": "40", "Type": 5}]})");
    EXPECT_EQ(BulletPattern::LoadBullet(File(), 0), (Bullet{7, 8, 40, true, true}));
}

TEST_F(BulletPatternTest, RestoreReplacesMissingAndBrokenGunsOnly) {
    MakeFactory();
    m_data.Write(BulletPattern::FileName(1), "{ not json");
    m_data.Write(BulletPattern::FileName(3), "{\"Events\": [], \"MacroName\": \"mine\"}");
    EXPECT_EQ(BulletPattern::RestoreBroken(m_data.Path(), m_factory.Path()), 3);
    EXPECT_EQ(JsonFile::Read(File(1))["MacroName"].asString(), "gun 1");
    EXPECT_EQ(JsonFile::Read(File(2))["MacroName"].asString(), "gun 2");
    EXPECT_EQ(JsonFile::Read(File(3))["MacroName"].asString(), "mine");
    EXPECT_TRUE(BulletPattern::Restore(m_data.Path(), m_factory.Path(), 3));
    EXPECT_EQ(JsonFile::Read(File(3))["MacroName"].asString(), "gun 3");
}

TEST_F(BulletPatternTest, MissingFactoryCopyLeavesTheGunAsItWas) {
    m_data.Write(BulletPattern::FileName(2), "{\"Events\": [], \"MacroName\": \"mine\"}");
    EXPECT_FALSE(BulletPattern::Restore(m_data.Path(), m_factory.Path(), 2));
    EXPECT_EQ(JsonFile::Read(File(2))["MacroName"].asString(), "mine");
}

}  // namespace
}  // namespace vestra::test
