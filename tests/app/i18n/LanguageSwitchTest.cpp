#include <gtest/gtest.h>

#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>
#include <string>

#include "app/i18n/LanguageSwitch.h"
#include "support/QtTestApp.h"
#include "support/TempFolder.h"

namespace vestra::app {
namespace {

// Five languages (indexes 0-4); index 1 names a file that does not exist.
constexpr char kConfig[] = R"({ "Language" : [
    { "Language_ID" : 2052, "Language_file" : "lan_cn.xml" },
    { "Language_ID" : 1000, "Language_file" : "lan_missing.xml" },
    { "Language_ID" : 1028, "Language_file" : "lan_tw.xml" },
    { "Language_ID" : 1031, "Language_file" : "lan_de.xml" },
    { "Language_ID" : 1033, "Language_file" : "lan_en.xml" } ] })";

std::string LanguageFile(const std::string& greeting) {
    return "<Language name=\"x\"><Text id=\"greeting\" value=\"" + greeting + "\"/></Language>";
}

class LanguageSwitchTest : public ::testing::Test {
protected:
    LanguageSwitchTest() {
        for (const auto& [file, text] : {std::pair{"lan_cn.xml", "你好"},
                                         {"lan_tw.xml", "妳好"},
                                         {"lan_de.xml", "Hallo"},
                                         {"lan_en.xml", "Hello"}}) {
            m_skin.Write(file, LanguageFile(text));
        }
    }

    int Generation() const { return m_switch.Fonts().Generation(); }
    QString Greeting() const { return m_switch.Language().Text("greeting"); }

    QApplication& m_app = test::QtTestApp();
    test::ScopedDataHome m_home;
    test::TempFolder m_skin;
    LanguageSwitch m_switch{QString::fromStdString(m_skin.Path().string()),
                            LanguageList::Load(m_skin.Write("Language.config", kConfig))};
};

TEST_F(LanguageSwitchTest, FirstSwitchRebuildsFontsLoadsTextsAndStoresTheChoice) {
    EXPECT_EQ(m_switch.CurrentIndex(), -1);
    EXPECT_TRUE(m_switch.Apply(4, 96));
    EXPECT_EQ(Generation(), 1);
    EXPECT_EQ(m_switch.Fonts().Family(), "Noto Sans");
    EXPECT_EQ(Greeting(), "Hello");
    EXPECT_EQ(m_switch.Store().Language(), 1033);

    // The same index again changes nothing.
    EXPECT_FALSE(m_switch.Apply(4, 144));
    EXPECT_EQ(Generation(), 1);
    EXPECT_EQ(m_switch.Fonts().Font(FontTable::kDefaultId).pixelSize(), 12);
}

TEST_F(LanguageSwitchTest, FontTableIsRebuiltOnlyToOrFromTheLanguagesWithOwnFonts) {
    struct Step {
        int index;
        int generation;  // after the switch
        const char* greeting;
    };
    // 4 → 3 → 4 keep the table; to 0 and away from 0 or 2 rebuild it.
    for (const Step& step :
         {Step{4, 1, "Hello"}, Step{3, 1, "Hallo"}, Step{4, 1, "Hello"}, Step{0, 2, "你好"},
          Step{3, 3, "Hallo"}, Step{2, 4, "妳好"}, Step{4, 5, "Hello"}}) {
        EXPECT_TRUE(m_switch.Apply(step.index, 96));
        EXPECT_EQ(Generation(), step.generation) << "to " << step.index;
        EXPECT_EQ(Greeting(), step.greeting) << "to " << step.index;
    }
    ASSERT_TRUE(m_switch.Apply(0, 96));
    EXPECT_EQ(m_switch.Fonts().Family(), "Noto Sans CJK SC");
}

TEST_F(LanguageSwitchTest, MissingFileOrElementKeepsThePreviousTexts) {
    ASSERT_TRUE(m_switch.Apply(3, 96));
    EXPECT_TRUE(m_switch.Apply(1, 96));  // its file does not exist
    EXPECT_EQ(Greeting(), "Hallo");
    EXPECT_EQ(m_switch.Store().Language(), 1000);

    EXPECT_TRUE(m_switch.Apply(9, 96));  // no such element: nothing is stored either
    EXPECT_EQ(m_switch.CurrentIndex(), 9);
    EXPECT_EQ(Greeting(), "Hallo");
    EXPECT_EQ(m_switch.Store().Language(), 1000);
}

TEST_F(LanguageSwitchTest, ApplyToSetsTextsAndFontsByTheirIds) {
    QWidget root;
    auto* greeting = new QLabel("?", &root);
    greeting->setProperty("textid", "greeting");
    auto* big = new QLabel(&root);
    big->setProperty("fontid", "3");
    auto* link = new QLabel(&root);
    link->setProperty("fontid", 1);
    auto* bold = new QLabel(&root);
    bold->setProperty("fontid", "50");
    auto* plain = new QLabel(&root);
    plain->setProperty("fontid", "default");

    ASSERT_TRUE(m_switch.Apply(4, 144));  // sizes scale with the DPI: 1.5 times
    m_switch.ApplyTo(&root);
    EXPECT_EQ(greeting->text(), "Hello");
    EXPECT_EQ(root.font().pixelSize(), 18);
    EXPECT_EQ(big->font().pixelSize(), 45);
    EXPECT_EQ(link->font().pixelSize(), 21);
    EXPECT_TRUE(link->font().underline());
    EXPECT_TRUE(bold->font().bold());
    EXPECT_FALSE(big->font().bold() || big->font().underline());
    EXPECT_EQ(plain->font().pixelSize(), 18);
    EXPECT_EQ(bold->font().family(), "Noto Sans");
}

}  // namespace
}  // namespace vestra::app
