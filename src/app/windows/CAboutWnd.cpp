#include "app/windows/CAboutWnd.h"

#include <QEvent>
#include <QLabel>

#include "hid/UpdateModel.h"
#include "platform/DebugLog.h"

namespace vestra::app {
namespace {

constexpr int kAboutTimerId = 1;

// The version text of the application's own row of the update models.
QString ApplicationVersionText() {
    for (const hid::UpdateModelRow& row : hid::UpdateModels()) {
        if (!row.product) return QString::fromStdString(row.versionText);
    }
    return {};
}

}  // namespace

CAboutWnd::CAboutWnd(QWidget* owner) : WindowBase(owner) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
}

bool CAboutWnd::Prepare(const WindowContext& context) {
    if (!context.resources || !Create(*context.resources, "AboutWnd.xml")) return false;
    setWindowTitle("  ");
    resize(800, 572);
    if (context.language) context.language->ApplyLanguage(this);

    // The label text is the language's "software_rev_text" (or the layout's own when the
    // language has none) followed by the application version.
    auto* revision = qobject_cast<QLabel*>(FindControl("text_test"));
    auto* version = qobject_cast<QLabel*>(FindControl("software_ver_label"));
    if (revision) {
        revision->setProperty("textid", "software_rev_text");
        revision->setText(context.Text("software_rev_text", revision->text()));
    }
    if (version) {
        version->setText((revision ? revision->text() : QString()) + ApplicationVersionText());
    }
    ShowMaximizedButtons();
    return true;
}

std::optional<int> CAboutWnd::ShowAbout(const WindowContext& context, QWidget* owner) {
    if (s_open) return std::nullopt;
    QPointer<CAboutWnd> window = new CAboutWnd(owner);
    if (!window->Prepare(context)) {
        DebugLog::Write("about window not built: " + window->Error().toStdString());
        delete window.data();
        return kCloseCodeCancel;
    }
    s_open = window;
    window->CenterWindow();
    const int code = window->ShowModal();
    delete window.data();
    return code;
}

void CAboutWnd::Notify(const ui::Notification& notification) {
    if (notification.type == ui::kNotifyTimer) {
        if (notification.wParam == kAboutTimerId) KillTimer(notification.sender, kAboutTimerId);
        return;
    }
    if (notification.type != "click" || !notification.sender) return;
    const QString name = notification.sender->objectName();
    if (name == "closebtn") {
        Close(kCloseCodeCancel);
    } else if (name == "minbtn") {
        showMinimized();
    } else if (name == "maxbtn") {
        showMaximized();
    } else if (name == "restorebtn") {
        showNormal();
    }
}

void CAboutWnd::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) ShowMaximizedButtons();
    WindowBase::changeEvent(event);
}

void CAboutWnd::ShowMaximizedButtons() {
    const bool maximized = isMaximized();
    if (QWidget* max = FindControl("maxbtn")) max->setHidden(maximized);
    if (QWidget* restore = FindControl("restorebtn")) restore->setHidden(!maximized);
}

}  // namespace vestra::app
