#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {

TEST(PathsTest, FoldersFollowXdgVariablesAndIgnoreRelativeOnes) {
    test::ScopedDataHome home;
    EXPECT_EQ(Paths::DataFolder(), home.Path() / "data" / "Vestra Zezevava Software");
    EXPECT_EQ(Paths::ConfigFolder(), home.Path() / "config" / "Vestra Zezevava Software");

    setenv("XDG_DATA_HOME", "relative/path", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(Paths::DataFolder(), "/home/someone/.local/share/Vestra Zezevava Software");
}

TEST(PathsTest, ShippedFolderIsFoundAndMissingOneIsEmpty) {
    EXPECT_FALSE(Paths::ShippedFolder("DefaultData").empty());
    EXPECT_TRUE(Paths::ShippedFolder("no-such-folder").empty());
}

}  // namespace
}  // namespace vestra
