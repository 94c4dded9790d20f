// The named values a device command prints: as aligned text rows or as one JSON object.
#pragma once

#include <json/value.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::cli {

class RecordFields {
public:
    // text is what the text form shows; empty shows the value itself.
    void Add(std::string key, std::string label, Json::Value value, std::string text = {});

    Json::Value ToJson() const;
    // A title line, then one indented "label  text" row per field.
    void Print(std::ostream& out, std::string_view title) const;

private:
    struct Field {
        std::string key;
        std::string label;
        Json::Value value;
        std::string text;
    };
    std::vector<Field> m_fields;
};

}  // namespace vestra::cli
