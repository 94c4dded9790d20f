// Creates the custom controls by the class name a layout gives.
#pragma once

#include <QString>

class QWidget;

namespace vestra::ui {

// A new control for className, compared without regard to case: the short name a layout uses
// ("DeviceKeyButton", "SelectPanel", "CircleProgress", "HandImgButton", "HandImgSelectButton",
// "RedioMacroButton", "AudioRecord", "ChartView", "Wnd", "ComboEditContainerElement",
// "CloudShareListItemUI") or the class's own name ("CDeviceKeyButtonUI", ...). Null for any
// other name, so the caller can fall back to the standard widgets.
QWidget* CreateCustomControl(const QString& className, QWidget* parent);

}  // namespace vestra::ui
