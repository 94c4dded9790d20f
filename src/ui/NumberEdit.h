// Number-only edits: a line edit whose layout gives "numberonly" accepts only a whole number
// within "minvalue".."maxvalue" and of at most "maxchar" characters.
#pragma once

#include <QValidator>

class QLineEdit;

namespace vestra::ui {

// Accepts digits only. A value above the maximum cannot be typed; one below the minimum is
// allowed while typing and raised to the minimum when editing ends.
class NumberEdit : public QValidator {
    Q_OBJECT
public:
    NumberEdit(qint64 minimum, qint64 maximum, QObject* parent = nullptr);

    State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;

private:
    qint64 m_minimum;
    qint64 m_maximum;
};

// Reads the dynamic properties "numberonly" ("true"), "minvalue", "maxvalue" and "maxchar" of
// edit and installs the rules; "maxchar" applies to any edit. Missing bounds are 0 and the
// largest value of maxchar digits (or of a 64-bit number).
void ApplyNumberRules(QLineEdit* edit);

}  // namespace vestra::ui
