// `vestractl watch`: what it reports, and that it ends cleanly when told to.
#include <gtest/gtest.h>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

TEST(WatchCommandTest, ReportsConnectedDevicesAsJsonLines) {
    VestractlHome home;
    const VestractlRun run =
        home.Run("--demo=keyboard,keyboard-receiver,pad --json watch --for 0.5");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::vector<Json::Value> events;
    std::istringstream lines(run.out);
    for (std::string line; std::getline(lines, line);) events.push_back(VestractlHome::Parse(line));
    const auto count = [&](const std::string& event, const std::string& device) {
        return std::count_if(events.begin(), events.end(), [&](const Json::Value& e) {
            return e["event"].asString() == event && e["device"].asString() == device;
        });
    };
    // The keyboard on both links is one device, on its cable.
    EXPECT_EQ(count("connected", "keyboard"), 1) << run.out;
    EXPECT_EQ(count("connected", "pad"), 1) << run.out;
    EXPECT_EQ(count("ready", ""), 1) << run.out;
    for (const Json::Value& event : events) {
        if (event["event"].asString() == "connected") {
            EXPECT_EQ(event["link"].asString(), "cable");
        }
    }
}

TEST(WatchCommandTest, EndsCleanlyOnSigtermAndSigint) {
    VestractlHome home;
    for (const char* signal : {"TERM", "INT"}) {
        const VestractlRun run =
            home.Run(std::string("--demo=pad watch & pid=$!; sleep 0.5; kill -") + signal +
                     " $pid; wait $pid; echo exit=$?");
        EXPECT_NE(run.out.find("pad: connected (cable)"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("exit=0"), std::string::npos)
            << signal << ": " << run.out << run.err;
    }
    // The demo state was saved on the way out.
    EXPECT_FALSE(home.EmulatorRegion("pad", "Settings").empty());
}

TEST(WatchCommandTest, RefusesABadDuration) {
    VestractlHome home;
    EXPECT_EQ(home.Run("watch --for soon").exitCode, 2);
    EXPECT_EQ(home.Run("watch --for -1").exitCode, 2);
}

}  // namespace
}  // namespace vestra::test
