#include "app/i18n/StoredLanguage.h"

#include <QLocale>

#include "app/i18n/LanguageList.h"
#include "app/i18n/SettingsStore.h"

namespace vestra::app {

int ReadStoredLanguage(const LanguageList& list, const SettingsStore& store) {
    const std::optional<int> id = store.Language();
    if (!id) return 0;
    const int index = list.IndexOfId(*id);
    return index < 0 ? 0 : index;
}

int InitialLanguage(const LanguageList& list, const SettingsStore& store, const QLocale& system) {
    if (store.Language()) return ReadStoredLanguage(list, store);
    constexpr int kChinese = 2052;
    constexpr int kEnglish = 1033;
    const int index = list.IndexOfId(system.language() == QLocale::Chinese ? kChinese : kEnglish);
    return index < 0 ? 0 : index;
}

}  // namespace vestra::app
