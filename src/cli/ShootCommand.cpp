#include <iostream>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "cli/MouseSession.h"
#include "cli/NumberArgument.h"
#include "platform/Paths.h"
#include "profile/BulletPattern.h"

namespace vestra::cli {
namespace {

constexpr const char* kUsage =
    "usage: vestractl [--json] shoot get GUN BULLET\n"
    "       vestractl [--device SEL] shoot set GUN BULLET X Y DELAY [--left|--right] "
    "[--up|--down]\n"
    "       vestractl [--device SEL] shoot restore GUN | write\n"
    "  GUN: 0-3; BULLET: 0-29; X, Y: the move 0-255; DELAY: milliseconds 0-65535";

constexpr int kMaxMove = 255;
constexpr int kMaxDelay = 65535;

std::filesystem::path DefaultFolder() {
    return Paths::ShippedFolder("DefaultData");
}

Json::Value BulletJson(int gun, int bullet, const Bullet& value) {
    Json::Value json(Json::objectValue);
    json["gun"] = gun;
    json["bullet"] = bullet;
    json["x"] = value.x;
    json["y"] = value.y;
    json["delay"] = value.delayMs;
    json["horizontal"] = value.left ? "left" : "right";
    json["vertical"] = value.up ? "up" : "down";
    return json;
}

void Print(const CliContext& context, int gun, int bullet, const Bullet& value) {
    const Json::Value json = BulletJson(gun, bullet, value);
    if (context.options.json) {
        context.PrintJson(json);
        return;
    }
    std::cout << "gun " << gun << " bullet " << bullet << ": x " << int(value.x) << ' '
              << json["horizontal"].asString() << ", y " << int(value.y) << ' '
              << json["vertical"].asString() << ", delay " << value.delayMs << " ms\n";
}

// The four patterns go to the mouse as one image.
int WritePatterns(const CliContext& context, CHalvorinMouseDevice& mouse) {
    const int result = mouse.WriteShootPatterns();
    if (!mouse.ShootImageError().empty()) {
        context.PrintError("the bullet patterns cannot be sent: " + mouse.ShootImageError());
        return 1;
    }
    if (!ReportWrite(context, "the bullet patterns", result, hid::DeviceKind::Mouse)) return 1;
    if (!context.options.json) std::cout << "bullet patterns written to the mouse\n";
    return 0;
}

// Applies X Y DELAY and the direction options to value; false with a message for a bad one.
bool ApplyBullet(const CliContext& context, Bullet& value) {
    const std::vector<std::string>& args = context.args;
    const std::optional<int> x = ParseNumber(args[3], 0, kMaxMove);
    const std::optional<int> y = ParseNumber(args[4], 0, kMaxMove);
    const std::optional<int> delay = ParseNumber(args[5], 0, kMaxDelay);
    if (!x || !y || !delay) {
        context.PrintError("X and Y must be 0-255 and DELAY 0-65535");
        return false;
    }
    value.x = static_cast<uint8_t>(*x);
    value.y = static_cast<uint8_t>(*y);
    value.delayMs = static_cast<uint16_t>(*delay);
    // Directions not given stay as the bullet has them.
    for (size_t i = 6; i < args.size(); ++i) {
        if (args[i] == "--left" || args[i] == "--right") {
            value.left = args[i] == "--left";
        } else if (args[i] == "--up" || args[i] == "--down") {
            value.up = args[i] == "--up";
        } else {
            context.PrintError("unknown option " + args[i]);
            return false;
        }
    }
    return true;
}

}  // namespace

int RunShoot(CliContext& context) {
    const std::vector<std::string>& args = context.args;
    const std::string operation = args.empty() ? "" : args[0];
    const bool valid = (operation == "get" && args.size() == 3) ||
                       (operation == "set" && args.size() >= 6 && args.size() <= 8) ||
                       (operation == "restore" && args.size() == 2) ||
                       (operation == "write" && args.size() == 1);
    if (!valid) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    std::optional<int> gun;
    if (args.size() >= 2 && !(gun = ParseNumber(args[1], 0, BulletPattern::kGunCount - 1))) {
        context.PrintError("the gun must be 0-3");
        return 2;
    }
    std::optional<int> bullet;
    if (args.size() >= 3 && !(bullet = ParseNumber(args[2], 0, BulletPattern::kBulletCount - 1))) {
        context.PrintError("the bullet must be 0-29");
        return 2;
    }

    if (operation == "get") {
        // The files live in the mouse's data folder; reading them needs no mouse.
        const std::filesystem::path folder = CHalvorinMouseDevice().DataFolder();
        BulletPattern::RestoreBroken(folder, DefaultFolder());
        Print(context, *gun, *bullet,
              BulletPattern::LoadBullet(folder / BulletPattern::FileName(*gun), *bullet));
        return 0;
    }

    int exitCode = 0;
    std::unique_ptr<MouseSession> session = OpenMouse(context, "shoot", exitCode);
    if (!session) return exitCode;
    CHalvorinMouseDevice& mouse = *session->mouse;
    const std::filesystem::path folder = mouse.DataFolder();

    // The files are the source of truth: they are changed first, then the mouse gets all four.
    if (operation == "set") {
        BulletPattern::RestoreBroken(folder, DefaultFolder());
        const std::filesystem::path file = folder / BulletPattern::FileName(*gun);
        Bullet value = BulletPattern::LoadBullet(file, *bullet);
        if (!ApplyBullet(context, value)) {
            std::cerr << kUsage << '\n';
            return 2;
        }
        if (BulletPattern::SaveBullet(file, *bullet, value) != JsonFile::WriteResult::Ok) {
            context.PrintError("cannot save " + file.string());
            return 1;
        }
        Print(context, *gun, *bullet, value);
    } else if (operation == "restore") {
        if (!BulletPattern::Restore(folder, DefaultFolder(), *gun)) {
            context.PrintError("the factory pattern of gun " + std::to_string(*gun) +
                               " cannot be read; the gun's file is kept as it was");
            return 1;
        }
        std::cout << "gun " << *gun << " restored to its factory pattern\n";
    }
    return WritePatterns(context, mouse);
}

}  // namespace vestra::cli
