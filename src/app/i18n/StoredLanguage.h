// The language index to start with: the one the user chose last time.
#pragma once

class QLocale;

namespace vestra::app {

class LanguageList;
class SettingsStore;

// The index of the first language whose id is the stored one; 0 when nothing is stored, the
// list is empty or no language has that id.
int ReadStoredLanguage(const LanguageList& list, const SettingsStore& store);

// The language to start with: the stored choice; before the user chose one, the system's
// language when the list has it (Chinese 2052, otherwise English 1033), else index 0.
int InitialLanguage(const LanguageList& list, const SettingsStore& store, const QLocale& system);

}  // namespace vestra::app
