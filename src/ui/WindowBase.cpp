#include "ui/WindowBase.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QSlider>
#include <QTimerEvent>

#include "ui/LayoutLoader.h"
#include "ui/MenuCommand.h"
#include "ui/NumberEdit.h"
#include "ui/ResourceIndex.h"
#include "ui/controls/ControlNotifier.h"

namespace vestra::ui {
namespace {

// Marks a control whose signals are already connected, so binding a subtree twice is harmless.
constexpr char kBoundProperty[] = "_vestra_bound";

// Controls whose child widgets are their own inner parts (a combo's list, a spin box's edit,
// a view's viewport), never controls of the layout.
bool IsLeafControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QAbstractSlider*>(widget) || qobject_cast<const QLineEdit*>(widget);
}

}  // namespace

WindowBase::WindowBase(QWidget* parent) : QWidget(parent) {}

WindowBase::~WindowBase() = default;

bool WindowBase::Create(const ResourceIndex& resources, const QString& layoutName) {
    QWidget* content = LoadLayoutInto(this, resources, layoutName, m_error);
    if (!content) return false;
    delete m_content;
    m_content = content;
    if (!content->windowTitle().isEmpty()) setWindowTitle(content->windowTitle());
    resize(content->size());
    BindNotifications(content);
    InitWindow();
    return true;
}

QWidget* WindowBase::FindControl(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    return findChild<QWidget*>(name);
}

QWidget* WindowBase::FindSubControlByName(QWidget* parent, const QString& name) {
    if (!parent || name.isEmpty()) return nullptr;
    return parent->findChild<QWidget*>(name);
}

void WindowBase::BindNotifications(QWidget* subtree) {
    if (!subtree) return;
    for (QObject* child : subtree->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget) continue;
        BindControl(widget);
        if (!IsLeafControl(widget)) BindNotifications(widget);
    }
}

void WindowBase::BindControl(QWidget* control) {
    if (control->property(kBoundProperty).toBool()) return;
    control->setProperty(kBoundProperty, true);

    // A custom control raises all its notifications, "click" included, through Notify.
    const bool custom = ConnectNotify(
        control, [this](QObject* sender, const QString& type, qintptr wParam, qintptr lParam) {
            Send(type, qobject_cast<QWidget*>(sender), wParam, lParam);
        });
    if (custom) return;

    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        connect(button, &QAbstractButton::clicked, this, [this, button] { Send("click", button); });
        connect(button, &QAbstractButton::toggled, this, [this, button](bool checked) {
            Send(kNotifySelectChanged, button, checked ? 1 : 0);
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, combo, previous = combo->currentIndex()](int index) mutable {
                    Send(kNotifyItemSelect, combo, index, previous);
                    previous = index;
                });
    } else if (auto* slider = qobject_cast<QSlider*>(control)) {
        // While dragging, only the moves notify; the release gives the final value.
        connect(slider, &QSlider::valueChanged, this, [this, slider](int value) {
            if (!slider->isSliderDown()) Send(kNotifyValueChanged, slider, value);
        });
        connect(slider, &QSlider::sliderReleased, this,
                [this, slider] { Send(kNotifyValueChanged, slider, slider->value()); });
        connect(slider, &QSlider::sliderMoved, this,
                [this, slider](int value) { Send(kNotifyMoveValueChanged, slider, value); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        ApplyNumberRules(edit);
        connect(edit, &QLineEdit::textChanged, this,
                [this, edit] { Send(kNotifyTextChanged, edit); });
        connect(edit, &QLineEdit::returnPressed, this, [this, edit] { Send(kNotifyReturn, edit); });
        connect(edit, &QLineEdit::editingFinished, this,
                [this, edit] { Send(kNotifyKillFocus, edit); });
    } else if (auto* list = qobject_cast<QListWidget*>(control)) {
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
            Send(kNotifyItemClick, list, list->row(item));
        });
        connect(list, &QListWidget::itemActivated, this, [this, list](QListWidgetItem* item) {
            Send(kNotifyItemActivate, list, list->row(item));
        });
        connect(list, &QListWidget::currentRowChanged, this,
                [this, list, previous = list->currentRow()](int row) mutable {
                    Send(kNotifyItemSelect, list, row, previous);
                    previous = row;
                });
    }
}

void WindowBase::Send(const QString& type, QWidget* sender, qintptr wParam, qintptr lParam) {
    Notify(Notification{type, sender, wParam, lParam});
}

void WindowBase::Notify(const Notification&) {}

void WindowBase::OnMenuCommand(const MenuCommand&) {}

void WindowBase::OnTrayEvent(QSystemTrayIcon::ActivationReason) {}

int WindowBase::ShowModal() {
    QEventLoop loop;
    m_modalLoop = &loop;
    m_closeCode = kCloseCodeCancel;
    setWindowModality(Qt::ApplicationModal);
    show();
    loop.exec();
    m_modalLoop = nullptr;
    return m_closeCode;
}

void WindowBase::Close(int code) {
    m_closeCode = code;
    hide();
    if (m_modalLoop) m_modalLoop->quit();
}

void WindowBase::closeEvent(QCloseEvent* event) {
    m_closeCode = kCloseCodeCancel;
    if (m_modalLoop) m_modalLoop->quit();
    QWidget::closeEvent(event);
}

void WindowBase::CenterWindow() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void WindowBase::SetTimer(QWidget* control, int id, int ms) {
    if (!control) return;
    KillTimer(control, id);
    const int timerId = startTimer(ms);
    if (timerId != 0) m_timers[timerId] = ControlTimer{control, id};
}

void WindowBase::KillTimer(QWidget* control, int id) {
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        if (it->second.control == control && it->second.id == id) {
            killTimer(it->first);
            m_timers.erase(it);
            return;
        }
    }
}

void WindowBase::timerEvent(QTimerEvent* event) {
    const auto it = m_timers.find(event->timerId());
    if (it == m_timers.end()) {
        QWidget::timerEvent(event);
        return;
    }
    if (!it->second.control) {
        killTimer(it->first);
        m_timers.erase(it);
        return;
    }
    Send(kNotifyTimer, it->second.control, it->second.id);
}

}  // namespace vestra::ui
