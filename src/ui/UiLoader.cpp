#include "ui/UiLoader.h"

#include <QWidget>

#include "ui/controls/ControlFactory.h"

namespace vestra::ui {

UiLoader::UiLoader(QObject* parent) : QUiLoader(parent) {}

QWidget* UiLoader::createWidget(const QString& className, QWidget* parent, const QString& name) {
    if (QWidget* control = CreateCustomControl(className, parent)) {
        control->setObjectName(name);
        return control;
    }
    return QUiLoader::createWidget(className, parent, name);
}

}  // namespace vestra::ui
