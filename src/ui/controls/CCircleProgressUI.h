// A progress shown as a ring: a disc in the background colour, a pie of the done part in the
// foreground colour starting at the bottom and running clockwise, and a white inner disc.
#pragma once

#include <QColor>
#include <QProgressBar>

namespace vestra::ui {

class CCircleProgressUI : public QProgressBar {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "CircleProgress";
    // Rings of the same size look alike on every screen, so the inset is not scaled.
    static constexpr int kRingWidth = 10;

    explicit CCircleProgressUI(QWidget* parent = nullptr);

    // Whole degrees of the foreground pie: (value - minimum) / (maximum - minimum) * 360,
    // truncated; 0 when maximum equals minimum or before a value is set.
    int SweepDegrees() const;

    // "bkcolor" and "forecolor" ("#AARRGGBB"); the palette's colours when not given.
    Q_INVOKABLE void SetAttribute(const QString& name, const QString& value);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_backgroundColor;
    QColor m_foregroundColor;
};

}  // namespace vestra::ui
