#include "app/UiScale.h"

#include <QRegularExpression>
#include <QWidget>
#include <cmath>

namespace vestra::app {

QString ScaleStyleSheet(const QString& styleSheet, double factor) {
    if (factor == 1.0) return styleSheet;
    static const QRegularExpression kPixels(R"((\d+(?:\.\d+)?)px\b)");
    QString scaled;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& match : kPixels.globalMatch(styleSheet)) {
        scaled += styleSheet.mid(last, match.capturedStart() - last);
        const double value = match.captured(1).toDouble() * factor;
        scaled += QString::number(std::lround(value)) + "px";
        last = match.capturedEnd();
    }
    scaled += styleSheet.mid(last);
    return scaled;
}

namespace {

constexpr char kBaseMinimum[] = "vestra_base_minimum";
constexpr char kBaseMaximum[] = "vestra_base_maximum";

int ScaleExtent(int extent, double factor) {
    if (extent <= 0 || extent >= QWIDGETSIZE_MAX) return extent;
    return static_cast<int>(std::lround(extent * factor));
}

QSize Scale(QSize size, double factor) {
    return {ScaleExtent(size.width(), factor), ScaleExtent(size.height(), factor)};
}

void ScaleOne(QWidget* widget, double factor) {
    // The sizes at factor 1 are kept on the widget the first time it is scaled.
    if (!widget->property(kBaseMinimum).isValid()) {
        widget->setProperty(kBaseMinimum, widget->minimumSize());
        widget->setProperty(kBaseMaximum, widget->maximumSize());
    }
    widget->setMinimumSize(Scale(widget->property(kBaseMinimum).toSize(), factor));
    widget->setMaximumSize(Scale(widget->property(kBaseMaximum).toSize(), factor));
}

}  // namespace

void ScaleWidgetSizes(QWidget* root, double factor) {
    if (!root) return;
    ScaleOne(root, factor);
    for (QWidget* child : root->findChildren<QWidget*>()) ScaleOne(child, factor);
}

}  // namespace vestra::app
