// The large UI scale: the style sheet's pixel sizes (fonts, paddings, radii) and the layouts'
// fixed sizes grown by a factor.
#pragma once

#include <QString>

class QWidget;

namespace vestra::app {

// Every "<number>px" of styleSheet multiplied by factor and rounded to whole pixels (Qt takes
// font sizes in whole pixels); other text unchanged. Factor 1 leaves the sheet as it is.
QString ScaleStyleSheet(const QString& styleSheet, double factor);

// The minimum and maximum sizes the layouts give root and every widget below it, set to their
// size at factor 1 times factor (open-ended sizes stay open). Repeated calls do not compound.
void ScaleWidgetSizes(QWidget* root, double factor);

}  // namespace vestra::app
