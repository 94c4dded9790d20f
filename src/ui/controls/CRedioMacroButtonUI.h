// A macro entry of the macro list: a button with a radio mark picture ("redioimage") before its
// text.
#pragma once

#include "ui/controls/PictureButton.h"

namespace vestra::ui {

class CRedioMacroButtonUI : public PictureButton {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "RedioMacroButton";

    explicit CRedioMacroButtonUI(QWidget* parent = nullptr);

    // "redioimage" and the state pictures.
    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_redioImage;
};

}  // namespace vestra::ui
