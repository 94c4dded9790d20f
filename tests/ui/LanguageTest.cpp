#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "TestSkin.h"
#include "support/QtTestApp.h"
#include "ui/Language.h"
#include "ui/ResourceIndex.h"

namespace vestra::ui {
namespace {

TEST(LanguageTest, SwitchingLanguagesReplacesTextsInPlace) {
    test::QtTestApp();
    ResourceIndex resources;
    ASSERT_TRUE(resources.Load(test::TestSkinFolder()));
    test::RecordingWindow window;
    ASSERT_TRUE(window.Create(resources, "XML_MAIN"));
    auto* title = qobject_cast<QLabel*>(window.FindControl("titleLabel"));
    auto* apply = qobject_cast<QPushButton*>(window.FindControl("btnApply"));
    ASSERT_TRUE(title && apply);

    Language language;
    ASSERT_TRUE(language.LoadLanguage(test::TestSkinFolder() + "/lan_en.xml"));
    language.ApplyLanguage(&window);
    EXPECT_EQ(title->text(), "Settings");
    EXPECT_EQ(title->toolTip(), "Device settings");
    EXPECT_EQ(apply->text(), "Apply");

    ASSERT_TRUE(language.LoadLanguage(test::TestSkinFolder() + "/lan_de.xml"));
    language.ApplyLanguage(&window);
    EXPECT_EQ(title->text(), "Einstellungen");
    EXPECT_EQ(title->toolTip(), QString::fromUtf8("Geräteeinstellungen"));
    EXPECT_EQ(apply->text(), QString::fromUtf8("Übernehmen"));
}

TEST(LanguageTest, BadFileKeepsTheLoadedTexts) {
    Language language;
    ASSERT_TRUE(language.LoadLanguage(test::TestSkinFolder() + "/lan_en.xml"));
    EXPECT_FALSE(language.LoadLanguage(test::TestSkinFolder() + "/lan_none.xml"));
    EXPECT_FALSE(language.Error().isEmpty());
    EXPECT_FALSE(language.LoadLanguage(test::TestSkinFolder() + "/menu.xml"));
    EXPECT_TRUE(language.Error().contains("Language"));
    EXPECT_EQ(language.Text("103"), "Apply");
    EXPECT_EQ(language.Text("999"), "");
}

}  // namespace
}  // namespace vestra::ui
