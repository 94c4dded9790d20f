// Small documents and helpers shared by the profile tests.
#pragma once

#include <gtest/gtest.h>
#include <json/value.h>

#include <ostream>
#include <string>
#include <string_view>

#include "profile/JsonFile.h"
#include "profile/ProfileRecords.h"

namespace Json {
// Failed comparisons print the document, not its bytes.
inline void PrintTo(const Value& value, std::ostream* out) {
    *out << value.toStyledString();
}
}  // namespace Json

namespace vestra::test {

inline Json::Value ParseJson(std::string_view text) {
    Json::Value document;
    EXPECT_TRUE(JsonFile::Parse(text, document)) << text;
    return document;
}

inline LightInfoRecord LightWithSelectItem(uint8_t selectItem) {
    LightInfoRecord record{};
    record.selectItem = selectItem;
    return record;
}

// A default profile: one device entry with a key of each group the tests look at.
inline constexpr std::string_view kDefaultProfile = R"({
  "profilename": "factory", "profileUUID": "factory",
  "Device": [ {
    "LightInfo": { "SelectItem": 2, "Light": 4, "MultiColor": 1, "Red": 255 },
    "KeyList": [ { "Assignment": 65796, "DefaultAssignment": 65796 } ],
    "CustomEQNameInfo": [ { "Name": "factory eq" } ],
    "CustomEQHzValueInfo": [ [ {"value": 1}, {"value": 1}, {"value": 1}, {"value": 1},
      {"value": 1}, {"value": 1}, {"value": 1}, {"value": 1}, {"value": 1}, {"value": 1} ] ]
  } ]
})";

}  // namespace vestra::test
