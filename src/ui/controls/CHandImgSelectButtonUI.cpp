#include "ui/controls/CHandImgSelectButtonUI.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <utility>

#include "ui/controls/ControlNotifier.h"
#include "ui/controls/ImageString.h"

namespace vestra::ui {
namespace {

// The cursors the layouts name; "size" and "icon" are old aliases of the move and the arrow
// cursor.
constexpr std::array<std::pair<const char*, Qt::CursorShape>, 14> kCursorNames{{
    {"arrow", Qt::ArrowCursor},
    {"ibeam", Qt::IBeamCursor},
    {"wait", Qt::WaitCursor},
    {"cross", Qt::CrossCursor},
    {"uparrow", Qt::UpArrowCursor},
    {"size", Qt::SizeAllCursor},
    {"icon", Qt::ArrowCursor},
    {"sizenwse", Qt::SizeFDiagCursor},
    {"sizenesw", Qt::SizeBDiagCursor},
    {"sizewe", Qt::SizeHorCursor},
    {"sizens", Qt::SizeVerCursor},
    {"sizeall", Qt::SizeAllCursor},
    {"no", Qt::ForbiddenCursor},
    {"hand", Qt::PointingHandCursor},
}};

// How far a window [start, end) onto [0, limit) may move by delta: a negative drag (the pointer
// moving left or up) shows more of the far side, a positive one more of the near side.
int ClampedShift(int start, int end, int limit, int delta) {
    if (delta < 0) return end < limit ? std::min(-delta, limit - end) : 0;
    return start > 0 ? -std::min(delta, start) : 0;
}

}  // namespace

CHandImgSelectButtonUI::CHandImgSelectButtonUI(QWidget* parent)
    : PictureButton(HoverNotices::kOn, parent) {}

std::optional<Qt::CursorShape> CHandImgSelectButtonUI::CursorShapeByName(const QString& name) {
    for (const auto& [cursorName, shape] : kCursorNames) {
        if (name.compare(QLatin1String(cursorName), Qt::CaseInsensitive) == 0) return shape;
    }
    return std::nullopt;
}

void CHandImgSelectButtonUI::SetAttribute(const QString& name, const QString& value) {
    const QString key = name.toLower();
    if (key == "handimage") {
        SetHandImage(value);
    } else if (key == "cursor" && !value.isEmpty()) {
        if (auto shape = CursorShapeByName(value)) setCursor(*shape);
    } else {
        PictureButton::SetAttribute(key, value);
    }
}

void CHandImgSelectButtonUI::SetHandImage(const QString& file) {
    m_handImage = file;
    const QImage picture = ImageString::Load(file);
    if (!picture.isNull()) {
        m_pictureSize = picture.size();
        m_offset = QPoint();
    }
    update();
}

void CHandImgSelectButtonUI::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_statusImages.Paint(painter, rect(), State());
    const QImage picture = ImageString::Load(m_handImage);
    if (picture.isNull()) return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (width() >= picture.width() && height() >= picture.height()) {
        painter.drawImage(rect(), picture);
    } else {
        painter.drawImage(rect(), picture, SourceRect());
    }
}

void CHandImgSelectButtonUI::mousePressEvent(QMouseEvent* event) {
    if (!isEnabled() || !rect().contains(event->position().toPoint())) {
        event->ignore();
        return;
    }
    setDown(true);
    m_captured = true;
    m_dragging = true;
    m_last = event->position().toPoint();
    update();
}

void CHandImgSelectButtonUI::mouseDoubleClickEvent(QMouseEvent* event) {
    mousePressEvent(event);
}

void CHandImgSelectButtonUI::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_dragging) {
        PanBy(point.x() - m_last.x(), point.y() - m_last.y());
        m_last = point;
    }
    if (m_captured) setDown(rect().contains(point));
    update();
}

void CHandImgSelectButtonUI::PanBy(int dx, int dy) {
    m_offset.rx() += ClampedShift(m_offset.x(), m_offset.x() + width(), m_pictureSize.width(), dx);
    m_offset.ry() +=
        ClampedShift(m_offset.y(), m_offset.y() + height(), m_pictureSize.height(), dy);
}

void CHandImgSelectButtonUI::mouseReleaseEvent(QMouseEvent*) {
    // Releasing ends the drag only; this button never clicks.
    if (m_captured) {
        m_captured = false;
        setDown(false);
        update();
    }
    m_dragging = false;
}

}  // namespace vestra::ui
