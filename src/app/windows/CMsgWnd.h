// The application's message box: a title, a text and one or two buttons, shown modally.
#pragma once

#include <QSize>
#include <QString>

#include "app/windows/WindowContext.h"
#include "ui/WindowBase.h"

namespace vestra::app {

// Whether a message text is shown as given or is the id of a text of the current language.
enum class TextKind { Literal, LanguageId };

// The buttons a message shows; LayoutDefault leaves them as the layout has them.
enum class ButtonMode { Confirm = 0, ConfirmCancel = 1, LayoutDefault };

class CMsgWnd : public ui::WindowBase {
    Q_OBJECT
public:
    static constexpr int kCloseCodeConfirm = 1;
    static constexpr int kDefaultDpi = 96;

    explicit CMsgWnd(QWidget* owner = nullptr);

    // Builds the layout "XML_MSG" and fills it: a non-empty title replaces the layout's, a
    // non-empty text is shown (or looked up by id), the DPI is set and the buttons chosen.
    // False when the layout cannot be built (Error() says why).
    bool Prepare(const WindowContext& context, const QString& title, const QString& text, int dpi,
                 TextKind kind, ButtonMode buttons);

    // Lays the window out for dpi; a value other than 48, 72, 96, 120, 144, 168 or 192 is
    // refused with a debug line and 96 is used instead.
    void SetDpi(int dpi);
    int Dpi() const { return m_dpi; }

    // Shows a message modally; kCloseCodeConfirm when the user confirmed, kCloseCodeCancel
    // otherwise (also when the layout cannot be built, so a caller never takes it as consent).
    static int ShowMessage(const WindowContext& context, QWidget* owner, const QString& title,
                           const QString& text, int dpi, TextKind kind, ButtonMode buttons);

protected:
    void Notify(const ui::Notification& notification) override;

private:
    int m_dpi = kDefaultDpi;
    QSize m_layoutSize;  // the layout's size at 96 dpi
};

}  // namespace vestra::app
