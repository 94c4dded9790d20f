#include "app/windows/CMsgWnd.h"

#include <QLabel>
#include <QPointer>
#include <QVariant>
#include <algorithm>
#include <array>

#include "platform/DebugLog.h"

namespace vestra::app {
namespace {

constexpr std::array kSupportedDpis = {48, 72, 96, 120, 144, 168, 192};

// Shows text in label: as given, or as the text of a language id. A literal drops the
// label's text id so that a later language refresh does not overwrite it.
void SetLabelText(QLabel* label, const WindowContext& context, const QString& text, TextKind kind) {
    if (!label) return;
    if (kind == TextKind::LanguageId) {
        label->setProperty("textid", text);
        label->setText(context.Text(text, text));
    } else {
        label->setProperty("textid", QVariant());
        label->setText(text);
    }
}

}  // namespace

CMsgWnd::CMsgWnd(QWidget* owner) : WindowBase(owner) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
}

bool CMsgWnd::Prepare(const WindowContext& context, const QString& title, const QString& text,
                      int dpi, TextKind kind, ButtonMode buttons) {
    if (!context.resources || !Create(*context.resources, "XML_MSG")) return false;
    m_layoutSize = size();
    if (context.language) context.language->ApplyLanguage(this);

    if (!title.isEmpty()) {
        SetLabelText(qobject_cast<QLabel*>(FindControl("MessageTitle")), context, title,
                     TextKind::Literal);
    }
    if (!text.isEmpty()) {
        SetLabelText(qobject_cast<QLabel*>(FindControl("MessageText")), context, text, kind);
    }
    SetDpi(dpi);

    QWidget* confirm = FindControl("confirm_btn");
    QWidget* cancel = FindControl("cancel_btn");
    if (buttons != ButtonMode::LayoutDefault) {
        if (confirm) confirm->setHidden(false);
        if (cancel) cancel->setHidden(buttons != ButtonMode::ConfirmCancel);
    }
    return true;
}

void CMsgWnd::SetDpi(int dpi) {
    if (std::find(kSupportedDpis.begin(), kSupportedDpis.end(), dpi) == kSupportedDpis.end()) {
        DebugLog::Write("MSG_WND DPI SET ERROR");
        dpi = kDefaultDpi;
    }
    if (dpi == m_dpi) return;
    m_dpi = dpi;
    // Qt already scales for the screen; this scales the layout for the DPI the caller's
    // windows are laid out at.
    if (m_layoutSize.isValid()) resize(m_layoutSize * (m_dpi / double(kDefaultDpi)));
}

int CMsgWnd::ShowMessage(const WindowContext& context, QWidget* owner, const QString& title,
                         const QString& text, int dpi, TextKind kind, ButtonMode buttons) {
    QPointer<CMsgWnd> window = new CMsgWnd(owner);
    if (!window->Prepare(context, title, text, dpi, kind, buttons)) {
        DebugLog::Write("message window not built: " + window->Error().toStdString());
        delete window.data();
        return kCloseCodeCancel;
    }
    window->CenterWindow();
    const int code = window->ShowModal();
    delete window.data();
    return code;
}

void CMsgWnd::Notify(const ui::Notification& notification) {
    if (notification.type != "click" || !notification.sender) return;
    const QString name = notification.sender->objectName();
    if (name == "confirm_btn") {
        Close(kCloseCodeConfirm);
    } else if (name == "cancel_btn" || name == "closebtn") {
        Close(kCloseCodeCancel);
    }
}

}  // namespace vestra::app
