// The state pictures of the button-like controls ("normalimage", "hotimage", "pushedimage",
// "disabledimage"), and the palette-drawn face used when a button has none.
#pragma once

#include <QString>

class QAbstractButton;
class QPainter;
class QRect;

namespace vestra::ui {

enum class ButtonState { kNormal, kHot, kPushed, kDisabled };

class ButtonStatusImages {
public:
    // True when name is one of the state picture attributes (then it is taken).
    bool SetAttribute(const QString& name, const QString& value);

    // Draws the picture of the state, or the normal picture when the state has none. False when
    // nothing was drawn.
    bool Paint(QPainter& painter, const QRect& rect, ButtonState state) const;

    // A flat rounded face in the palette's button colours with the button's text centred.
    static void PaintFace(QPainter& painter, const QAbstractButton& button, ButtonState state);

    static ButtonState StateOf(const QAbstractButton& button, bool hot);

private:
    QString m_normal;
    QString m_hot;
    QString m_pushed;
    QString m_disabled;
};

}  // namespace vestra::ui
