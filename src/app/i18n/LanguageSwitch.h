// Switching the user interface language: texts, the font table and the stored choice.
#pragma once

#include <QString>

#include "app/i18n/FontTable.h"
#include "app/i18n/LanguageList.h"
#include "app/i18n/SettingsStore.h"
#include "ui/Language.h"

class QWidget;

namespace vestra::app {

class LanguageSwitch {
public:
    // Language files are looked up in skinFolder.
    LanguageSwitch(QString skinFolder, LanguageList list, SettingsStore store = SettingsStore());

    // Switches to the language at index: nothing (false) when it is the current one. Otherwise
    // rebuilds the font table when the language family changes, loads the language's texts (a
    // missing element or file keeps the previous texts) and stores its id. The caller then
    // applies texts and fonts to its windows with ApplyTo.
    bool Apply(int index, int dpi);

    // Rebuilds the current language's font table for another UI scale.
    void SetDpi(int dpi);

    // Sets the texts and fonts of root and every control below it.
    void ApplyTo(QWidget* root) const;

    int CurrentIndex() const { return m_current; }
    const ui::Language& Language() const { return m_language; }
    const FontTable& Fonts() const { return m_fonts; }
    const LanguageList& List() const { return m_list; }
    const SettingsStore& Store() const { return m_store; }

    // The font family a language's font table uses.
    static QString FamilyFor(int index);

private:
    QString m_skinFolder;
    LanguageList m_list;
    SettingsStore m_store;
    ui::Language m_language;
    FontTable m_fonts;
    int m_current = -1;  // none applied yet
};

}  // namespace vestra::app
