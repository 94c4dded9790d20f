#include "device/model/LearnedSlots.h"

#include <json/value.h>

#include <system_error>

#include "profile/JsonAccess.h"
#include "profile/JsonFile.h"

namespace vestra {

bool RememberSlots(const std::filesystem::path& file, size_t keyCount, std::span<uint8_t> slots,
                   uint8_t noSlot) {
    const Json::Value stored = JsonFile::Read(file);
    const Json::Value& known = json::Member(stored, "Slots");
    if (json::ToInt(json::Member(stored, "KeyCount")) == static_cast<int64_t>(keyCount) &&
        json::ArraySize(known) == static_cast<int>(slots.size())) {
        for (size_t i = 0; i < slots.size(); ++i) {
            const int64_t slot = json::ToInt(json::Element(known, static_cast<int>(i)));
            const bool valid = slot >= 0 && static_cast<size_t>(slot) < keyCount && slot < noSlot;
            slots[i] = valid ? static_cast<uint8_t>(slot) : noSlot;
        }
        return true;
    }
    Json::Value document(Json::objectValue);
    document["KeyCount"] = static_cast<Json::UInt>(keyCount);
    Json::Value& out = document["Slots"] = Json::Value(Json::arrayValue);
    for (uint8_t slot : slots) out.append(slot);
    std::error_code ec;
    std::filesystem::create_directories(file.parent_path(), ec);
    JsonFile::Write(file, document);
    return false;
}

}  // namespace vestra
