#include "ui/controls/ControlFactory.h"

#include <QWidget>
#include <array>

#include "ui/controls/CAudioRecordUI.h"
#include "ui/controls/CChartViewUI.h"
#include "ui/controls/CCircleProgressUI.h"
#include "ui/controls/CCloudShareListItemUI.h"
#include "ui/controls/CComboEditContainerElementUI.h"
#include "ui/controls/CDeviceKeyButtonUI.h"
#include "ui/controls/CHandImgButtonUI.h"
#include "ui/controls/CHandImgSelectButtonUI.h"
#include "ui/controls/CRedioMacroButtonUI.h"
#include "ui/controls/CSelectPanelUI.h"
#include "ui/controls/CWndUI.h"

namespace vestra::ui {
namespace {

struct ControlClass {
    const char* shortName;
    const char* className;
    QWidget* (*create)(QWidget* parent);
};

template <typename Control>
QWidget* Create(QWidget* parent) {
    return new Control(parent);
}

template <typename Control>
constexpr ControlClass Entry(const char* className) {
    return {Control::kClassName, className, &Create<Control>};
}

constexpr std::array kControlClasses{
    Entry<CDeviceKeyButtonUI>("CDeviceKeyButtonUI"),
    Entry<CSelectPanelUI>("CSelectPanelUI"),
    Entry<CCircleProgressUI>("CCircleProgressUI"),
    Entry<CHandImgButtonUI>("CHandImgButtonUI"),
    Entry<CHandImgSelectButtonUI>("CHandImgSelectButtonUI"),
    Entry<CRedioMacroButtonUI>("CRedioMacroButtonUI"),
    Entry<CAudioRecordUI>("CAudioRecordUI"),
    Entry<CChartViewUI>("CChartViewUI"),
    Entry<CWndUI>("CWndUI"),
    Entry<CComboEditContainerElementUI>("CComboEditContainerElementUI"),
    Entry<CCloudShareListItemUI>("CCloudShareListItemUI"),
};

}  // namespace

QWidget* CreateCustomControl(const QString& className, QWidget* parent) {
    for (const ControlClass& entry : kControlClasses) {
        if (className.compare(QLatin1String(entry.shortName), Qt::CaseInsensitive) == 0 ||
            className.compare(QLatin1String(entry.className), Qt::CaseInsensitive) == 0) {
            return entry.create(parent);
        }
    }
    return nullptr;
}

}  // namespace vestra::ui
