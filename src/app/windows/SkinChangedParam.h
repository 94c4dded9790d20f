// A change of the main window's background: a colour, or an image.
#pragma once

#include <QRgb>
#include <QString>

namespace vestra::app {

struct SkinChangedParam {
    bool isColor = false;  // true: use color; false: use image
    QRgb color = 0;        // ARGB
    QString image;         // a file in the skin folder or an absolute path; empty for none

    bool operator==(const SkinChangedParam&) const = default;
};

}  // namespace vestra::app
