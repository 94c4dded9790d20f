#include "app/i18n/StoredLanguage.h"

#include "app/i18n/LanguageList.h"
#include "app/i18n/SettingsStore.h"

namespace vestra::app {

int ReadStoredLanguage(const LanguageList& list, const SettingsStore& store) {
    const std::optional<int> id = store.Language();
    if (!id) return 0;
    const int index = list.IndexOfId(*id);
    return index < 0 ? 0 : index;
}

}  // namespace vestra::app
