#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenu>

#include "TestSkin.h"
#include "support/QtTestApp.h"
#include "support/TempFolder.h"
#include "ui/Language.h"
#include "ui/MenuBuilder.h"

namespace vestra::ui {
namespace {

QAction* ActionNamed(QMenu* menu, const char* name) {
    return menu->findChild<QAction*>(name);
}

TEST(MenuBuilderTest, TriggeredItemsArriveAsMenuCommands) {
    test::QtTestApp();
    test::RecordingWindow window;
    QString error;
    QMenu* menu = MenuBuilder::Build(test::TestSkinFolder() + "/menu.xml", &window, &error);
    ASSERT_NE(menu, nullptr) << error.toStdString();
    ASSERT_EQ(menu->actions().size(), 3);  // copy, separator, sub-menu
    EXPECT_TRUE(menu->actions()[1]->isSeparator());
    ASSERT_NE(menu->actions()[2]->menu(), nullptr);
    EXPECT_EQ(menu->actions()[2]->text(), "More");

    ActionNamed(menu, "menu_copy")->trigger();
    ActionNamed(menu, "menu_mode")->trigger();
    ASSERT_EQ(window.commands.size(), 2u);
    EXPECT_EQ(window.commands[0].name, "menu_copy");
    EXPECT_EQ(window.commands[0].userData, "7");
    EXPECT_EQ(window.commands[0].text, "Copy");
    EXPECT_FALSE(window.commands[0].checked);
    EXPECT_EQ(window.commands[1].name, "menu_mode");
    EXPECT_EQ(window.commands[1].userData, "mode");
    EXPECT_TRUE(window.commands[1].checked);
}

TEST(MenuBuilderTest, ItemsTakeTheirTextsFromTheLanguage) {
    test::QtTestApp();
    test::RecordingWindow window;
    Language language;
    ASSERT_TRUE(language.LoadLanguage(test::TestSkinFolder() + "/lan_en.xml"));
    QMenu* menu =
        MenuBuilder::Build(test::TestSkinFolder() + "/menu.xml", &window, nullptr, &language);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ActionNamed(menu, "menu_copy")->text(), "Apply");
    EXPECT_EQ(ActionNamed(menu, "menu_mode")->text(), "Mode") << "an id the language lacks";
}

TEST(MenuBuilderTest, BadMenuFilesFailWithAReason) {
    test::QtTestApp();
    test::RecordingWindow window;
    test::TempFolder folder;
    const QString path = QString::fromStdString((folder.Path() / "menu.xml").string());
    for (const char* text :
         {"<Menu><MenuElement name=\"a\" text=\"A\">", "<Window/>", "<Menu><Button/></Menu>"}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        QString error;
        EXPECT_EQ(MenuBuilder::Build(path, &window, &error), nullptr) << text;
        EXPECT_FALSE(error.isEmpty()) << text;
    }
    QString error;
    EXPECT_EQ(MenuBuilder::Build(path + ".none", &window, &error), nullptr);
    EXPECT_TRUE(error.contains("cannot open"));
    EXPECT_TRUE(window.findChildren<QMenu*>().isEmpty());
}

}  // namespace
}  // namespace vestra::ui
