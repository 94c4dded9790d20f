// The drawn body of a device picture (keyboard plate, mouse shell, pad, headset) that lies
// under the key and LED buttons of a select panel and keeps them placed as the panel resizes.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <QWidget>
#include <utility>
#include <vector>

namespace vestra::app {

class DevicePicture : public QWidget {
    Q_OBJECT
public:
    enum class Shape { kKeyboard, kMouse, kMousePad, kHeadset };

    // Covers panel and stays below its other children; the panel keeps the mouse events, so
    // its band selection works over the body too. designSize is the picture's own coordinate
    // space, scaled uniformly into the panel and centred.
    DevicePicture(Shape shape, QSizeF designSize, QWidget* panel);

    Shape PictureShape() const { return m_shape; }
    // Keeps control over designRect (design units) whenever the panel changes size.
    void Place(QWidget* control, const QRectF& designRect);
    // A design rectangle in panel coordinates at the current size.
    QRectF ToPanel(const QRectF& designRect) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Relayout();
    void PaintBody(QPainter& painter) const;
    void PaintKeyboard(QPainter& painter) const;
    void PaintMouse(QPainter& painter) const;
    void PaintMousePad(QPainter& painter) const;
    void PaintHeadset(QPainter& painter) const;

    Shape m_shape;
    QSizeF m_designSize;
    std::vector<std::pair<QPointer<QWidget>, QRectF>> m_places;
    QPixmap m_cache;  // the body at the current size
};

}  // namespace vestra::app
