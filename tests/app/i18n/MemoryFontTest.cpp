#include <gtest/gtest.h>

#include <QFontDatabase>
#include <filesystem>

#include "app/i18n/AppFonts.h"
#include "app/i18n/MemoryFont.h"
#include "support/QtTestApp.h"
#include "support/TempFolder.h"

namespace vestra::app {
namespace {

const std::filesystem::path kSystemFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class MemoryFontTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kSystemFont)) GTEST_SKIP() << "no font file to load";
    }
    // Puts a real font into the test folder under name.
    void AddFont(const std::string& name) {
        std::filesystem::copy_file(kSystemFont, m_folder.Path() / name);
    }

    QApplication& m_app = test::QtTestApp();
    test::TempFolder m_folder;
};

TEST_F(MemoryFontTest, LoadsAFontAndReleasesIt) {
    AddFont("Tessaron-Regular.otf");
    MemoryFont font(m_folder.Path());
    ASSERT_TRUE(font.Load("Tessaron-Regular.otf"));
    const int id = font.FontId();
    EXPECT_FALSE(QFontDatabase::applicationFontFamilies(id).isEmpty());
    font.Remove();
    EXPECT_FALSE(font.IsLoaded());
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).isEmpty());
    font.Remove();  // harmless twice
}

TEST_F(MemoryFontTest, MissingOrBrokenFilesAreSkipped) {
    m_folder.Write("broken.ttf", "not a font");
    MemoryFont font(m_folder.Path());
    EXPECT_FALSE(font.Load("Simplified_Chinese.ttf"));
    EXPECT_FALSE(font.Load("broken.ttf"));
    EXPECT_FALSE(font.IsLoaded());
    EXPECT_FALSE(MemoryFont(std::filesystem::path()).Load("Simplified_Chinese.ttf"));
}

TEST_F(MemoryFontTest, AppFontsLoadWhatIsThereAndReleaseIt) {
    AddFont("Tessaron-Regular.otf");
    int id = -1;
    {
        AppFonts fonts(m_folder.Path());
        EXPECT_FALSE(fonts.Font(0).IsLoaded());
        ASSERT_TRUE(fonts.Font(1).IsLoaded());
        EXPECT_FALSE(fonts.Font(2).IsLoaded());
        EXPECT_FALSE(fonts.Font(3).IsLoaded());
        id = fonts.Font(1).FontId();
    }
    EXPECT_TRUE(QFontDatabase::applicationFontFamilies(id).isEmpty());
}

}  // namespace
}  // namespace vestra::app
