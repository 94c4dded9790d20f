#include "app/windows/MainIni.h"

#include <QSettings>
#include <system_error>

#include "platform/Paths.h"

namespace vestra::app {
namespace {

constexpr char kFlagsKey[] = "SKINIMAGE/FLAGS";
constexpr char kImageKey[] = "SKINIMAGE/IMAGE";

}  // namespace

MainIni::MainIni(std::filesystem::path folder) : m_folder(std::move(folder)) {}

MainIni::MainIni() : MainIni(Paths::DataFolder()) {}

QString MainIni::FilePath() const {
    return QString::fromStdString((m_folder / "main.ini").string());
}

bool MainIni::Write(int flags, const QString& image) const {
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setValue(kFlagsKey, QString::number(flags));
    settings.setValue(kImageKey, image);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::optional<SkinImageChoice> MainIni::Read() const {
    const QSettings settings(FilePath(), QSettings::IniFormat);
    const QString image = settings.value(kImageKey).toString();
    if (image.isEmpty()) return std::nullopt;
    return SkinImageChoice{settings.value(kFlagsKey).toInt(), image};
}

}  // namespace vestra::app
