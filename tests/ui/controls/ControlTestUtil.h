// Mouse input, rendering and picture files for the custom control tests.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "support/QtTestApp.h"
#include "ui/controls/ControlNotifier.h"

namespace vestra::test {

// Widget tests need the application object before any widget exists.
class ControlTest : public ::testing::Test {
protected:
    ControlTest() { QtTestApp(); }
};

inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint pos,
                      Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(pos), QPointF(widget.mapToGlobal(pos)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

// Press at from, move through to, release at to.
inline void Drag(QWidget& widget, QPoint from, QPoint to) {
    SendMouse(widget, QEvent::MouseButtonPress, from);
    SendMouse(widget, QEvent::MouseMove, to);
    SendMouse(widget, QEvent::MouseButtonRelease, to);
}

inline QImage Render(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// A picture file of one colour, written into folder.
inline QString WritePicture(const std::filesystem::path& folder, const std::string& name,
                            QSize size, QColor color) {
    QImage picture(size, QImage::Format_ARGB32);
    picture.fill(color);
    const QString path = QString::fromStdString((folder / name).string());
    picture.save(path);
    return path;
}

// Every notification a control raises, in order.
struct NotifyLog {
    explicit NotifyLog(QObject& control) {
        ui::ConnectNotify(&control, [this](QObject*, const QString& type, qintptr w, qintptr l) {
            entries.emplace_back(type, w, l);
        });
    }
    std::vector<QString> Types() const {
        std::vector<QString> types;
        for (const auto& entry : entries) types.push_back(std::get<0>(entry));
        return types;
    }
    std::vector<std::tuple<QString, qintptr, qintptr>> entries;
};

}  // namespace vestra::test
