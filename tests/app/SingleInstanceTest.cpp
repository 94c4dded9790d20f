// Two copies of the built program: the second wakes the first and leaves without touching devices.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/QtTestApp.h"
#include "support/TempFolder.h"

namespace vestra::test {
namespace {

std::string ReadAll(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(SingleInstanceTest, SecondCopyWakesTheFirstAndExitsWithoutDeviceAccess) {
    QtTestApp();
    TempFolder home;
    std::filesystem::create_directories(home.Path() / "run");
    std::filesystem::permissions(home.Path() / "run", std::filesystem::perms::owner_all);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", QString::fromStdString((home.Path() / "data").string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString((home.Path() / "config").string()));
    env.insert("XDG_RUNTIME_DIR", QString::fromStdString((home.Path() / "run").string()));
    const auto firstLog = home.Path() / "first.log";
    const auto secondLog = home.Path() / "second.log";

    QProcess first;
    env.insert("VESTRA_DEBUG_LOG", QString::fromStdString(firstLog.string()));
    first.setProcessEnvironment(env);
    first.start(VESTRA_PATH, {"--demo=keyboard"});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return ReadAll(firstLog).find("main window shown") != std::string::npos; }, 20000))
        << ReadAll(firstLog).substr(0, 2000);

    QProcess second;
    env.insert("VESTRA_DEBUG_LOG", QString::fromStdString(secondLog.string()));
    second.setProcessEnvironment(env);
    second.start(VESTRA_PATH, {"--demo=keyboard"});
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    const std::string secondText = ReadAll(secondLog);
    EXPECT_NE(secondText.find("another copy runs"), std::string::npos) << secondText;
    EXPECT_EQ(secondText.find("命令"), std::string::npos) << "the second copy sent a command";
    EXPECT_EQ(secondText.find("main window shown"), std::string::npos);

    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return ReadAll(firstLog).find("woken by another copy") != std::string::npos; },
        10000));
    first.terminate();
    EXPECT_TRUE(first.waitForFinished(20000));
    EXPECT_EQ(first.exitCode(), 0) << "a terminated copy still ends cleanly";
}

}  // namespace
}  // namespace vestra::test
