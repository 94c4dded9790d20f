// Reads and writes of jsoncpp values that never throw: a value of the wrong JSON type reads as
// 0, false or "" and a container of the wrong type is replaced when written into.
#pragma once

#include <json/value.h>

#include <cstdint>
#include <string>

namespace vestra::json {

// An index beyond any array the devices use. Indexes come partly from stored files, and an
// index such as 2000000000 would make jsoncpp allocate that many elements.
inline constexpr int kMaxIndex = 4096;

// The member, or null when parent is not an object or has no such member.
const Json::Value& Member(const Json::Value& parent, const char* key);
// The element, or null when parent is not an array or index is outside it.
const Json::Value& Element(const Json::Value& parent, int index);
// The size of an array; 0 for any other value.
int ArraySize(const Json::Value& value);

// Integers (and reals, truncated) as they are; true as 1; null and every other type as 0.
// Callers truncate the result to the width of their field.
int64_t ToInt(const Json::Value& value);
// jsoncpp's boolean conversion (numbers: not zero), with strings, arrays and objects as false.
bool ToBool(const Json::Value& value);
// Strings as they are, numbers and booleans as their text; null, arrays and objects as "".
std::string ToString(const Json::Value& value);

// parent[key] for writing; parent becomes an empty object first when it is not one.
Json::Value& MemberForWrite(Json::Value& parent, const char* key);
// parent[index] for writing; parent becomes an empty array first when it is not one.
// index must lie in [0, kMaxIndex).
Json::Value& ElementForWrite(Json::Value& parent, int index);

inline bool IsValidIndex(int index) {
    return index >= 0 && index < kMaxIndex;
}

// object[key] as an integer truncated to T.
template <typename T>
T IntMember(const Json::Value& object, const char* key) {
    return static_cast<T>(ToInt(Member(object, key)));
}
// object[key] as a boolean, 0 or 1.
inline uint8_t BoolMember(const Json::Value& object, const char* key) {
    return ToBool(Member(object, key)) ? 1 : 0;
}

}  // namespace vestra::json
