#include "app/pages/CMpDevicePowerUI.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <array>
#include <cstring>

#include "hid/DeviceKind.h"
#include "ui/Language.h"
#include "ui/LayoutLoader.h"
#include "ui/ResourceIndex.h"

namespace vestra::app {
namespace {

// Bytes of the power block.
constexpr size_t kPercentByte = 0;
constexpr size_t kChargeByte = 1;  // 0 powered, 1 charging, 2 on battery
constexpr size_t kWirelessByte = 3;
constexpr size_t kPhoneByte = 5;  // 1 iPhone, 2 Samsung, 3 other; anything else none

struct PhoneImage {
    const char* textId;
    const char* image;
    const char* english;
};

constexpr std::array<PhoneImage, 4> kPhoneImages = {{
    {"Phone_type_no_device", "file='power/Phone_type_no_device.png'", "No phone on the charger"},
    {"Phone_type_iphone", "file='power/Phone_type_iphone.png'", "iPhone charging"},
    {"Phone_type_samsung", "file='power/Phone_type_samsung.png'", "Samsung phone charging"},
    {"Phone_type_other", "file='power/Phone_type_other.png'", "Phone charging"},
}};

}  // namespace

CMpDevicePowerUI::CMpDevicePowerUI(QWidget* parent) : QWidget(parent) {}

bool CMpDevicePowerUI::Create(const ui::ResourceIndex& resources, const QString& layoutId) {
    if (!ui::LoadLayoutInto(this, resources, layoutId, m_error)) return false;
    m_skinFolder = resources.SkinFolder();
    m_value = findChild<QLabel*>("device_power_value");
    m_wirelessLogo = findChild<QLabel*>("device_wuxian_logo");
    m_status = findChild<QLabel*>("device_power_status");
    m_progress = findChild<QProgressBar*>("device_Power_progress");
    m_phoneType = findChild<QLabel*>("device_phone_type");
    m_powerLayout = findChild<QWidget*>("device_power_Layout");
    return true;
}

void CMpDevicePowerUI::SetKind(int kind, int subType) {
    m_kind = kind;
    m_subType = subType;
}

void CMpDevicePowerUI::ShowPowerLayout(bool shown) {
    if (m_powerLayout) m_powerLayout->setVisible(shown);
}

void CMpDevicePowerUI::SetPowerStatus(const uint8_t* block, size_t length) {
    if (!m_value || !m_wirelessLogo || !m_status || !m_progress || !m_phoneType) return;
    std::array<uint8_t, kBlockSize> bytes{};
    if (block) std::memcpy(bytes.data(), block, std::min(length, kBlockSize));

    const int percent = bytes[kPercentByte];
    // The ring shows what is used up. A percent above 100 would put the value outside the
    // ring's range, which Qt ignores and leaves the old level on screen.
    m_progress->setValue(std::clamp(100 - percent, m_progress->minimum(), m_progress->maximum()));
    m_value->setText(QString("%1%").arg(percent));

    const bool wireless = bytes[kWirelessByte] != 0;
    if (m_kind == static_cast<int>(hid::DeviceKind::Mouse)) m_wirelessLogo->setVisible(wireless);

    switch (bytes[kChargeByte]) {
        case 0:
            m_progress->setVisible(true);
            SetImage(m_status, "file='power/powered.png'");
            break;
        case 1:
            m_progress->setVisible(!wireless);
            SetImage(m_status,
                     wireless ? "file='power/wuxian_powering.png'" : "file='power/powering.png'");
            break;
        case 2:
            m_progress->setVisible(true);
            SetImage(m_status, "file='power/power.png'");
            break;
        default:
            break;
    }

    if (m_kind == static_cast<int>(hid::DeviceKind::MousePad)) {
        const uint8_t phone = bytes[kPhoneByte];
        const PhoneImage& shown = kPhoneImages[phone >= 1 && phone <= 3 ? phone : 0];
        m_phoneType->setProperty("tooltipid", QString(shown.textId));
        m_phoneType->setToolTip(
            ui::TextOr(m_language, shown.textId, QString::fromUtf8(shown.english)));
        SetImage(m_phoneType, shown.image);
    }
}

void CMpDevicePowerUI::SetImage(QLabel* label, const QString& imageString) {
    label->setProperty(kImageProperty, imageString);
    const QPixmap picture = ui::SkinPixmap(m_skinFolder, imageString);
    if (picture.isNull()) {
        label->clear();
    } else {
        label->setPixmap(picture);
    }
}

}  // namespace vestra::app
