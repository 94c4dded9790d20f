#include "ui/controls/ImageString.h"

#include <QDir>
#include <QHash>
#include <QPainter>
#include <algorithm>

namespace vestra::ui {
namespace {

QString& SkinFolder() {
    static QString folder;
    return folder;
}

// "l,t,r,b" with right and bottom exclusive, as the skin writes rectangles.
std::optional<QRect> ParseRect(const QString& value) {
    const QStringList parts = value.split(',');
    if (parts.size() != 4) return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return std::nullopt;
    }
    return QRect(v[0], v[1], v[2] - v[0], v[3] - v[1]);
}

}  // namespace

ImageString ImageString::Parse(const QString& text) {
    ImageString result;
    if (!text.contains('=')) {
        result.file = text.trimmed();
        return result;
    }
    qsizetype pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos].isSpace()) ++pos;
        const qsizetype equals = text.indexOf('=', pos);
        if (equals < 0 || equals + 1 >= text.size()) break;
        const QString name = text.mid(pos, equals - pos).trimmed();
        const QChar quote = text[equals + 1];
        if (quote != '\'' && quote != '"') break;
        const qsizetype close = text.indexOf(quote, equals + 2);
        if (close < 0) break;
        const QString value = text.mid(equals + 2, close - equals - 2);
        pos = close + 1;
        if (name == "file") {
            result.file = value;
        } else if (name == "source") {
            result.source = ParseRect(value);
        } else if (name == "dest") {
            result.dest = ParseRect(value);
        } else if (name == "fade") {
            bool ok = false;
            const int fade = value.toInt(&ok);
            if (ok) result.fade = std::clamp(fade, 0, 255);
        }
    }
    return result;
}

bool ImageString::Draw(QPainter& painter, const QRect& target, const QString& text, quint32 tint,
                       int alpha, TintSwitch tintSwitch) {
    if (text.isEmpty() || target.isEmpty()) return false;
    const ImageString parsed = Parse(text);
    const QImage image = Load(parsed.file);
    if (image.isNull()) return false;

    const QRect source = parsed.source ? parsed.source->intersected(image.rect()) : image.rect();
    const QRect dest = parsed.dest ? parsed.dest->translated(target.topLeft()) : target;
    if (source.isEmpty() || dest.isEmpty()) return false;

    double opacity = parsed.fade / 255.0;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (tintSwitch == TintSwitch::kOn) {
        QImage layer(dest.size(), QImage::Format_ARGB32_Premultiplied);
        layer.fill(Qt::transparent);
        QPainter tinted(&layer);
        tinted.setRenderHint(QPainter::SmoothPixmapTransform);
        tinted.drawImage(layer.rect(), image, source);
        // Multiplying keeps the picture's shading; a white light mask takes the tint exactly.
        // Multiply leaves every pixel opaque, so the picture's own alpha is put back after.
        tinted.setCompositionMode(QPainter::CompositionMode_Multiply);
        tinted.fillRect(layer.rect(), TintColor(tint));
        tinted.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        tinted.drawImage(layer.rect(), image, source);
        tinted.end();
        opacity *= std::clamp(alpha, 0, 255) / 255.0;
        painter.setOpacity(painter.opacity() * opacity);
        painter.drawImage(dest.topLeft(), layer);
    } else {
        painter.setOpacity(painter.opacity() * opacity);
        painter.drawImage(dest, image, source);
    }
    painter.restore();
    return true;
}

QImage ImageString::Load(const QString& file) {
    if (file.isEmpty()) return {};
    // Painting runs on the UI thread only, so the cache needs no lock. A missing file is
    // remembered as a null picture and not looked up again on every paint.
    static QHash<QString, QImage> cache;
    const QString path = QDir::isAbsolutePath(file) || SkinFolder().isEmpty()
                             ? file
                             : QDir(SkinFolder()).filePath(file);
    auto found = cache.find(path);
    if (found == cache.end()) found = cache.insert(path, QImage(path));
    return *found;
}

void ImageString::SetSkinFolder(const QString& folder) {
    SkinFolder() = folder;
}

QColor ImageString::TintColor(quint32 tint) {
    return QColor(tint & 0xFF, (tint >> 16) & 0xFF, (tint >> 8) & 0xFF);
}

}  // namespace vestra::ui
