#include "cli/MouseSession.h"

namespace vestra::cli {

std::unique_ptr<MouseSession> OpenMouse(const CliContext& context, std::string_view what,
                                        int& exitCode) {
    std::optional<SelectedDevice> selected =
        SelectDeviceOf(context, what, {hid::DeviceKind::Mouse}, exitCode);
    if (!selected) return nullptr;
    return OpenMouse(context, *selected, exitCode);
}

std::unique_ptr<MouseSession> OpenMouse(const CliContext& context, const SelectedDevice& selected,
                                        int& exitCode) {
    auto session = std::make_unique<MouseSession>();
    session->selected = selected;
    session->mouse = std::make_unique<CHalvorinMouseDevice>();
    CHalvorinMouseDevice& mouse = *session->mouse;
    if (!OpenDeviceObject(context, selected, mouse)) {
        exitCode = 1;
        return nullptr;
    }
    // Reads the key table, loads the profile and takes the settings the mouse holds into it.
    const int result = mouse.OnConnected();
    // The preview only colours the window's picture of the mouse.
    mouse.StopPreview();
    if (result != protocol::RESULT_OK) {
        context.PrintError("cannot read the mouse: " + std::string(protocol::ResultText(result)));
        exitCode = 1;
        return nullptr;
    }
    return session;
}

}  // namespace vestra::cli
