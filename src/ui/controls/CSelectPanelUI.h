// The panel under a device picture that selects its key buttons with a rubber band: press,
// drag, release, and every key button the band touches is selected, the others deselected.
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>

namespace vestra::ui {

class CSelectPanelUI : public QWidget {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "SelectPanel";

    explicit CSelectPanelUI(QWidget* parent = nullptr);

    // The band of the last drag in the panel's coordinates (right and bottom exclusive).
    QRect BandRect() const { return m_band; }

    // The panel has no attributes of its own.
    Q_INVOKABLE void SetAttribute(const QString& name, const QString& value);

signals:
    void Notify(const QString& type, qintptr wParam, qintptr lParam);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
    bool m_dragging = false;
    QPoint m_start;
    QPoint m_current;
    QRect m_band;
};

}  // namespace vestra::ui
