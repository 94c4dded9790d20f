// The about window: the application's name and version, shown modally, one at a time.
#pragma once

#include <QPointer>
#include <optional>

#include "app/windows/WindowContext.h"
#include "ui/WindowBase.h"

namespace vestra::app {

class CAboutWnd : public ui::WindowBase {
    Q_OBJECT
public:
    explicit CAboutWnd(QWidget* owner = nullptr);

    // Builds the layout "AboutWnd.xml" and sets the version label; false when the layout cannot
    // be built (Error() says why).
    bool Prepare(const WindowContext& context);

    // Shows the about window modally and returns its close code; nothing, and no window, when
    // one is already open.
    static std::optional<int> ShowAbout(const WindowContext& context, QWidget* owner);
    // The about window ShowAbout has open, or null.
    static CAboutWnd* OpenWindow() { return s_open; }

protected:
    void Notify(const ui::Notification& notification) override;
    void changeEvent(QEvent* event) override;

private:
    void ShowMaximizedButtons();

    static inline QPointer<CAboutWnd> s_open;
};

}  // namespace vestra::app
