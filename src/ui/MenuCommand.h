// The item a user chose from a menu, as its owner window receives it.
#pragma once

#include <QString>

namespace vestra::ui {

struct MenuCommand {
    QString name;
    QString userData;
    QString text;
    bool checked = false;
};

}  // namespace vestra::ui
