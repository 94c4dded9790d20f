#include "cli/DeviceSession.h"

#include <string>

#include "hid/InterfaceTable.h"

namespace vestra::cli {

std::optional<SelectedDevice> SelectDeviceOf(const CliContext& context, std::string_view what,
                                             std::initializer_list<hid::DeviceKind> kinds,
                                             int& exitCode) {
    std::optional<SelectedDevice> selected = SelectDevice(context, exitCode);
    if (!selected) return std::nullopt;
    for (hid::DeviceKind kind : kinds) {
        if (selected->kind == kind) return selected;
    }
    std::string served;
    for (hid::DeviceKind kind : kinds) {
        if (!served.empty()) served += kind == *(kinds.end() - 1) ? " and the " : ", the ";
        served += KindWord(kind);
    }
    context.PrintError(std::string(what) + " is available for the " + served +
                       (kinds.size() == 1 ? " only so far" : " only") + ", not for the " +
                       KindWord(selected->kind));
    exitCode = 1;
    return std::nullopt;
}

bool OpenDeviceObject(const CliContext& context, const SelectedDevice& selected,
                      CHalvorinUSBDevice& device) {
    hid::InterfaceEntry identity = selected.entry;
    if (selected.receiver && identity.hasPartner) {
        identity = hid::SupportedInterfaces()[identity.partnerIndex];
    }
    device.SetIdentity(identity);
    return OpenChannel(context, selected, device.Channel());
}

bool ReportWrite(const CliContext& context, std::string_view what, int result,
                 hid::DeviceKind kind) {
    if (result == protocol::RESULT_OK) return true;
    context.PrintError("the profile is saved, but " + std::string(what) +
                       " could not be written to the " + KindWord(kind) + ": " +
                       protocol::ResultText(result));
    return false;
}

}  // namespace vestra::cli
