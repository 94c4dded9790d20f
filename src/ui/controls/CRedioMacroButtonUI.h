// A macro entry of the macro list: a button with a radio mark picture ("redioimage") before its
// text.
#pragma once

#include <QAbstractButton>

#include "ui/controls/ButtonStatusImages.h"

namespace vestra::ui {

class CRedioMacroButtonUI : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "RedioMacroButton";

    explicit CRedioMacroButtonUI(QWidget* parent = nullptr);

    // "redioimage" and the state pictures.
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
    QString m_redioImage;
    bool m_hot = false;
};

}  // namespace vestra::ui
