#include "app/windows/CSkinFrame.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFileDialog>
#include <QPointer>
#include <QStackedWidget>

#include "app/windows/SkinNoticeHub.h"
#include "platform/DebugLog.h"
#include "ui/controls/ControlAttribute.h"

namespace vestra::app {
namespace {

constexpr int kImagePage = 0;
constexpr int kColorPage = 1;

// Shows a colour button's own colour as its face.
void PaintColorButton(QWidget* button) {
    const std::optional<QColor> color =
        ui::ParseColorAttribute(button->property("bkcolor").toString());
    if (!color) return;
    button->setStyleSheet(QString("background-color: rgba(%1, %2, %3, %4);")
                              .arg(color->red())
                              .arg(color->green())
                              .arg(color->blue())
                              .arg(color->alpha()));
}

}  // namespace

CSkinFrame::CSkinFrame(const WindowContext& context, QWidget* anchor, MainIni ini)
    : WindowBase(anchor ? anchor->window() : nullptr), m_context(context), m_ini(std::move(ini)) {
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("skinframe");
    if (!m_context.resources || !Create(*m_context.resources, "skin.xml")) {
        DebugLog::Write("skin frame layout not built: " + Error().toStdString());
    }
    if (anchor) PlaceBelow(anchor);
}

CSkinFrame* CSkinFrame::Open(const WindowContext& context, QWidget* anchor) {
    auto* frame = new CSkinFrame(context, anchor);
    frame->show();
    return frame;
}

void CSkinFrame::PlaceBelow(const QWidget* anchor) {
    const QPoint corner = anchor->mapToGlobal(QPoint(anchor->width(), anchor->height()));
    move(corner.x() - width(), corner.y());
}

void CSkinFrame::InitWindow() {
    if (m_context.language) m_context.language->ApplyLanguage(this);
    for (QWidget* control : findChildren<QWidget*>()) {
        if (control->objectName().startsWith("skin_color_btn")) PaintColorButton(control);
    }
}

void CSkinFrame::Notify(const ui::Notification& notification) {
    if (notification.type != "click" || !notification.sender) return;
    QWidget* sender = notification.sender;
    const QString name = sender->objectName();
    if (name == "skin_image" || name == "skin_color") {
        if (auto* tab = qobject_cast<QStackedWidget*>(FindControl("skin_tab"))) {
            tab->setCurrentIndex(name == "skin_color" ? kColorPage : kImagePage);
        }
    } else if (name.startsWith("skin_image_btn")) {
        const QString image = sender->property("bkimage").toString();
        if (image.isEmpty()) return;
        SkinNoticeHub::Instance().Publish({false, 0, image});
        m_ini.Write(MainIni::kFlagsPreset, image);
    } else if (name.startsWith("skin_color_btn")) {
        const std::optional<QColor> color =
            ui::ParseColorAttribute(sender->property("bkcolor").toString());
        if (!color) return;
        SkinNoticeHub::Instance().Publish({true, color->rgba(), QString()});
    } else if (name == "skin_reset") {
        SkinNoticeHub::Instance().Publish({false, 0, kDefaultImage});
        m_ini.Write(MainIni::kFlagsReset, kDefaultImage);
    } else if (name == "skin_Custom") {
        ChooseCustomImage();
    }
}

void CSkinFrame::ChooseCustomImage() {
    // A pop-up holds the mouse and keyboard; step aside while the file dialog runs, and stay
    // alive until it is answered even though the frame loses the focus meanwhile.
    QPointer<CSkinFrame> self = this;
    m_askingForFile = true;
    hide();
    const QString file = AskForImageFile();
    if (!self) return;
    m_askingForFile = false;
    if (!file.isEmpty()) SkinNoticeHub::Instance().Publish({false, 0, file});
    close();
}

QString CSkinFrame::AskForImageFile() {
    const QString filter = m_context.Text("skin_filter_png", "PNG images") + " (*.png);;" +
                           m_context.Text("skin_filter_all", "All files") + " (*)";
    QFileDialog dialog(parentWidget(), m_context.Text("skin_custom_title", "Choose a picture"),
                       QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("png");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

bool CSkinFrame::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate && isVisible() && !m_askingForFile) close();
    return WindowBase::event(event);
}

}  // namespace vestra::app
