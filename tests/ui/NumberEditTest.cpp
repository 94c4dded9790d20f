#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "TestSkin.h"
#include "support/QtTestApp.h"
#include "ui/NumberEdit.h"
#include "ui/ResourceIndex.h"

namespace vestra::ui {
namespace {

TEST(NumberEditTest, LayoutEditTakesDigitsOnlyWithinMaxLengthAndMaximum) {
    test::QtTestApp();
    ResourceIndex resources;
    ASSERT_TRUE(resources.Load(test::TestSkinFolder()));
    test::RecordingWindow window;
    ASSERT_TRUE(window.Create(resources, "XML_MAIN"));
    auto* edit = qobject_cast<QLineEdit*>(window.FindControl("editDpi"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->maxLength(), 5);

    struct Case {
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{"12ab3", "123"}, Case{"1600", "1600"}, Case{"-5", "5"},
                          Case{"2600099", "26000"}, Case{"99999", "9999"}, Case{"1 2", "12"}}) {
        edit->clear();
        QTest::keyClicks(edit, c.typed);
        EXPECT_EQ(edit->text(), c.shown) << c.typed;
    }
}

TEST(NumberEditTest, BelowMinimumIsRaisedWhenEditingEnds) {
    NumberEdit rules(50, 26000);
    struct Case {
        const char* input;
        QValidator::State state;
        const char* fixed;
    };
    for (const Case& c :
         {Case{"", QValidator::Intermediate, "50"}, Case{"7", QValidator::Intermediate, "50"},
          Case{"50", QValidator::Acceptable, "50"}, Case{"26001", QValidator::Invalid, "26001"},
          Case{"99999999999999999999999", QValidator::Invalid, "50"},
          Case{"1e3", QValidator::Invalid, "50"}}) {
        QString text = c.input;
        int position = 0;
        EXPECT_EQ(rules.validate(text, position), c.state) << c.input;
        rules.fixup(text);
        EXPECT_EQ(text, c.fixed) << c.input;
    }
}

TEST(NumberEditTest, EditWithoutNumberOnlyKeepsFreeTextButHonoursMaxChar) {
    test::QtTestApp();
    QLineEdit edit;
    edit.setProperty("maxchar", "3");
    ApplyNumberRules(&edit);
    QTest::keyClicks(&edit, "abcd");
    EXPECT_EQ(edit.text(), "abc");
    EXPECT_EQ(edit.validator(), nullptr);
}

}  // namespace
}  // namespace vestra::ui
