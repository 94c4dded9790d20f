#include "ui/NumberEdit.h"

#include <QLineEdit>
#include <QVariant>
#include <algorithm>
#include <limits>
#include <optional>

namespace vestra::ui {
namespace {

std::optional<qint64> NumberProperty(const QLineEdit& edit, const char* name) {
    const QVariant value = edit.property(name);
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const qint64 number = value.toString().trimmed().toLongLong(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

}  // namespace

NumberEdit::NumberEdit(qint64 minimum, qint64 maximum, QObject* parent)
    : QValidator(parent), m_minimum(minimum), m_maximum(std::max(minimum, maximum)) {}

QValidator::State NumberEdit::validate(QString& input, int&) const {
    if (input.isEmpty()) return Intermediate;
    for (const QChar c : input) {
        if (c < '0' || c > '9') return Invalid;
    }
    bool ok = false;
    const qint64 value = input.toLongLong(&ok);
    if (!ok || value > m_maximum) return Invalid;
    return value < m_minimum ? Intermediate : Acceptable;
}

void NumberEdit::fixup(QString& input) const {
    bool ok = false;
    const qint64 value = input.toLongLong(&ok);
    if (!ok || value < m_minimum) input = QString::number(m_minimum);
}

void ApplyNumberRules(QLineEdit* edit) {
    const std::optional<qint64> maxChar = NumberProperty(*edit, "maxchar");
    if (maxChar && *maxChar > 0)
        edit->setMaxLength(static_cast<int>(std::min<qint64>(*maxChar, 32767)));
    if (edit->property("numberonly").toString().compare("true", Qt::CaseInsensitive) != 0) return;

    qint64 largest = std::numeric_limits<qint64>::max();
    if (maxChar && *maxChar > 0 && *maxChar < 19) {
        largest = 1;
        for (qint64 i = 0; i < *maxChar; ++i) largest *= 10;
        largest -= 1;
    }
    const qint64 minimum = std::max<qint64>(0, NumberProperty(*edit, "minvalue").value_or(0));
    const qint64 maximum = std::min(largest, NumberProperty(*edit, "maxvalue").value_or(largest));
    edit->setValidator(new NumberEdit(minimum, maximum, edit));
}

}  // namespace vestra::ui
