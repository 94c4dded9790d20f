#include <gtest/gtest.h>

#include <QLocale>
#include <string>
#include <vector>

#include "app/i18n/LanguageList.h"
#include "app/i18n/SettingsStore.h"
#include "app/i18n/StoredLanguage.h"
#include "platform/DebugLog.h"
#include "support/TempFolder.h"

namespace vestra::app {
namespace {

constexpr char kConfig[] = R"({
   "Language" : [
      { "Language_ID" : 2052, "Language_file" : "lan_cn.xml", "Language_name" : "cn",
        "Language_text" : "简体中文" },
      "not an object",
      { "Language_ID" : 1033, "Language_file" : "lan_en.xml", "Language_name" : "en",
        "Language_text" : "English" },
      { "Language_ID" : "1041", "Language_file" : 7 }
   ]
})";

TEST(LanguageListTest, ElementsKeepTheirArrayPositions) {
    test::TempFolder folder;
    const LanguageList list = LanguageList::Load(folder.Write("Language.config", kConfig));
    ASSERT_EQ(list.Count(), 4u);
    EXPECT_EQ(list.At(0).file, "lan_cn.xml");
    EXPECT_EQ(list.At(0).text, "简体中文");
    EXPECT_EQ(list.At(2).name, "en");
    EXPECT_EQ(list.At(2).id, 1033);
    // A malformed element is an empty entry in its own place; fields of the wrong type are empty.
    EXPECT_TRUE(list.At(1).file.isEmpty());
    EXPECT_FALSE(list.At(3).id.has_value());
    EXPECT_TRUE(list.At(3).file.isEmpty());
    for (int missing : {-1, 4, 100}) {
        EXPECT_TRUE(list.At(missing).name.isEmpty()) << missing;
        EXPECT_FALSE(list.At(missing).id.has_value()) << missing;
    }
    EXPECT_EQ(list.IndexOfId(1033), 2);
    EXPECT_EQ(list.IndexOfId(1041), -1);
}

TEST(LanguageListTest, UnreadableFilesGiveAnEmptyList) {
    test::TempFolder folder;
    for (const char* text : {"", "{ \"Language\" : [", "[1, 2]", "{ \"Language\" : {} }"}) {
        EXPECT_EQ(LanguageList::Load(folder.Write("Language.config", text)).Count(), 0u) << text;
    }
    EXPECT_EQ(LanguageList::Load(folder.Path() / "missing.config").Count(), 0u);
}

TEST(LanguageListTest, ShippedListHasTheLanguagesOfTheSkin) {
    const LanguageList list = LanguageList::LoadShipped();
    ASSERT_GE(list.Count(), 2u);
    EXPECT_EQ(list.At(list.IndexOfId(1033)).file, "lan_en.xml");
}

TEST(StoredLanguageTest, FallsBackToTheFirstLanguage) {
    test::TempFolder folder;
    const LanguageList list = LanguageList::Load(folder.Write("Language.config", kConfig));
    struct Case {
        const char* name;
        const char* settings;  // nullptr: no settings file
        const LanguageList* list;
        int expected;
    };
    const LanguageList empty;
    const std::vector<Case> cases = {
        {"nothing stored", nullptr, &list, 0},
        {"stored id found", "LANGUAGE=1033\n", &list, 2},
        {"stored id unknown", "LANGUAGE=1041\n", &list, 0},
        {"stored value not a number", "LANGUAGE=english\n", &list, 0},
        {"no language list", "LANGUAGE=1033\n", &empty, 0},
    };
    for (const Case& c : cases) {
        test::TempFolder config;
        if (c.settings) config.Write("settings.ini", c.settings);
        EXPECT_EQ(ReadStoredLanguage(*c.list, SettingsStore(config.Path())), c.expected) << c.name;
    }
}

TEST(StoredLanguageTest, FirstStartFollowsTheSystemLanguageAndLaterTheStoredChoice) {
    test::TempFolder folder;
    const LanguageList list = LanguageList::Load(folder.Write("Language.config", kConfig));
    test::TempFolder config;
    const SettingsStore store(config.Path());
    EXPECT_EQ(InitialLanguage(list, store, QLocale(QLocale::Chinese, QLocale::China)), 0);
    EXPECT_EQ(InitialLanguage(list, store, QLocale(QLocale::German, QLocale::Germany)), 2);
    ASSERT_TRUE(store.StoreLanguage(2052));
    EXPECT_EQ(InitialLanguage(list, store, QLocale(QLocale::English, QLocale::UnitedStates)), 0);
}

TEST(SettingsStoreTest, StoresTheLanguageAndSaysSo) {
    test::ScopedDataHome home;
    std::vector<std::string> lines;
    DebugLog::SetObserver([&](std::string_view line) { lines.emplace_back(line); });

    const SettingsStore store;  // the per-user config folder, created on the first write
    EXPECT_FALSE(store.Language().has_value());
    EXPECT_TRUE(store.StoreLanguage(1033));
    EXPECT_EQ(store.Language(), 1033);
    EXPECT_EQ(lines, std::vector<std::string>{"写成功！"});

    // A folder that cannot exist (its parent is a file): the choice is not remembered, silently.
    test::TempFolder blocked;
    blocked.Write("file", "x");
    lines.clear();
    const SettingsStore unwritable(blocked.Path() / "file" / "config");
    EXPECT_FALSE(unwritable.StoreLanguage(2052));
    EXPECT_FALSE(unwritable.Language().has_value());
    EXPECT_TRUE(lines.empty());
    DebugLog::SetObserver({});
}

}  // namespace
}  // namespace vestra::app
