#include "cli/RecordFields.h"

#include <iomanip>

namespace vestra::cli {

void RecordFields::Add(std::string key, std::string label, Json::Value value, std::string text) {
    if (text.empty()) text = value.asString();
    m_fields.push_back({std::move(key), std::move(label), std::move(value), std::move(text)});
}

Json::Value RecordFields::ToJson() const {
    Json::Value object(Json::objectValue);
    for (const Field& field : m_fields) object[field.key] = field.value;
    return object;
}

void RecordFields::Print(std::ostream& out, std::string_view title) const {
    out << title << '\n';
    for (const Field& field : m_fields) {
        out << "  " << std::left << std::setw(22) << field.label << field.text << '\n';
    }
}

}  // namespace vestra::cli
