// A button with an extra picture over its face that reports the pointer entering and leaving.
#pragma once

#include "ui/controls/PictureButton.h"

namespace vestra::ui {

class CHandImgButtonUI : public PictureButton {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "HandImgButton";

    explicit CHandImgButtonUI(QWidget* parent = nullptr);

    // "handimage" and the state pictures; "deletenormalimage" and "deletehotimage" are accepted
    // from older layouts and have no effect.
    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_handImage;
};

}  // namespace vestra::ui
