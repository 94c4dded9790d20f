// Loads Qt Designer layouts, creating the custom controls by their class names.
#pragma once

#include <QUiLoader>

namespace vestra::ui {

// A custom control's layout attributes are dynamic string properties in the .ui (stdset="0");
// the loader sets them as properties and the control forwards each change to its SetAttribute.
class UiLoader : public QUiLoader {
    Q_OBJECT
public:
    explicit UiLoader(QObject* parent = nullptr);

    QWidget* createWidget(const QString& className, QWidget* parent = nullptr,
                          const QString& name = QString()) override;
};

}  // namespace vestra::ui
