#include "app/pages/DevicePicture.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace vestra::app {
namespace {

const QColor kBodyTop(0x25, 0x29, 0x32);
const QColor kBodyBottom(0x17, 0x1a, 0x20);
const QColor kBodyEdge(0x3a, 0x3f, 0x4b);
const QColor kSeam(0x2a, 0x2e, 0x38);

QLinearGradient BodyGradient(const QRectF& rect) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, kBodyTop);
    gradient.setColorAt(1, kBodyBottom);
    return gradient;
}

}  // namespace

DevicePicture::DevicePicture(Shape shape, QSizeF designSize, QWidget* panel)
    : QWidget(panel), m_shape(shape), m_designSize(designSize) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setObjectName("device_picture_body");
    lower();
    setGeometry(panel->rect());
    panel->installEventFilter(this);
}

void DevicePicture::Place(QWidget* control, const QRectF& designRect) {
    m_places.emplace_back(control, designRect);
    control->setGeometry(ToPanel(designRect).toRect());
}

QRectF DevicePicture::ToPanel(const QRectF& designRect) const {
    const QSizeF area = parentWidget()->size();
    const qreal scale =
        std::min(area.width() / m_designSize.width(), area.height() / m_designSize.height());
    const QPointF origin((area.width() - m_designSize.width() * scale) / 2,
                         (area.height() - m_designSize.height() * scale) / 2);
    return QRectF(origin + designRect.topLeft() * scale, designRect.size() * scale);
}

bool DevicePicture::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) Relayout();
    return QWidget::eventFilter(watched, event);
}

void DevicePicture::Relayout() {
    setGeometry(parentWidget()->rect());
    for (const auto& [control, designRect] : m_places) {
        if (control) control->setGeometry(ToPanel(designRect).toRect());
    }
}

void DevicePicture::paintEvent(QPaintEvent* event) {
    // The body is drawn once per size: the keys above it repaint many times a second while the
    // lighting runs, and each of their repaints exposes the body below.
    const qreal ratio = devicePixelRatioF();
    if (m_cache.isNull() || m_cache.size() != size() * ratio) {
        m_cache = QPixmap(size() * ratio);
        m_cache.setDevicePixelRatio(ratio);
        m_cache.fill(Qt::transparent);
        QPainter painter(&m_cache);
        PaintBody(painter);
    }
    QPainter painter(this);
    const QRect exposed = event->rect();
    painter.drawPixmap(exposed, m_cache,
                       QRectF(QPointF(exposed.topLeft()) * ratio, QSizeF(exposed.size()) * ratio));
}

void DevicePicture::PaintBody(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = ToPanel(QRectF(QPointF(0, 0), m_designSize));
    painter.translate(frame.topLeft());
    painter.scale(frame.width() / m_designSize.width(), frame.height() / m_designSize.height());
    switch (m_shape) {
        case Shape::kKeyboard:
            PaintKeyboard(painter);
            break;
        case Shape::kMouse:
            PaintMouse(painter);
            break;
        case Shape::kMousePad:
            PaintMousePad(painter);
            break;
        case Shape::kHeadset:
            PaintHeadset(painter);
            break;
    }
}

void DevicePicture::PaintKeyboard(QPainter& painter) const {
    const QRectF plate(QPointF(0, 0), m_designSize);
    painter.setPen(QPen(kBodyEdge, 2));
    painter.setBrush(BodyGradient(plate));
    painter.drawRoundedRect(plate.adjusted(1, 1, -1, -1), 16, 16);
    // The recessed deck the keys sit in.
    painter.setPen(QPen(kSeam, 1));
    painter.setBrush(QColor(0x12, 0x14, 0x19, 140));
    painter.drawRoundedRect(plate.adjusted(10, 10, -10, -10), 10, 10);
}

void DevicePicture::PaintMouse(QPainter& painter) const {
    const QRectF shell(30, 10, 240, 420);
    QPainterPath body;
    body.addRoundedRect(shell, 120, 110);
    painter.setPen(QPen(kBodyEdge, 2));
    painter.setBrush(BodyGradient(shell));
    painter.drawPath(body);
    // The seams between the two main buttons and the palm rest.
    painter.setPen(QPen(kSeam, 2));
    painter.drawLine(QPointF(150, 12), QPointF(150, 170));
    QPainterPath rest;
    rest.moveTo(34, 170);
    rest.quadTo(150, 190, 266, 170);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(rest);
}

void DevicePicture::PaintMousePad(QPainter& painter) const {
    const QRectF pad(QPointF(4, 4), m_designSize - QSizeF(8, 8));
    painter.setPen(QPen(kBodyEdge, 2));
    painter.setBrush(BodyGradient(pad));
    painter.drawRoundedRect(pad, 20, 20);
    // The light guide along the edge, and the cloth inside it.
    painter.setPen(QPen(kSeam, 12));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(pad.adjusted(10, 10, -10, -10), 14, 14);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x14, 0x16, 0x1c));
    painter.drawRoundedRect(pad.adjusted(22, 22, -22, -22), 10, 10);
}

void DevicePicture::PaintHeadset(QPainter& painter) const {
    // Headband.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kBodyEdge, 26, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(70, 24, 300, 300), 20 * 16, 140 * 16);
    painter.setPen(QPen(kBodyTop, 20, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(70, 24, 300, 300), 20 * 16, 140 * 16);
    // Microphone boom from the left cup.
    QPainterPath boom;
    boom.moveTo(80, 310);
    boom.quadTo(90, 362, 150, 362);
    painter.setPen(QPen(kBodyEdge, 8, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(boom);
    // Ear cups with their cushions.
    for (const QRectF& cup : {QRectF(40, 150, 130, 180), QRectF(270, 150, 130, 180)}) {
        painter.setPen(QPen(kBodyEdge, 2));
        painter.setBrush(BodyGradient(cup));
        painter.drawEllipse(cup);
        painter.setPen(QPen(kSeam, 1));
        painter.setBrush(QColor(0x12, 0x14, 0x19));
        painter.drawEllipse(cup.adjusted(26, 30, -26, -30));
    }
}

}  // namespace vestra::app
