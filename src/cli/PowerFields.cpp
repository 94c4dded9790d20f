#include "cli/PowerFields.h"

#include <string>

#include "cli/DeviceSelection.h"

namespace vestra::cli {
namespace {

using protocol::PhoneType;
using protocol::PowerState;
using protocol::PowerStatus;

std::string PowerStateText(uint8_t state) {
    switch (state) {
        case static_cast<uint8_t>(PowerState::Powered):
            return "powered";
        case static_cast<uint8_t>(PowerState::Charging):
            return "charging";
        case static_cast<uint8_t>(PowerState::OnBattery):
            return "on battery";
        default:
            return "unknown (" + std::to_string(state) + ")";
    }
}

std::string PhoneText(PhoneType phone) {
    switch (phone) {
        case PhoneType::IPhone:
            return "iPhone";
        case PhoneType::Samsung:
            return "Samsung";
        case PhoneType::Other:
            return "other";
        case PhoneType::None:
            break;
    }
    return "none";
}

}  // namespace

RecordFields PowerFields(const PowerStatus& power) {
    RecordFields fields;
    fields.Add("batteryPercent", "battery", power.batteryPercent,
               std::to_string(power.batteryPercent) + " %");
    fields.Add("powerState", "state", power.powerState, PowerStateText(power.powerState));
    fields.Add("wireless", "link", power.wireless, power.wireless ? "receiver" : "cable");
    fields.Add("phoneType", "phone", power.phoneType, PhoneText(power.Phone()));
    fields.Add("raw", "raw", HexText(power.Bytes()));
    return fields;
}

}  // namespace vestra::cli
