// What the small windows need from the application: the skin's layouts and the current texts.
#pragma once

#include <QString>

#include "ui/Language.h"
#include "ui/ResourceIndex.h"

namespace vestra::app {

struct WindowContext {
    const ui::ResourceIndex* resources = nullptr;
    // The current language; null leaves the texts as the layouts have them.
    const ui::Language* language = nullptr;

    // The text of id in the current language, fallback when there is none.
    QString Text(const QString& id, const QString& fallback) const {
        return ui::TextOr(language, id, fallback);
    }
};

}  // namespace vestra::app
