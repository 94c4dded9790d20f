#include "ui/controls/ControlNotifier.h"

namespace vestra::ui {
namespace {

// Lives as a child of the control, so the connection ends with it.
class NotifyRelay : public QObject {
    Q_OBJECT
public:
    NotifyRelay(QObject* control, NotifyHandler handler)
        : QObject(control), m_control(control), m_handler(std::move(handler)) {}

public slots:
    void Forward(const QString& type, qintptr wParam, qintptr lParam) {
        m_handler(m_control, type, wParam, lParam);
    }

private:
    QObject* m_control;
    NotifyHandler m_handler;
};

}  // namespace

bool ConnectNotify(QObject* control, NotifyHandler handler) {
    if (!control || !handler) return false;
    if (control->metaObject()->indexOfSignal("Notify(QString,qintptr,qintptr)") < 0) return false;
    auto* relay = new NotifyRelay(control, std::move(handler));
    return static_cast<bool>(QObject::connect(control, SIGNAL(Notify(QString, qintptr, qintptr)),
                                              relay, SLOT(Forward(QString, qintptr, qintptr))));
}

}  // namespace vestra::ui

#include "ControlNotifier.moc"
