#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProfileFixture.h"
#include "platform/DebugLog.h"
#include "profile/MacroEvent.h"

namespace vestra {
namespace {

using Action = MacroEvent::Action;

TEST(MacroEventTest, WritesTheFileFormWithTheDelayAsTextAndReadsItBack) {
    const MacroEvent event{Action::Down, 0x04, 10, 50};
    const Json::Value json = MacroEventToJson(event);
    EXPECT_EQ(json, test::ParseJson(R"({"Action": "down", "Button": 4, "Type": 10,
                                        "Delay": "50"})"));
    EXPECT_EQ(MacroEventFromJson(json), event);
    EXPECT_EQ(MacroEventToJson({Action::Up, 255, 5, 65535})["Action"], "up");
}

TEST(MacroEventTest, ParseMacroDelayKeepsTheDecimalValueWithinSixteenBits) {
    const std::pair<const char*, uint16_t> cases[] = {
        {"", 0},
        {"   ", 0},
        {"0", 0},
        {"007", 7},
        {" 42", 42},
        {"12ab", 12},
        {"abc", 0},
        {"-5", 0},
        {"65535", 65535},
        {"65536", 65535},
        {"99999999999999999999999", 65535},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseMacroDelay(text), expected) << '"' << text << '"';
    }
}

TEST(MacroEventTest, FieldsOfTheWrongTypeReadAsZero) {
    const struct {
        const char* json;
        MacroEvent expected;
    } cases[] = {
        {R"({"Action": 1, "Button": "4", "Type": null, "Delay": [5]})", {Action::Up, 0, 0, 0}},
        {R"({"Action": "DOWN", "Button": 2.7, "Type": true, "Delay": ""})", {Action::Up, 2, 1, 0}},
        // Files the program writes hold text; one edited by hand may hold a number.
        {R"({"Action": "down", "Button": 1, "Type": 1, "Delay": 120})", {Action::Down, 1, 1, 120}},
        {R"({"Action": "down", "Button": 1, "Type": 1, "Delay": 70000})",
         {Action::Down, 1, 1, 65535}},
        {R"({"Action": "up", "Button": 1, "Type": 1, "Delay": -3})", {Action::Up, 1, 1, 0}},
        {R"({})", {Action::Up, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MacroEventFromJson(test::ParseJson(c.json)), c.expected) << c.json;
    }
}

TEST(MacroEventTest, MalformedEventsAreLeftOutWithADebugLine) {
    std::vector<std::string> lines;
    DebugLog::SetObserver([&lines](std::string_view line) { lines.emplace_back(line); });
    const std::vector<MacroEvent> events = MacroEventsFromJson(test::ParseJson(R"([
        {"Action": "down", "Button": 4, "Type": 10, "Delay": "10"},
        7, null, "down", [1, 2],
        {"Action": "down", "Button": 256, "Type": 10, "Delay": "10"},
        {"Action": "down", "Button": 4, "Type": -1, "Delay": "10"},
        {"Action": "up", "Button": 4, "Type": 10, "Delay": "20"}
    ])"));
    DebugLog::SetObserver({});

    EXPECT_EQ(events,
              (std::vector<MacroEvent>{{Action::Down, 4, 10, 10}, {Action::Up, 4, 10, 20}}));
    int skipped = 0;
    for (const std::string& line : lines) skipped += line.find("malformed") != std::string::npos;
    EXPECT_EQ(skipped, 6);

    for (const char* notAnArray : {"null", "{}", "\"events\"", "3"}) {
        EXPECT_TRUE(MacroEventsFromJson(test::ParseJson(notAnArray)).empty()) << notAnArray;
    }
}

}  // namespace
}  // namespace vestra
