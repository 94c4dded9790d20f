// A key or LED on a device picture: lit by the host's lighting through a tinted light image,
// marked by a key-set image when its assignment differs from the default, and selectable by the
// select panel's band.
#pragma once

#include <QPainterPath>
#include <QPixmap>

#include "ui/controls/ImageString.h"
#include "ui/controls/PictureButton.h"

namespace vestra::ui {

class CDeviceKeyButtonUI : public PictureButton {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "DeviceKeyButton";

    explicit CDeviceKeyButtonUI(QWidget* parent = nullptr);

    // tint is the device's colour word (red bits 0-7, blue 8-15, green 16-23), passed on as is.
    // The device repaints when it has set every key.
    void SetLightTint(quint32 tint, int alpha, TintSwitch tintSwitch);
    quint32 LightTint() const { return m_tint; }
    int LightAlpha() const { return m_alpha; }
    TintSwitch LightTintSwitch() const { return m_tintSwitch; }

    void SetKeySetHidden(bool hidden);
    bool IsKeySetHidden() const { return m_keySetHidden; }

    // The band-selection flag; setting it does not repaint.
    void SetKeySelected(bool selected) { m_keySelected = selected; }
    bool IsKeySelected() const { return m_keySelected; }

    // "lightimage", "keysetimage", the state pictures; "gmnametextcolor" is accepted and unused.
    void SetAttribute(const QString& name, const QString& value) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // What the cached parts of a key without pictures depend on.
    struct CapState {
        QSize size;
        qreal ratio = 1;
        QString text;
        bool round = false;
        bool hot = false;
        bool down = false;
        bool selected = false;
        bool keySetHidden = true;
        bool brightLight = false;
        bool operator==(const CapState&) const = default;
    };

    // The face of a key without pictures.
    void PaintCap(QPainter& painter) const;
    void RenderCap(const CapState& state) const;

    QString m_lightImage;
    QString m_keySetImage;
    bool m_keySetHidden = true;
    TintSwitch m_tintSwitch = TintSwitch::kOff;
    quint32 m_tint = 255;
    int m_alpha = 200;
    bool m_keySelected = false;
    // Drawn by RenderCap for m_capState: the face below the light, the legend and marks above.
    mutable CapState m_capState;
    mutable QPixmap m_capBase;
    mutable QPixmap m_capTop;
    mutable QPainterPath m_lightFill;
    mutable QPainterPath m_lightRim;
    mutable QPainterPath m_lightRimOutline;
};

}  // namespace vestra::ui
