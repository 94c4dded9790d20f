// Layout attributes of the custom controls. Every custom control has
//     Q_INVOKABLE void SetAttribute(const QString& name, const QString& value);
// A layout sets an attribute either through that call or as a dynamic property of the same
// name (a .ui string property with stdset="0"); the control forwards dynamic property changes
// to SetAttribute, so both ways act at once and in the order given.
#pragma once

#include <QColor>
#include <QString>
#include <optional>
#include <utility>

class QEvent;
class QObject;

namespace vestra::ui {

// The (name, value) of a dynamic property change on control, or nothing for any other event.
std::optional<std::pair<QString, QString>> AttributeFromEvent(const QObject& control,
                                                              const QEvent& event);

// Gives a custom control one attribute; false when the object is not a custom control.
bool SetControlAttribute(QObject* control, const QString& name, const QString& value);

// A colour written "#AARRGGBB", "#RRGGBB" or "0xAARRGGBB" (six digits mean opaque);
// nothing when the text is not one of these.
std::optional<QColor> ParseColorAttribute(const QString& value);

}  // namespace vestra::ui
