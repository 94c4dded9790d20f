// The skin's image strings: a bare file name, or attributes such as
// "file='key.png' source='0,0,40,40' dest='2,2,38,38' fade='200'", drawn optionally tinted.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

class QPainter;

namespace vestra::ui {

enum class TintSwitch { kOff, kOn };

class ImageString {
public:
    // Unknown attributes are skipped; a malformed string yields what was read before the fault.
    static ImageString Parse(const QString& text);

    // Draws text into target (the image is stretched over it, or over "dest" inside it). With the
    // tint on, the picture's colours are multiplied by the tint colour and drawn at alpha/255
    // opacity; with it off, tint and alpha are ignored. False, drawing nothing, when the string is
    // empty or its image cannot be loaded.
    static bool Draw(QPainter& painter, const QRect& target, const QString& text, quint32 tint = 0,
                     int alpha = 255, TintSwitch tintSwitch = TintSwitch::kOff);

    // The picture of a skin file, read once and kept; null when missing or unreadable. Relative
    // names are looked up in the skin folder.
    static QImage Load(const QString& file);
    static void SetSkinFolder(const QString& folder);

    // A tint colour word holds red in bits 0-7, blue in bits 8-15 and green in bits 16-23.
    static QColor TintColor(quint32 tint);

    QString file;
    std::optional<QRect> source;  // part of the picture; the whole picture when absent
    std::optional<QRect> dest;    // relative to the target's top-left; the whole target when absent
    int fade = 255;
};

}  // namespace vestra::ui
