// The row of a list the custom list items build on: hot while the pointer is over it, selected
// by a click ("itemclick"), activated by a double-click ("itemactivate"), drawn in the palette's
// list colours.
#pragma once

#include <QWidget>

namespace vestra::ui {

class ListRow : public QWidget {
    Q_OBJECT
public:
    explicit ListRow(QWidget* parent = nullptr);

    bool IsHot() const { return m_hot; }
    bool IsSelected() const { return m_selected; }
    void SetSelected(bool selected);

    // Raises "itemactivate" when the row is enabled.
    void Activate();

signals:
    void Notify(const QString& type, qintptr wParam, qintptr lParam);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    // The background of the row for its state.
    void PaintBackground(QPainter& painter) const;

private:
    bool m_hot = false;
    bool m_selected = false;
};

}  // namespace vestra::ui
