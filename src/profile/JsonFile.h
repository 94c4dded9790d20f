// Reads and writes the program's JSON files: every stored file goes through here.
#pragma once

#include <json/value.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace vestra {

class JsonFile {
public:
    enum class ReadStatus { Ok, Missing, Invalid };
    enum class WriteResult { Ok, CreateFailed, WriteFailed, ReplaceFailed };

    // The whole file parsed; null when it is missing, empty or not valid JSON.
    static Json::Value Read(const std::filesystem::path& path);
    // The same, telling a missing or empty file from one that does not parse.
    static ReadStatus Read(const std::filesystem::path& path, Json::Value& document);
    // Parses text (comments allowed); false and a null document when it is not valid JSON.
    static bool Parse(std::string_view text, Json::Value& document);

    // The indented "styled" form, ending with one newline.
    static std::string Styled(const Json::Value& value);
    // Replaces the file with the styled form of value. The text goes to a temporary file in the
    // same folder, which is flushed to disk and then renamed over the old file, so a crash or a
    // full disk leaves either the old file or the new one, never a truncated one.
    static WriteResult Write(const std::filesystem::path& path, const Json::Value& value);
};

}  // namespace vestra
