// The base of the buttons drawn from state pictures: the pictures, the pointer's hot state,
// layout attributes handed to SetAttribute, and the Notify signal the window listens to.
#pragma once

#include <QAbstractButton>

#include "ui/controls/ButtonStatusImages.h"

namespace vestra::ui {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    // Whether the pointer entering and leaving is reported ("msenter", "msleave"); reporting
    // buttons only turn hot while enabled.
    enum class HoverNotices { kOff, kOn };

    // The state pictures ("normalimage", "hotimage", ...); the kinds add their own names.
    Q_INVOKABLE virtual void SetAttribute(const QString& name, const QString& value);

signals:
    void Notify(const QString& type, qintptr wParam, qintptr lParam);

protected:
    PictureButton(HoverNotices notices, QWidget* parent);

    bool IsHot() const { return m_hot; }
    ButtonState State() const { return ButtonStatusImages::StateOf(*this, m_hot); }

    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    ButtonStatusImages m_statusImages;

private:
    void SetHot(bool hot, const char* notice);

    HoverNotices m_notices;
    bool m_hot = false;
};

}  // namespace vestra::ui
