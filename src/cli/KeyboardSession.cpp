#include "cli/KeyboardSession.h"

namespace vestra::cli {

std::unique_ptr<KeyboardSession> OpenKeyboard(const CliContext& context, std::string_view what,
                                              int& exitCode) {
    std::optional<SelectedDevice> selected =
        SelectDeviceOf(context, what, {hid::DeviceKind::Keyboard}, exitCode);
    if (!selected) return nullptr;
    return OpenKeyboard(context, *selected, exitCode);
}

std::unique_ptr<KeyboardSession> OpenKeyboard(const CliContext& context,
                                              const SelectedDevice& selected, int& exitCode) {
    auto session = std::make_unique<KeyboardSession>();
    session->selected = selected;
    session->keyboard = std::make_unique<CHalvorinKeyboardDevice>();
    CHalvorinKeyboardDevice& keyboard = *session->keyboard;
    if (!OpenDeviceObject(context, selected, keyboard)) {
        exitCode = 1;
        return nullptr;
    }
    const int result = keyboard.ReadKeyTables();
    if (result != protocol::RESULT_OK) {
        context.PrintError("cannot read the keyboard's key table: " +
                           std::string(protocol::ResultText(result)));
        exitCode = 1;
        return nullptr;
    }
    keyboard.LoadProfile();
    keyboard.LoadDeviceConfig();
    return session;
}

}  // namespace vestra::cli
