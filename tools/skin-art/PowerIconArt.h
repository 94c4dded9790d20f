// Draws the 24 x 24 battery and phone icons of a device's power display.
#pragma once

#include <QImage>

namespace vestra::skinart {

enum class PowerIcon {
    kOnBattery,         // powered.png: running on the battery (the level bar covers the empty part)
    kWirelessCharging,  // wuxian_powering.png: charging on the pad, no level shown
    kCharging,          // powering.png: charging by cable
    kCharged,           // power.png: charging finished
};

enum class PhoneIcon { kIphone, kSamsung, kOther, kNoDevice };

inline constexpr QSize kPowerIconSize{24, 24};

QImage DrawPowerIcon(PowerIcon icon);
QImage DrawPhoneIcon(PhoneIcon icon);

}  // namespace vestra::skinart
