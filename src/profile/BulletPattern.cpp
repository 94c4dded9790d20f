#include "profile/BulletPattern.h"

#include <json/value.h>
#include <strings.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "platform/DebugLog.h"
#include "profile/JsonAccess.h"

namespace vestra {
namespace fs = std::filesystem;
namespace {

// Event types of a bullet: 1 mouse button, 4 horizontal move, 5 vertical move.
constexpr int kTypeButton = 1;
constexpr int kTypeHorizontal = 4;
constexpr int kTypeVertical = 5;
constexpr int kLeftButton = 1;
constexpr int kClickHoldMs = 10;
constexpr int kHorizontalMoveMs = 5;

Json::Value Event(bool down, int button, int delay, int type) {
    Json::Value event(Json::objectValue);
    event["Action"] = down ? "down" : "up";
    event["Button"] = button;
    event["Delay"] = delay;
    event["Type"] = type;
    return event;
}

bool IsDown(const Json::Value& event) {
    return strcasecmp(json::ToString(json::Member(event, "Action")).c_str(), "down") == 0;
}

template <typename T>
T Clamped(const Json::Value& event, const char* key, int64_t maximum) {
    return static_cast<T>(std::clamp<int64_t>(json::ToInt(json::Member(event, key)), 0, maximum));
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Through a temporary file renamed over the target, so a failed copy leaves the old file.
bool WriteText(const fs::path& path, const std::string& text) {
    fs::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) return false;
    }
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error) fs::remove(temporary, error);
    return !error;
}

}  // namespace

std::string BulletPattern::FileName(int gun) {
    return "ShootData_" + std::to_string(gun) + ".Shoot";
}

Bullet BulletPattern::LoadBullet(const fs::path& file, int bullet) {
    const Json::Value events = json::Member(JsonFile::Read(file), "Events");
    const Json::Value& horizontal = json::Element(events, bullet * kEventsPerBullet + 2);
    const Json::Value& vertical = json::Element(events, bullet * kEventsPerBullet + 3);
    Bullet value;
    value.x = Clamped<uint8_t>(horizontal, "Button", UINT8_MAX);
    value.left = IsDown(horizontal);
    value.y = Clamped<uint8_t>(vertical, "Button", UINT8_MAX);
    value.up = IsDown(vertical);
    // The editor reads the delay as a number; the encoder also takes text.
    const Json::Value& delay = json::Member(vertical, "Delay");
    value.delayMs = delay.isString()
                        ? static_cast<uint16_t>(std::clamp(std::atoi(delay.asCString()), 0, 0xFFFF))
                        : Clamped<uint16_t>(vertical, "Delay", UINT16_MAX);
    return value;
}

JsonFile::WriteResult BulletPattern::SaveBullet(const fs::path& file, int bullet,
                                                const Bullet& value) {
    if (bullet < 0 || bullet >= kBulletCount) return JsonFile::WriteResult::CreateFailed;
    Json::Value document = JsonFile::Read(file);
    Json::Value& events = json::MemberForWrite(document, "Events");
    const int first = bullet * kEventsPerBullet;
    const Json::Value bulletEvents[kEventsPerBullet] = {
        Event(true, kLeftButton, kClickHoldMs, kTypeButton),
        Event(false, kLeftButton, 0, kTypeButton),
        Event(value.left, value.x, kHorizontalMoveMs, kTypeHorizontal),
        Event(value.up, value.y, value.delayMs, kTypeVertical),
        Event(value.left, 0, 0, kTypeHorizontal),
        Event(value.up, 0, 0, kTypeVertical),
    };
    for (int i = 0; i < kEventsPerBullet; ++i) {
        json::ElementForWrite(events, first + i) = bulletEvents[i];
    }
    return JsonFile::Write(file, document);
}

bool BulletPattern::Restore(const fs::path& dataFolder, const fs::path& defaultFolder, int gun) {
    const std::string text = ReadText(defaultFolder / FileName(gun));
    if (text.empty()) {
        DebugLog::Printf("factory bullet pattern %d is missing", gun);
        return false;
    }
    return WriteText(dataFolder / FileName(gun), text);
}

int BulletPattern::RestoreBroken(const fs::path& dataFolder, const fs::path& defaultFolder) {
    int restored = 0;
    for (int gun = 0; gun < kGunCount; ++gun) {
        Json::Value document;
        if (JsonFile::Read(dataFolder / FileName(gun), document) == JsonFile::ReadStatus::Ok) {
            continue;
        }
        if (Restore(dataFolder, defaultFolder, gun)) ++restored;
    }
    return restored;
}

}  // namespace vestra
