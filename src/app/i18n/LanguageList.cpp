#include "app/i18n/LanguageList.h"

#include <json/json.h>

#include <fstream>
#include <sstream>

#include "platform/Paths.h"

namespace vestra::app {
namespace {

QString StringField(const Json::Value& element, const char* key) {
    const Json::Value& value = element[key];
    return value.isString() ? QString::fromStdString(value.asString()) : QString();
}

}  // namespace

LanguageList LanguageList::Load(const std::filesystem::path& file) {
    LanguageList list;
    std::ifstream input(file, std::ios::binary);
    if (!input) return list;
    Json::CharReaderBuilder builder;
    Json::Value document;
    std::string errors;
    if (!Json::parseFromStream(builder, input, &document, &errors) || !document.isObject()) {
        return list;
    }
    const Json::Value& languages = document["Language"];
    if (!languages.isArray()) return list;
    for (const Json::Value& element : languages) {
        LanguageEntry entry;
        if (element.isObject()) {
            entry.name = StringField(element, "Language_name");
            entry.file = StringField(element, "Language_file");
            entry.text = StringField(element, "Language_text");
            const Json::Value& id = element["Language_ID"];
            if (id.isInt()) entry.id = id.asInt();
        }
        list.m_entries.push_back(std::move(entry));
    }
    return list;
}

LanguageList LanguageList::LoadShipped() {
    const std::filesystem::path folder = Paths::ShippedFolder("DefaultData");
    if (folder.empty()) return {};
    return Load(folder / "Language.config");
}

LanguageEntry LanguageList::At(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_entries.size()) return {};
    return m_entries[static_cast<size_t>(index)];
}

int LanguageList::IndexOfId(int id) const {
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id == id) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace vestra::app
