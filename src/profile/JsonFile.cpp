#include "profile/JsonFile.h"

#include <fcntl.h>
#include <json/reader.h>
#include <json/writer.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>

#include "platform/DebugLog.h"

namespace vestra {
namespace fs = std::filesystem;
namespace {

bool ReadWholeFile(const fs::path& path, std::string& text) {
    FILE* file = std::fopen(path.c_str(), "rb");
    DebugLog::Printf("readjsonFile 错误吗：：%d", file ? 0 : errno);
    if (!file) return false;
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
    const bool complete = !std::ferror(file);
    std::fclose(file);
    return complete;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(written);
    }
    return true;
}

// A new, exclusively created file beside path; its name starts with a dot and ends in ".tmp"
// so that nothing that lists the folder for data files picks it up.
int CreateTemporary(const fs::path& path, fs::path& temporary) {
    static std::atomic<unsigned> counter{0};
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const std::string stem = path.filename().string().substr(0, 100);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder / ("." + stem + "." + std::to_string(::getpid()) + "." +
                              std::to_string(counter++) + ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Makes the rename itself durable; a folder that cannot be synced is no reason to fail.
void SyncFolder(const fs::path& path) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The styled writer ends a member name at its first NUL character, so such a name would come
// back shortened and could overwrite a member of that shorter name. No file of the program has
// such names; a document with one is treated as not valid.
bool HasNulInMemberName(const Json::Value& value) {
    if (value.isObject()) {
        for (auto it = value.begin(); it != value.end(); ++it) {
            if (it.name().find('\0') != std::string::npos || HasNulInMemberName(*it)) return true;
        }
    } else if (value.isArray()) {
        for (const Json::Value& element : value) {
            if (HasNulInMemberName(element)) return true;
        }
    }
    return false;
}

}  // namespace

Json::Value JsonFile::Read(const fs::path& path) {
    Json::Value document;
    Read(path, document);
    return document;
}

JsonFile::ReadStatus JsonFile::Read(const fs::path& path, Json::Value& document) {
    document = Json::Value();
    std::string text;
    if (!ReadWholeFile(path, text) || text.empty()) {
        DebugLog::Write(path.string());
        return ReadStatus::Missing;
    }
    return Parse(text, document) ? ReadStatus::Ok : ReadStatus::Invalid;
}

bool JsonFile::Parse(std::string_view text, Json::Value& document) {
    Json::CharReaderBuilder builder;
    builder["collectComments"] = true;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    std::string errors;
    try {
        if (reader->parse(text.data(), text.data() + text.size(), &document, &errors) &&
            !HasNulInMemberName(document)) {
            return true;
        }
    } catch (const Json::Exception&) {
        // Nesting deeper than the reader's stack limit ends in an exception, not a false.
    }
    document = Json::Value();
    return false;
}

// StyledWriter is deprecated in favour of the stream writers, but none of those produces the
// layout of the files the program has always written (short arrays on one line, no line break
// after a key), so it is used here, in this one place.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
std::string JsonFile::Styled(const Json::Value& value) {
    Json::StyledWriter writer;
    return writer.write(value);  // ends with one newline
}
#pragma GCC diagnostic pop

JsonFile::WriteResult JsonFile::Write(const fs::path& path, const Json::Value& value) {
    const std::string text = Styled(value);
    fs::path temporary;
    const int fd = CreateTemporary(path, temporary);
    if (fd < 0) {
        DebugLog::Printf("writejsonFile %s: cannot create (errno %d)", path.c_str(), errno);
        return WriteResult::CreateFailed;
    }
    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);

    const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temporary.c_str());
        DebugLog::Printf("writejsonFile %s: write failed (errno %d)", path.c_str(), writeErrno);
        return WriteResult::WriteFailed;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(temporary.c_str());
        DebugLog::Printf("writejsonFile %s: rename failed (errno %d)", path.c_str(), renameErrno);
        return WriteResult::ReplaceFailed;
    }
    SyncFolder(path);
    return WriteResult::Ok;
}

}  // namespace vestra
