// Texts that the pages set at run time (tool tips, labels that follow the device state).
#pragma once

#include <QString>

namespace vestra::ui {
class Language;
}

namespace vestra::app {

// The language's text of id, or english when there is no language or it lacks the id.
QString LocalText(const ui::Language* language, const QString& id, const char* english);

}  // namespace vestra::app
