// A placeholder in a layout that keeps another window (a native or foreign widget) over its own
// rectangle, shown and hidden with it.
#pragma once

#include <QPointer>
#include <QWidget>

namespace vestra::ui {

class CWndUI : public QWidget {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "Wnd";

    explicit CWndUI(QWidget* parent = nullptr);

    // The hosted window is not owned; it may be a child of this control's window or a top-level
    // window of its own. Null detaches.
    void SetHostedWindow(QWidget* hosted);
    QWidget* HostedWindow() const { return m_hosted; }

    // The control has no attributes of its own.
    Q_INVOKABLE void SetAttribute(const QString& name, const QString& value);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceHostedWindow();

    QPointer<QWidget> m_hosted;
};

}  // namespace vestra::ui
