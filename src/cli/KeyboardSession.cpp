#include "cli/KeyboardSession.h"

#include "hid/InterfaceTable.h"

namespace vestra::cli {

std::unique_ptr<KeyboardSession> OpenKeyboard(const CliContext& context, std::string_view what,
                                              int& exitCode) {
    std::optional<SelectedDevice> selected = SelectDevice(context, exitCode);
    if (!selected) return nullptr;
    if (selected->kind != hid::DeviceKind::Keyboard) {
        context.PrintError(std::string(what) +
                           " is available for the keyboard only so far, not for the " +
                           KindWord(selected->kind));
        exitCode = 1;
        return nullptr;
    }
    auto session = std::make_unique<KeyboardSession>();
    session->selected = *selected;
    session->keyboard = std::make_unique<CHalvorinKeyboardDevice>();
    CHalvorinKeyboardDevice& keyboard = *session->keyboard;
    // The device is known by its cable entry, also when it is reached through its receiver.
    hid::InterfaceEntry identity = selected->entry;
    if (selected->receiver && identity.hasPartner) {
        identity = hid::SupportedInterfaces()[identity.partnerIndex];
    }
    keyboard.SetIdentity(identity);
    if (!OpenChannel(context, *selected, keyboard.Channel())) {
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

bool ReportWrite(const CliContext& context, std::string_view what, int result) {
    if (result == protocol::RESULT_OK) return true;
    context.PrintError("the profile is saved, but " + std::string(what) +
                       " could not be written to the keyboard: " + protocol::ResultText(result));
    return false;
}

}  // namespace vestra::cli
