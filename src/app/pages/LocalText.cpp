#include "app/pages/LocalText.h"

#include "ui/Language.h"

namespace vestra::app {

QString LocalText(const ui::Language* language, const QString& id, const char* english) {
    if (language) {
        const QString text = language->Text(id);
        if (!text.isEmpty()) return text;
    }
    return QString::fromUtf8(english);
}

}  // namespace vestra::app
