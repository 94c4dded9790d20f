// A button with an extra picture over its face that reports the pointer entering and leaving.
#pragma once

#include <QAbstractButton>

#include "ui/controls/ButtonStatusImages.h"

namespace vestra::ui {

class CHandImgButtonUI : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "HandImgButton";

    explicit CHandImgButtonUI(QWidget* parent = nullptr);

    // "handimage" and the state pictures; "deletenormalimage" and "deletehotimage" are accepted
    // from older layouts and have no effect.
    Q_INVOKABLE void SetAttribute(const QString& name, const QString& value);

signals:
    void Notify(const QString& type, qintptr wParam, qintptr lParam);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    ButtonStatusImages m_statusImages;
    QString m_handImage;
    bool m_hot = false;
};

}  // namespace vestra::ui
