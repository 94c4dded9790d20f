#include "app/i18n/SettingsStore.h"

#include <QSettings>
#include <system_error>

#include "platform/DebugLog.h"
#include "platform/Paths.h"

namespace vestra::app {
namespace {

constexpr char kLanguageKey[] = "LANGUAGE";

}  // namespace

SettingsStore::SettingsStore(std::filesystem::path folder) : m_folder(std::move(folder)) {}

SettingsStore::SettingsStore() : SettingsStore(Paths::ConfigFolder()) {}

QString SettingsStore::FilePath() const {
    return QString::fromStdString((m_folder / "settings.ini").string());
}

std::optional<int> SettingsStore::Language() const {
    const QSettings settings(FilePath(), QSettings::IniFormat);
    bool ok = false;
    const int id = settings.value(kLanguageKey).toInt(&ok);
    if (!ok) return std::nullopt;
    return id;
}

bool SettingsStore::StoreLanguage(int id) const {
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    QSettings settings(FilePath(), QSettings::IniFormat);
    settings.setValue(kLanguageKey, id);
    settings.sync();
    if (settings.status() != QSettings::NoError) return false;
    DebugLog::Write("写成功！");
    return true;
}

}  // namespace vestra::app
