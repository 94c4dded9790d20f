// A row of the macro event list: two texts and a delay field ("text1", "text2", "delay_edit");
// Enter on the row activates it and raises "return".
#pragma once

#include "ui/controls/ListRow.h"

class QLabel;
class QLineEdit;

namespace vestra::ui {

class CComboEditContainerElementUI : public ListRow {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "ComboEditContainerElement";
    // Delays are whole milliseconds.
    static constexpr int kMaxDelay = 999999;

    explicit CComboEditContainerElementUI(QWidget* parent = nullptr);

    QLabel* Text1() const { return m_text1; }
    QLabel* Text2() const { return m_text2; }
    QLineEdit* DelayEdit() const { return m_delayEdit; }

    // The row has no attributes of its own; its state pictures ("normalimage", "hotimage",
    // "selectedimage") are not used.
    Q_INVOKABLE void SetAttribute(const QString& name, const QString& value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_text1;
    QLabel* m_text2;
    QLineEdit* m_delayEdit;
};

}  // namespace vestra::ui
