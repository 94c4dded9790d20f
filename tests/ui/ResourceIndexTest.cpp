#include <gtest/gtest.h>

#include <QFile>

#include "TestSkin.h"
#include "support/TempFolder.h"
#include "ui/ResourceIndex.h"

namespace vestra::ui {
namespace {

TEST(ResourceIndexTest, ResolvesIdsAndFileNamesInsideTheSkin) {
    ResourceIndex index;
    ASSERT_TRUE(index.Load(test::TestSkinFolder())) << index.Error().toStdString();
    const QString skin = index.SkinFolder();

    EXPECT_EQ(index.Resolve("XML_MAIN"), skin + "/main.ui");
    EXPECT_EQ(index.Resolve("XML_MSG"), skin + "/msg.ui");
    EXPECT_EQ(index.Resolve("msg.ui"), skin + "/msg.ui");

    struct Case {
        const char* layout;
        const char* error;
    };
    for (const Case& c :
         {Case{"XML_NOPE", "unknown resource id"}, Case{"XML_GONE", "no layout file missing.ui"},
          Case{"../ui/skin/main.ui", "unknown resource id"},
          Case{"/etc/passwd", "unknown resource id"}, Case{"", "unknown"}}) {
        EXPECT_TRUE(index.Resolve(c.layout).isEmpty()) << c.layout;
        EXPECT_TRUE(index.Error().contains(c.error))
            << c.layout << ": " << index.Error().toStdString();
    }
}

TEST(ResourceIndexTest, MissingOrMalformedIndexFailsAndStaysEmpty) {
    test::TempFolder folder;
    ResourceIndex index;
    EXPECT_FALSE(index.Load(QString::fromStdString(folder.Path().string())));
    EXPECT_TRUE(index.Error().contains("res.xml"));

    for (const char* text : {"<Resources><Resource id=\"XML_MAIN\" file=\"main.ui\"/>",
                             "<Resources><Resource id=\"XML_MAIN\"/></Resources>", ""}) {
        QFile file(QString::fromStdString((folder.Path() / "res.xml").string()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        EXPECT_FALSE(index.Load(QString::fromStdString(folder.Path().string()))) << text;
        EXPECT_FALSE(index.Error().isEmpty());
        EXPECT_TRUE(index.Resolve("XML_MAIN").isEmpty()) << text;
    }
}

}  // namespace
}  // namespace vestra::ui
