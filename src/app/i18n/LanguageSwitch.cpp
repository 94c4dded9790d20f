#include "app/i18n/LanguageSwitch.h"

#include <QDir>

#include "platform/DebugLog.h"

namespace vestra::app {
namespace {

// The languages whose texts need a font family of their own (Simplified Chinese, Traditional
// Chinese, Thai), and -1 before the first switch: switching to or from one rebuilds the fonts.
bool NeedsOwnFonts(int index) {
    return index == 15 || index == 0 || index == 2;
}

}  // namespace

LanguageSwitch::LanguageSwitch(QString skinFolder, LanguageList list, SettingsStore store)
    : m_skinFolder(std::move(skinFolder)), m_list(std::move(list)), m_store(std::move(store)) {}

QString LanguageSwitch::FamilyFor(int index) {
    return index == 0 ? QStringLiteral("Noto Sans CJK SC") : QStringLiteral("Noto Sans");
}

bool LanguageSwitch::Apply(int index, int dpi) {
    if (index == m_current) return false;
    if (NeedsOwnFonts(index) || NeedsOwnFonts(m_current) || m_current == -1) {
        m_fonts.Rebuild(FamilyFor(index), dpi);
    }
    m_current = index;

    const LanguageEntry entry = m_list.At(index);
    if (!entry.file.isEmpty() &&
        !m_language.LoadLanguage(QDir(m_skinFolder).filePath(entry.file))) {
        DebugLog::Write("language file not loaded: " + m_language.Error().toStdString());
    }
    // A missing element has no id; storing one would replace a valid earlier choice.
    if (entry.id) m_store.StoreLanguage(*entry.id);
    return true;
}

void LanguageSwitch::SetDpi(int dpi) {
    m_fonts.Rebuild(FamilyFor(m_current), dpi);
}

void LanguageSwitch::ApplyTo(QWidget* root) const {
    m_language.ApplyLanguage(root);
    m_fonts.ApplyTo(root);
}

}  // namespace vestra::app
