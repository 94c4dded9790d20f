#include "ui/controls/ControlAttribute.h"

#include <QDynamicPropertyChangeEvent>
#include <QMetaObject>
#include <QObject>
#include <QVariant>

namespace vestra::ui {

std::optional<std::pair<QString, QString>> AttributeFromEvent(const QObject& control,
                                                              const QEvent& event) {
    if (event.type() != QEvent::DynamicPropertyChange) return std::nullopt;
    const QByteArray name = static_cast<const QDynamicPropertyChangeEvent&>(event).propertyName();
    return std::pair{QString::fromUtf8(name), control.property(name.constData()).toString()};
}

bool SetControlAttribute(QObject* control, const QString& name, const QString& value) {
    if (!control || control->metaObject()->indexOfMethod("SetAttribute(QString,QString)") < 0) {
        return false;
    }
    return QMetaObject::invokeMethod(control, "SetAttribute", Qt::DirectConnection,
                                     Q_ARG(QString, name), Q_ARG(QString, value));
}

std::optional<QColor> ParseColorAttribute(const QString& value) {
    QString digits = value.trimmed();
    if (digits.startsWith('#')) {
        digits.remove(0, 1);
    } else if (digits.startsWith("0x", Qt::CaseInsensitive)) {
        digits.remove(0, 2);
    } else {
        return std::nullopt;
    }
    if (digits.size() != 6 && digits.size() != 8) return std::nullopt;
    bool ok = false;
    quint32 argb = digits.toUInt(&ok, 16);
    if (!ok) return std::nullopt;
    if (digits.size() == 6) argb |= 0xFF000000u;
    return QColor::fromRgba(argb);
}

}  // namespace vestra::ui
