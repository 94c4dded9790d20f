#include "emulator/StateFile.h"

#include <json/reader.h>
#include <json/writer.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

namespace vestra::emulator {
namespace fs = std::filesystem;

StateLoad LoadStateFile(EmulatedHidBackend& backend, const fs::path& file, std::string& error) {
    std::error_code ec;
    if (!fs::exists(file, ec) && !ec) return StateLoad::Missing;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "cannot be read";
        return StateLoad::Invalid;
    }
    Json::CharReaderBuilder builder;
    Json::Value state;
    std::string parseErrors;
    if (!Json::parseFromStream(builder, in, &state, &parseErrors)) {
        error = "not valid JSON: " + parseErrors;
        return StateLoad::Invalid;
    }
    return backend.LoadState(state, error) ? StateLoad::Loaded : StateLoad::Invalid;
}

bool SaveStateFile(const EmulatedHidBackend& backend, const fs::path& file, std::string& error) {
    std::error_code ec;
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    if (ec) {
        error = "cannot create " + file.parent_path().string() + ": " + ec.message();
        return false;
    }
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "   ";
    std::ostringstream text;
    std::unique_ptr<Json::StreamWriter>(builder.newStreamWriter())
        ->write(backend.SaveState(), &text);
    text << '\n';

    fs::path temporary = file;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text.str();
        out.flush();
        if (!out) {
            error = "cannot write " + temporary.string();
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, file, ec);
    if (ec) {
        error = "cannot replace " + file.string() + ": " + ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

}  // namespace vestra::emulator
