// The small skin under tests/ui/skin and a window that records what it is told.
#pragma once

#include <QString>
#include <cstdlib>
#include <vector>

#include "ui/MenuCommand.h"
#include "ui/WindowBase.h"

namespace vestra::test {

inline QString TestSkinFolder() {
    const char* source = std::getenv("VESTRA_SOURCE_DIR");
    return QString::fromUtf8(source ? source : ".") + "/tests/ui/skin";
}

class RecordingWindow : public ui::WindowBase {
public:
    std::vector<ui::Notification> notifications;
    std::vector<ui::MenuCommand> commands;
    int initCalls = 0;

    // The notifications of one type, in order.
    std::vector<ui::Notification> OfType(const QString& type) const {
        std::vector<ui::Notification> found;
        for (const auto& n : notifications) {
            if (n.type == type) found.push_back(n);
        }
        return found;
    }

    void OnMenuCommand(const ui::MenuCommand& command) override { commands.push_back(command); }

protected:
    void InitWindow() override { ++initCalls; }
    void Notify(const ui::Notification& notification) override {
        notifications.push_back(notification);
    }
};

}  // namespace vestra::test
