#include "profile/JsonAccess.h"

#include <cmath>
#include <cstring>

namespace vestra::json {

const Json::Value& Member(const Json::Value& parent, const char* key) {
    if (!parent.isObject()) return Json::Value::nullSingleton();
    const Json::Value* found = parent.find(key, key + std::strlen(key));
    return found ? *found : Json::Value::nullSingleton();
}

const Json::Value& Element(const Json::Value& parent, int index) {
    if (!parent.isArray() || index < 0 || index >= static_cast<int>(parent.size())) {
        return Json::Value::nullSingleton();
    }
    return parent[static_cast<Json::ArrayIndex>(index)];
}

int ArraySize(const Json::Value& value) {
    return value.isArray() ? static_cast<int>(value.size()) : 0;
}

int64_t ToInt(const Json::Value& value) {
    switch (value.type()) {
        case Json::intValue:
            return value.asInt64();
        case Json::uintValue:
            return static_cast<int64_t>(value.asUInt64());
        case Json::realValue: {
            const double real = value.asDouble();
            // Outside this range the cast is undefined; such a value is as meaningless as a string.
            if (!std::isfinite(real) || real <= -9.2e18 || real >= 9.2e18) return 0;
            return static_cast<int64_t>(real);
        }
        case Json::booleanValue:
            return value.asBool() ? 1 : 0;
        default:
            return 0;
    }
}

bool ToBool(const Json::Value& value) {
    switch (value.type()) {
        case Json::intValue:
        case Json::uintValue:
        case Json::booleanValue:
            return value.asBool();
        case Json::realValue: {
            const double real = value.asDouble();
            return real != 0.0 && !std::isnan(real);
        }
        default:
            return false;
    }
}

std::string ToString(const Json::Value& value) {
    switch (value.type()) {
        case Json::stringValue:
        case Json::intValue:
        case Json::uintValue:
        case Json::realValue:
        case Json::booleanValue:
            return value.asString();
        default:
            return {};
    }
}

Json::Value& MemberForWrite(Json::Value& parent, const char* key) {
    if (!parent.isObject()) parent = Json::Value(Json::objectValue);
    return parent[key];
}

Json::Value& ElementForWrite(Json::Value& parent, int index) {
    if (!parent.isArray()) parent = Json::Value(Json::arrayValue);
    return parent[static_cast<Json::ArrayIndex>(index)];
}

}  // namespace vestra::json
