// The texts of one language, and putting them into a window's controls by text id.
#pragma once

#include <QHash>
#include <QString>

class QWidget;

namespace vestra::ui {

// A language file:
//     <Language name="English">
//       <Text id="101" value="Settings"/>
//     </Language>
// A control names its texts with the dynamic properties "textid" (its text, or the title of a
// window) and "tooltipid"; ids missing from the language leave the control's text as it is.
class Language {
public:
    // Replaces the texts with those of file; on failure false, the texts stay as they were and
    // Error() says why.
    bool LoadLanguage(const QString& file);
    QString Error() const { return m_error; }

    // The text of id, or empty when the language has none.
    QString Text(const QString& id) const { return m_texts.value(id); }

    // Sets the texts of root and of every control below it.
    void ApplyLanguage(QWidget* root) const;

private:
    void ApplyTo(QWidget* control) const;

    QHash<QString, QString> m_texts;
    QString m_error;
};

// The text of id in language, or fallback when there is no language or it lacks the id.
QString TextOr(const Language* language, const QString& id, const QString& fallback);

}  // namespace vestra::ui
