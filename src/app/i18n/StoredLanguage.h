// The language index to start with: the one the user chose last time.
#pragma once

namespace vestra::app {

class LanguageList;
class SettingsStore;

// The index of the first language whose id is the stored one; 0 when nothing is stored, the
// list is empty or no language has that id.
int ReadStoredLanguage(const LanguageList& list, const SettingsStore& store);

}  // namespace vestra::app
