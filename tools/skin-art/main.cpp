// vestra-skin-art: draws the pictures of the skin folder, or renders a layout for a look.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <cstdio>
#include <functional>
#include <vector>

#include "BackgroundArt.h"
#include "CaptionIconArt.h"
#include "DeviceIconArt.h"
#include "PowerIconArt.h"
#include "SkinPreview.h"

namespace {

using namespace vestra::skinart;

struct Picture {
    QString path;  // relative to the skin folder
    std::function<QImage()> draw;
};

std::vector<Picture> AllPictures() {
    std::vector<Picture> pictures;
    pictures.push_back({"common/background.png", DrawDefaultBackground});
    pictures.push_back({"common/logo.png", DrawLogo});
    pictures.push_back({"common/no_device.png", DrawNoDeviceIllustration});
    for (int index = 1; index <= kPresetCount; ++index) {
        const QString name = QString("common/skin_preset_%1").arg(index);
        pictures.push_back({name + ".png", [index] { return DrawPresetBackground(index); }});
        pictures.push_back(
            {name + "_thumb.png", [index] { return MakeThumbnail(DrawPresetBackground(index)); }});
    }

    const std::pair<const char*, DeviceShape> shapes[] = {
        {"kb", DeviceShape::kKeyboard},     {"ms", DeviceShape::kMouse},
        {"hard_mp", DeviceShape::kHardPad}, {"soft_mp", DeviceShape::kSoftPad},
        {"hd", DeviceShape::kHeadset},      {"hub", DeviceShape::kHub},
        {"unknow", DeviceShape::kUnknown},
    };
    const std::pair<const char*, DeviceIconState> states[] = {
        {"normal", DeviceIconState::kNormal},
        {"selected", DeviceIconState::kSelected},
        {"synchro_normal", DeviceIconState::kSynchroNormal},
        {"synchro_selected", DeviceIconState::kSynchroSelected},
    };
    for (const auto& [prefix, shape] : shapes) {
        for (const auto& [suffix, state] : states) {
            pictures.push_back({QString("common/device_ico/%1_device_%2.png").arg(prefix, suffix),
                                [shape, state] { return DrawDeviceIcon(shape, state); }});
        }
    }

    const std::pair<const char*, CaptionIcon> captionIcons[] = {
        {"close", CaptionIcon::kClose},         {"min", CaptionIcon::kMinimise},
        {"max", CaptionIcon::kMaximise},        {"restore", CaptionIcon::kRestore},
        {"skin", CaptionIcon::kSkin},           {"set", CaptionIcon::kSettings},
        {"prev", CaptionIcon::kPrevious},       {"next", CaptionIcon::kNext},
        {"gamemode", CaptionIcon::kGameMode},   {"cloud", CaptionIcon::kCloud},
        {"smarteyes", CaptionIcon::kSmartEyes},
    };
    for (const auto& [name, icon] : captionIcons) {
        pictures.push_back(
            {QString("common/btn_%1.png").arg(name), [icon] { return DrawCaptionIcon(icon); }});
    }

    const std::pair<const char*, PowerIcon> powerIcons[] = {
        {"powered", PowerIcon::kOnBattery},
        {"wuxian_powering", PowerIcon::kWirelessCharging},
        {"powering", PowerIcon::kCharging},
        {"power", PowerIcon::kCharged},
    };
    for (const auto& [name, icon] : powerIcons) {
        pictures.push_back(
            {QString("power/%1.png").arg(name), [icon] { return DrawPowerIcon(icon); }});
    }
    const std::pair<const char*, PhoneIcon> phoneIcons[] = {
        {"iphone", PhoneIcon::kIphone},
        {"samsung", PhoneIcon::kSamsung},
        {"other", PhoneIcon::kOther},
        {"no_device", PhoneIcon::kNoDevice},
    };
    for (const auto& [name, icon] : phoneIcons) {
        pictures.push_back(
            {QString("power/Phone_type_%1.png").arg(name), [icon] { return DrawPhoneIcon(icon); }});
    }
    return pictures;
}

int WritePictures(const QString& skinFolder) {
    const QDir skin(skinFolder);
    int failures = 0;
    for (const Picture& picture : AllPictures()) {
        const QString path = skin.filePath(picture.path);
        if (!QDir().mkpath(QFileInfo(path).path()) || !picture.draw().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int Preview(const QStringList& arguments) {
    PreviewRequest request{arguments.value(2), arguments.value(3), arguments.value(4), {}, {}, {}};
    for (int i = 5; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == "--lang") {
            request.languageFile = arguments[i + 1];
        } else if (arguments[i] == "--show") {
            request.shown << arguments[i + 1];
        } else if (arguments[i] == "--hide") {
            request.hidden << arguments[i + 1];
        }
    }
    QString error;
    if (!RenderPreview(request, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Nothing is ever shown on screen; drawing and grabbing work without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() >= 5 && arguments[1] == "--preview") {
        return Preview(arguments);
    }
    if (arguments.size() == 2 && !arguments[1].startsWith("--")) {
        return WritePictures(arguments[1]);
    }
    std::fprintf(stderr,
                 "usage: vestra-skin-art <skin folder>\n"
                 "       vestra-skin-art --preview <skin folder> <layout.ui> <out.png> "
                 "[--lang <file>] [--show <name>] [--hide <name>]\n");
    return 2;
}
