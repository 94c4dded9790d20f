#include "app/windows/SkinBackground.h"

#include <QColor>
#include <QDir>
#include <QVariant>
#include <QWidget>

namespace vestra::app {
namespace {

// The style sheet root had before the first background was applied.
constexpr char kBaseStyleProperty[] = "_vestra_base_style";

QString CssUrl(const QString& path) {
    QString escaped = path;
    escaped.replace('\\', "\\\\").replace('"', "\\\"");
    return "url(\"" + escaped + "\")";
}

QString BackgroundRule(const SkinChangedParam& param, const QString& skinFolder) {
    if (param.isColor) {
        const QColor color = QColor::fromRgba(param.color);
        return QString("background-color: rgba(%1, %2, %3, %4); border-image: none;")
            .arg(color.red())
            .arg(color.green())
            .arg(color.blue())
            .arg(color.alpha());
    }
    if (param.image.isEmpty()) return "background-color: transparent; border-image: none;";
    const QString path =
        QDir::isAbsolutePath(param.image) ? param.image : QDir(skinFolder).filePath(param.image);
    // Stretched over the whole control, as a window background is drawn.
    return "background-color: transparent; border-image: " + CssUrl(path) +
           " 0 0 0 0 stretch stretch;";
}

}  // namespace

void ApplySkin(QWidget* root, const SkinChangedParam& param, const QString& skinFolder) {
    if (!root) return;
    if (root->objectName().isEmpty()) root->setObjectName("root");
    QVariant base = root->property(kBaseStyleProperty);
    if (!base.isValid()) {
        base = root->styleSheet();
        root->setProperty(kBaseStyleProperty, base);
    }
    root->setAttribute(Qt::WA_StyledBackground);
    root->setStyleSheet(base.toString() + "\n#" + root->objectName() + " { " +
                        BackgroundRule(param, skinFolder) + " }");
}

std::optional<SkinChangedParam> RestoreSkin(const MainIni& ini) {
    const std::optional<SkinImageChoice> choice = ini.Read();
    if (!choice) return std::nullopt;
    return SkinChangedParam{false, 0, choice->image};
}

}  // namespace vestra::app
