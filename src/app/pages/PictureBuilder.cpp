#include "app/pages/PictureBuilder.h"

#include <QString>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>

#include "app/pages/DevicePicture.h"
#include "device/model/KeyNames.h"
#include "device/model/KeyboardKeyMap.h"
#include "device/model/LightTables.h"
#include "ui/controls/CDeviceKeyButtonUI.h"

namespace vestra::app {
namespace {

using ui::CDeviceKeyButtonUI;

// The keyboard's key grid: one cell per column and row, with wider gaps after the macro
// column, the main block and the navigation block, and under the function row.
constexpr qreal kCell = 40;
constexpr qreal kKeyCap = 36;
constexpr qreal kGroupGap = 14;
constexpr qreal kPlateMargin = 20;
constexpr std::array<size_t, 3> kColumnGroupEnds = {0, 15, 18};

qreal ColumnX(size_t column) {
    qreal x = kPlateMargin + column * kCell;
    for (size_t end : kColumnGroupEnds) {
        if (column > end) x += kGroupGap;
    }
    return x;
}

qreal RowY(size_t row) {
    return kPlateMargin + row * kCell + (row > 0 ? kGroupGap : 0);
}

// Key caps are small: the long usage names get their usual cap legends.
QString CapLabel(size_t position) {
    // Positions 120-124 are the macro keys of the left column.
    if (position >= 120 && position <= 124) return QString("M%1").arg(position - 119);
    const std::string name = KeyCodeName(kDefaultKeyCodes[position]);
    static const std::array<std::pair<std::string_view, const char*>, 36> kShort = {{
        {"PrintScreen", "PrtSc"}, {"ScrollLock", "ScrLk"},  {"Insert", "Ins"},
        {"Delete", "Del"},        {"PageUp", "PgUp"},       {"PageDown", "PgDn"},
        {"NumLock", "Num"},       {"KPSlash", "/"},         {"KPAsterisk", "*"},
        {"KPMinus", "-"},         {"KPPlus", "+"},          {"KPEnter", "Ent"},
        {"KPPeriod", "."},        {"Up", "\u2191"},         {"Down", "\u2193"},
        {"Left", "\u2190"},       {"Right", "\u2192"},      {"Backspace", "Bksp"},
        {"CapsLock", "Caps"},     {"NonUSBackslash", "\\"}, {"LShift", "Shift"},
        {"RShift", "Shift"},      {"LCtrl", "Ctrl"},        {"RCtrl", "Ctrl"},
        {"Minus", "-"},           {"Equal", "="},           {"LBracket", "["},
        {"RBracket", "]"},        {"Backslash", "\\"},      {"NonUSHash", "#"},
        {"Semicolon", ";"},       {"Quote", "'"},           {"Grave", "`"},
        {"Comma", ","},           {"Period", "."},          {"Slash", "/"},
    }};
    for (const auto& [full, legend] : kShort) {
        if (name == full) return QString::fromUtf8(legend);
    }
    if (name.size() > 2 && name.starts_with("KP")) return QString::fromStdString(name.substr(2));
    if (name.size() > 1 && (name[0] == 'L' || name[0] == 'R') &&
        (name.substr(1) == "Alt" || name.substr(1) == "Win")) {
        return QString::fromStdString(name.substr(1));
    }
    return QString::fromStdString(name);
}

CDeviceKeyButtonUI* NewButton(QWidget* panel, const QString& name, const QString& userData) {
    auto* button = new CDeviceKeyButtonUI(panel);
    button->setObjectName(name);
    if (!userData.isEmpty()) button->setProperty("userdata", userData);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

CDeviceKeyButtonUI* NewLed(QWidget* panel, const QString& name, const QString& userData) {
    CDeviceKeyButtonUI* led = NewButton(panel, name, userData);
    led->setProperty("capshape", "round");
    return led;
}

DevicePicture* BuildKeyboard(QWidget* panel) {
    const QSizeF size(ColumnX(kGridColumns - 1) + kKeyCap + kPlateMargin,
                      RowY(kGridRows - 1) + kKeyCap + kPlateMargin);
    auto* picture = new DevicePicture(DevicePicture::Shape::kKeyboard, size, panel);
    for (size_t position = 0; position < kKeyPositions; ++position) {
        const size_t column = kKeyColumn[position];
        const size_t row = kKeyRow[position];
        if (column >= kGridColumns || row >= kGridRows) continue;
        CDeviceKeyButtonUI* key =
            NewButton(panel, QString("key_%1").arg(position), QString("light_%1").arg(position));
        key->setText(CapLabel(position));
        picture->Place(key, QRectF(ColumnX(column), RowY(row), kKeyCap, kKeyCap));
    }
    return picture;
}

struct MouseKeyPlace {
    QRectF rect;
    const char* label;
};

// Keys 0-10 of the mouse's key list: left, right, wheel click, forward, back, DPI up, DPI
// down, DPI cycle, game mode, M8, fire.
constexpr std::array<MouseKeyPlace, 11> kMouseKeys = {{
    {{42, 18, 94, 150}, "L"},
    {{164, 18, 94, 150}, "R"},
    {{137, 34, 26, 58}, ""},
    {{12, 150, 22, 50}, ""},
    {{12, 206, 22, 50}, ""},
    {{138, 100, 24, 18}, "+"},
    {{138, 122, 24, 18}, "-"},
    {{130, 184, 40, 24}, "DPI"},
    {{12, 96, 22, 46}, "G"},
    {{266, 150, 22, 50}, "M8"},
    {{58, 184, 36, 24}, "F"},
}};

DevicePicture* BuildMouse(QWidget* panel) {
    auto* picture = new DevicePicture(DevicePicture::Shape::kMouse, QSizeF(300, 440), panel);
    for (size_t n = 0; n < kMouseKeys.size(); ++n) {
        CDeviceKeyButtonUI* key = NewButton(panel, QString("key_%1").arg(n), {});
        key->setText(kMouseKeys[n].label);
        key->setProperty("tooltipid", QString("mouse_key_tip_%1").arg(n));
        picture->Place(key, kMouseKeys[n].rect);
    }
    // Light strips down both flanks, then the logo on the palm rest.
    for (int n = 0; n < kMouseSideLeds; ++n) {
        const int perSide = kMouseSideLeds / 2;
        const qreal x = n < perSide ? 40 : 248;
        const qreal y = 220 + (n % perSide) * 30;
        picture->Place(NewLed(panel, QString("light_0_%1").arg(n), {}), QRectF(x, y, 12, 12));
    }
    CDeviceKeyButtonUI* logo = NewLed(panel, "logo", {});
    picture->Place(logo, QRectF(126, 320, 48, 48));
    return picture;
}

DevicePicture* BuildMousePad(QWidget* panel) {
    const QSizeF size(600, 360);
    auto* picture = new DevicePicture(DevicePicture::Shape::kMousePad, size, panel);
    // Evenly round the light guide, clockwise from the top-left corner.
    const QRectF guide(14, 14, size.width() - 28, size.height() - 28);
    const qreal perimeter = 2 * (guide.width() + guide.height());
    constexpr qreal kLed = 22;
    for (int n = 0; n < kMousePadLeds; ++n) {
        qreal along = (n + 0.5) * perimeter / kMousePadLeds;
        QPointF centre;
        if (along < guide.width()) {
            centre = {guide.left() + along, guide.top()};
        } else if ((along -= guide.width()) < guide.height()) {
            centre = {guide.right(), guide.top() + along};
        } else if ((along -= guide.height()) < guide.width()) {
            centre = {guide.right() - along, guide.bottom()};
        } else {
            along -= guide.width();
            centre = {guide.left(), guide.bottom() - along};
        }
        const QString name = QString("light_%1").arg(n);
        picture->Place(NewLed(panel, name, name),
                       QRectF(centre - QPointF(kLed / 2, kLed / 2), QSizeF(kLed, kLed)));
    }
    return picture;
}

DevicePicture* BuildHeadset(QWidget* panel) {
    auto* picture = new DevicePicture(DevicePicture::Shape::kHeadset, QSizeF(440, 380), panel);
    constexpr qreal kLed = 18;
    auto place = [&](int n, QPointF centre, qreal size) {
        const QString name = QString("light_%1").arg(n);
        picture->Place(NewLed(panel, name, name),
                       QRectF(centre - QPointF(size / 2, size / 2), QSizeF(size, size)));
    };
    // LEDs 0-4 round the outer side of the left cup, 5-9 of the right one, 10 and 11 the cup
    // logos, 12 the microphone tip.
    const QPointF left(105, 240);
    const QPointF right(335, 240);
    constexpr qreal kRadiusX = 65;
    constexpr qreal kRadiusY = 90;
    for (int i = 0; i < 5; ++i) {
        const qreal degrees = 120 + 30 * i;
        const qreal a = degrees * std::numbers::pi / 180;
        place(i, left + QPointF(kRadiusX * std::cos(a), -kRadiusY * std::sin(a)), kLed);
        const qreal b = (60 - 30 * i) * std::numbers::pi / 180;
        place(5 + i, right + QPointF(kRadiusX * std::cos(b), -kRadiusY * std::sin(b)), kLed);
    }
    place(10, left, 36);
    place(11, right, 36);
    place(12, QPointF(154, 362), 20);
    return picture;
}

}  // namespace

DevicePicture* BuildDevicePicture(hid::DeviceKind kind, QWidget* panel) {
    if (!panel || panel->findChild<CDeviceKeyButtonUI*>(QString(), Qt::FindDirectChildrenOnly)) {
        return nullptr;
    }
    switch (kind) {
        case hid::DeviceKind::Keyboard:
            return BuildKeyboard(panel);
        case hid::DeviceKind::Mouse:
            return BuildMouse(panel);
        case hid::DeviceKind::MousePad:
            return BuildMousePad(panel);
        case hid::DeviceKind::Headset:
            return BuildHeadset(panel);
    }
    return nullptr;
}

}  // namespace vestra::app
