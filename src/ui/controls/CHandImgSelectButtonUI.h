// A window onto a picture larger than the button that the user pans by dragging; the panning
// stops at the picture's edges.
#pragma once

#include <QPoint>
#include <QRect>
#include <optional>

#include "ui/controls/PictureButton.h"

namespace vestra::ui {

class CHandImgSelectButtonUI : public PictureButton {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "HandImgSelectButton";

    explicit CHandImgSelectButtonUI(QWidget* parent = nullptr);

    // The part of the picture shown, as large as the control (right and bottom exclusive).
    QRect SourceRect() const { return QRect(m_offset, size()); }
    QSize PictureSize() const { return m_pictureSize; }

    // The cursor a "cursor" attribute names (arrow, ibeam, wait, cross, uparrow, size, icon,
    // sizenwse, sizenesw, sizewe, sizens, sizeall, no, hand; any case); nothing for other names.
    static std::optional<Qt::CursorShape> CursorShapeByName(const QString& name);

    // "handimage", "cursor" and the state pictures; names in any letter case.
    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void SetHandImage(const QString& file);
    void PanBy(int dx, int dy);

    QString m_handImage;
    QSize m_pictureSize;
    // The shown part's top-left; its size is always the control's, so a layout may size the
    // control after giving it the picture.
    QPoint m_offset;
    bool m_captured = false;
    bool m_dragging = false;
    QPoint m_last;
};

}  // namespace vestra::ui
