#include "app/pages/DevicePage.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstring>
#include <map>

#include "app/pages/CMpDevicePowerUI.h"
#include "app/pages/DevicePicture.h"
#include "app/pages/PictureBuilder.h"
#include "device/model/CHalvorinKeyboardDevice.h"
#include "device/model/CHalvorinMouseDevice.h"
#include "device/model/CHalvorinUSBDevice.h"
#include "device/model/IndexedName.h"
#include "device/model/MouseDpi.h"
#include "ui/Language.h"
#include "ui/LayoutLoader.h"
#include "ui/controls/CDeviceKeyButtonUI.h"
#include "ui/controls/CSelectPanelUI.h"

namespace vestra::app {
namespace {

using ui::CDeviceKeyButtonUI;

constexpr quint32 kWhiteTint = 0xFFFFFF;
constexpr int kFullBrightness = 255;
// Properties of a function tab button: the pages of the two tab controls it shows.
constexpr char kFunctionPageProperty[] = "functionpage";
constexpr char kKeyFunctionPageProperty[] = "keyfunctionpage";
constexpr int kKeyboardPollingOptions = 4;
constexpr int kRepeatDelayChoices = 4;
constexpr int kRepeatDelayStepMs = 250;
constexpr int kDpiStages = 4;

QString SelectPanelName(int kind) {
    switch (static_cast<hid::DeviceKind>(kind)) {
        case hid::DeviceKind::Keyboard:
            return "device_key_light";
        case hid::DeviceKind::Mouse:
            return "mouse_device_key_light";
        case hid::DeviceKind::MousePad:
            return "mousepad_device_key_light";
        case hid::DeviceKind::Headset:
            return "hs6533_device_key_light";
    }
    return {};
}

template <typename Control>
Control* Find(QWidget* root, const QString& name) {
    return root ? root->findChild<Control*>(name) : nullptr;
}

// Sets a control from the device state without raising its notifications: the main window
// would take them for the user's edits and write them back to the device.
void SetChecked(QWidget* root, const QString& name, bool checked) {
    if (auto* button = Find<QAbstractButton>(root, name)) {
        const QSignalBlocker block(button);
        button->setChecked(checked);
    }
}

void SetSliderValue(QWidget* root, const QString& name, int value) {
    if (auto* slider = Find<QAbstractSlider>(root, name)) {
        const QSignalBlocker block(slider);
        slider->setValue(value);
    }
}

// One option of a numbered family checked: the chosen one, or option 0 when it is out of range.
void CheckOneOf(QWidget* root, const QString& prefix, int count, int chosen) {
    if (chosen < 0 || chosen >= count) chosen = 0;
    for (int i = 0; i < count; ++i) SetChecked(root, prefix + QString::number(i), i == chosen);
}

bool IsDefaultAssignment(const KeyAssignmentPair& key) {
    return std::memcmp(key.current.code, key.defaults.code, sizeof key.current.code) == 0;
}

}  // namespace

DevicePage::DevicePage(CHalvorinUSBDevice& device, QWidget* parent)
    : QWidget(parent), m_device(device) {}

DevicePage::~DevicePage() {
    Detach();
}

void DevicePage::Detach() {
    if (m_attached) m_device.AttachView(nullptr);
    m_attached = false;
}

template <typename Work>
void DevicePage::OnPageThread(Work work) {
    if (QThread::currentThread() == thread()) {
        work();
    } else {
        // Queued calls whose receiver is gone are dropped by Qt.
        QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
    }
}

bool DevicePage::Create(const ui::ResourceIndex& resources, const QString& layoutId) {
    m_content = ui::LoadLayoutInto(this, resources, layoutId, m_error);
    if (!m_content) return false;
    m_selectPanel = Find<QWidget>(m_content, SelectPanelName(m_device.Kind()));
    if (!m_selectPanel) m_selectPanel = m_content->findChild<ui::CSelectPanelUI*>();
    if (m_selectPanel) {
        if (const std::optional<hid::DeviceKind> kind =
                hid::KindOf(static_cast<hid::ProductCode>(m_device.Kind()))) {
            m_picture = BuildDevicePicture(*kind, m_selectPanel);
        }
        BindButtons(m_selectPanel);
    }
    ConnectFunctionTabs();
    m_device.AttachView(this);
    m_attached = true;
    return true;
}

void DevicePage::BindButtons(QWidget* panel) {
    m_keyButtons.assign(static_cast<size_t>(std::max(0, m_device.KeyButtonCount())), nullptr);
    m_lightButtons.assign(static_cast<size_t>(std::max(0, m_device.LightButtonCount())), nullptr);
    const bool mouse = m_device.Kind() == static_cast<int>(hid::DeviceKind::Mouse);
    std::map<int, CDeviceKeyButtonUI*> mouseLeds;
    CDeviceKeyButtonUI* logo = nullptr;

    for (CDeviceKeyButtonUI* button :
         panel->findChildren<CDeviceKeyButtonUI*>(QString(), Qt::FindDirectChildrenOnly)) {
        const std::string name = button->objectName().toStdString();
        if (auto n = BoundButtonIndex(name, "key_", KeyButtonCount())) m_keyButtons[*n] = button;
        const std::string userData = button->property("userdata").toString().toStdString();
        if (auto n = BoundButtonIndex(userData, "light_", LightButtonCount())) {
            m_lightButtons[*n] = button;
        }
        if (mouse) {
            // The mouse's LEDs are named rather than numbered by user data.
            const std::optional<IndexedName> led = SplitIndexedName(name);
            if (led && led->prefix == "light_0_" && led->index >= 0) mouseLeds[led->index] = button;
            if (name == "logo") logo = button;
        }
    }
    if (mouse) {
        m_lightButtons.clear();
        for (const auto& [index, led] : mouseLeds) m_lightButtons.push_back(led);
        if (logo) m_lightButtons.push_back(logo);
        if (auto* mouseDevice = dynamic_cast<CHalvorinMouseDevice*>(&m_device)) {
            mouseDevice->SetPreviewLightCount(m_lightButtons.size());
        }
    }
    for (CDeviceKeyButtonUI* light : m_lightButtons) {
        if (light) light->SetLightTint(kWhiteTint, kFullBrightness, ui::TintSwitch::kOn);
    }
}

CDeviceKeyButtonUI* DevicePage::KeyButton(int n) const {
    return n >= 0 && n < KeyButtonCount() ? m_keyButtons[n] : nullptr;
}

CDeviceKeyButtonUI* DevicePage::LightButton(int n) const {
    return n >= 0 && n < LightButtonCount() ? m_lightButtons[n] : nullptr;
}

QWidget* DevicePage::IconControl() const {
    return m_selectPanel;
}

QString DevicePage::Text(const QString& id, const char* english) const {
    return ui::TextOr(m_language, id, QString::fromUtf8(english));
}

void DevicePage::ConnectFunctionTabs() {
    auto* functions = Find<QStackedWidget>(m_content, "device_function_switch");
    auto* keyFunctions = Find<QStackedWidget>(m_content, "device_key_function_switch");
    for (QAbstractButton* tab : m_content->findChildren<QAbstractButton*>()) {
        const QVariant page = tab->property(kFunctionPageProperty);
        if (!page.isValid()) continue;
        const QVariant keyPage = tab->property(kKeyFunctionPageProperty);
        connect(tab, &QAbstractButton::toggled, this, [=](bool checked) {
            if (!checked) return;
            if (functions) functions->setCurrentIndex(page.toInt());
            if (keyFunctions && keyPage.isValid()) keyFunctions->setCurrentIndex(keyPage.toInt());
        });
    }
}

void DevicePage::ShowFunctionPages(FunctionPages pages) {
    OnPageThread([this, pages] {
        auto* functions = Find<QStackedWidget>(m_content, "device_function_switch");
        auto* keyFunctions = Find<QStackedWidget>(m_content, "device_key_function_switch");
        if (functions && pages.functionSwitch >= 0 && pages.functionSwitch < functions->count()) {
            functions->setCurrentIndex(pages.functionSwitch);
        }
        if (keyFunctions && pages.keyFunctionSwitch >= 0 &&
            pages.keyFunctionSwitch < keyFunctions->count()) {
            keyFunctions->setCurrentIndex(pages.keyFunctionSwitch);
        }
        // The tab column follows: the tab showing exactly these pages is checked.
        const int shownKeyPage = keyFunctions ? keyFunctions->currentIndex() : -1;
        for (QAbstractButton* tab : m_content->findChildren<QAbstractButton*>()) {
            const QVariant page = tab->property(kFunctionPageProperty);
            if (!page.isValid() || !functions || page.toInt() != functions->currentIndex())
                continue;
            const QVariant keyPage = tab->property(kKeyFunctionPageProperty);
            if (keyPage.isValid() && keyPage.toInt() != shownKeyPage) continue;
            const QSignalBlocker block(tab);
            tab->setChecked(true);
        }
    });
}

void DevicePage::ShowKeyColours(std::span<const protocol::KeyColour> colours) {
    {
        std::lock_guard lock(m_colourLock);
        m_pendingColours.assign(colours.begin(), colours.end());
    }
    if (QThread::currentThread() == thread()) {
        ApplyPendingColours();
        return;
    }
    // One queued call at a time: a busy page skips to the newest frame instead of falling
    // behind the lighting thread.
    // A page nobody sees keeps the frame for when it is shown, without waking its thread.
    if (!m_shown) return;
    if (m_coloursPosted.exchange(true)) return;
    QMetaObject::invokeMethod(
        this, [this] { ApplyColoursWhenDue(); }, Qt::QueuedConnection);
}

void DevicePage::ApplyColoursWhenDue() {
    // Effects step up to 60 times a second; the picture follows at most every kColourFrameMs,
    // which looks the same and costs a fraction of the painting.
    // A page nobody sees keeps the newest frame for when it is shown.
    if (!isVisible()) {
        m_coloursPosted = false;
        return;
    }
    const qint64 wait = m_sinceColours.isValid() ? kColourFrameMs - m_sinceColours.elapsed() : 0;
    if (wait > 0) {
        QTimer::singleShot(static_cast<int>(wait), this, [this] { ApplyColoursWhenDue(); });
        return;
    }
    m_coloursPosted = false;
    ApplyPendingColours();
    m_sinceColours.start();
}

void DevicePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_shown = true;
    ApplyPendingColours();
}

void DevicePage::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_shown = false;
}

void DevicePage::ApplyPendingColours() {
    std::vector<protocol::KeyColour> colours;
    {
        std::lock_guard lock(m_colourLock);
        colours.swap(m_pendingColours);
    }
    const size_t count = std::min(colours.size(), m_lightButtons.size());
    for (size_t i = 0; i < count; ++i) {
        CDeviceKeyButtonUI* light = m_lightButtons[i];
        if (!light) continue;
        const quint32 tint = CHalvorinUSBDevice::ButtonTint(colours[i]);
        // Steady effects send the same frame again and again; only changed lights repaint.
        if (light->LightTint() == tint && light->LightAlpha() == colours[i].brightness &&
            light->LightTintSwitch() == ui::TintSwitch::kOn) {
            continue;
        }
        light->SetLightTint(tint, colours[i].brightness, ui::TintSwitch::kOn);
        light->update();
    }
}

void DevicePage::ShowPowerStatus(const protocol::PowerStatus& status) {
    OnPageThread([this, status] {
        if (m_powerDisplay) m_powerDisplay->SetPowerStatus(status.Bytes().data(), sizeof status);
        emit PowerStatusShown(status.windowParam);
    });
}

void DevicePage::ShowSelectedKey(int key) {
    OnPageThread([this, key] { emit SelectedKeyShown(key); });
}

void DevicePage::ScheduleSettingsRead(int delayMs) {
    OnPageThread([this, delayMs] {
        QTimer::singleShot(std::max(0, delayMs), this,
                           [this] { m_device.ReadSettingsFromDevice(); });
    });
}

void DevicePage::RefreshPanels() {
    OnPageThread([this] {
        if (!m_content) return;
        RefreshLightModeName();
        if (m_device.Kind() == static_cast<int>(hid::DeviceKind::Keyboard)) RefreshKeyboard();
        if (m_device.Kind() == static_cast<int>(hid::DeviceKind::Mouse)) RefreshMouse();
    });
}

void DevicePage::RefreshLightModeName() {
    auto* label = Find<QLabel>(m_content, "light_mode_name_label");
    if (!label) return;
    const std::vector<std::string>& names = m_device.Modes().Names();
    const size_t mode = m_device.LightInfo().selectItem;
    label->setText(mode < names.size() ? QString::fromStdString(names[mode]) : QString());
}

void DevicePage::RefreshKeyboard() {
    auto* keyboard = dynamic_cast<CHalvorinKeyboardDevice*>(&m_device);
    if (!keyboard) return;
    const KeyboardSystemSettings system = keyboard->SystemSettings();
    CheckOneOf(m_content, "polling_rate_option_", kKeyboardPollingOptions, system.pollingRate);
    SetChecked(m_content, "winlockflag_option", system.winFlag != 0);
    SetChecked(m_content, "wflag_option", system.wFlag != 0);
    SetChecked(m_content, "6flag_option", system.key6Flag != 0);
    SetSliderValue(m_content, "repeat_rate_slider", system.repeat);

    int delay = system.repeatDelay;
    if (delay < 0 || delay >= kRepeatDelayChoices) delay = 0;
    CheckOneOf(m_content, "repeat_delay_check_", kRepeatDelayChoices, delay);
    if (auto* label = Find<QLabel>(m_content, "repeat_delay_time_label1")) {
        label->setText(Text("Repeat_Delay_Time", "Repeat delay: ") +
                       QString::number(kRepeatDelayStepMs * (delay + 1)) + "ms");
    }
    if (auto* edit = Find<QLineEdit>(m_content, "repeat_input_richedit")) {
        const QSignalBlocker block(edit);
        edit->clear();
        edit->setPlaceholderText(Text("Repeat_input_text", "Hold a key here to try the repeat"));
    }

    // Keys whose assignment differs from the factory one carry the key-set mark.
    const std::vector<KeyAssignmentPair>& keys = keyboard->KeyList();
    for (size_t n = 0; n < keys.size() && n < m_keyButtons.size(); ++n) {
        if (m_keyButtons[n]) m_keyButtons[n]->SetKeySetHidden(IsDefaultAssignment(keys[n]));
    }
}

void DevicePage::RefreshMouse() {
    auto* mouse = dynamic_cast<CHalvorinMouseDevice*>(&m_device);
    if (!mouse) return;
    const DpiScale scale = mouse->Scale();
    const std::vector<DpiStage> stages = mouse->Stages();
    const int selected = mouse->SelectedStage();
    for (int n = 0; n < kDpiStages && n < static_cast<int>(stages.size()); ++n) {
        const DpiStage& stage = stages[n];
        const QString suffix = QString::number(n);
        if (auto* slider = Find<QAbstractSlider>(m_content, "DPI_slider_" + suffix)) {
            const QSignalBlocker block(slider);
            slider->setRange(0, scale.sliderMax);
            slider->setValue(DpiToSlider(stage.DpiX(), scale));
        }
        if (auto* edit = Find<QLineEdit>(m_content, "DPI_edit_" + suffix)) {
            const QSignalBlocker block(edit);
            edit->setText(QString::fromStdString(StageEditText(stage.DpiX(), scale)));
        }
        SetChecked(m_content, "DPI_enable_check_" + suffix, stage.active != 0);
        SetChecked(m_content, "DPI_select_check_" + suffix, n == selected);
        if (auto* row = Find<QWidget>(m_content, "DPI_layout_" + suffix)) {
            row->setEnabled(stage.active != 0);
        }
        if (auto* swatch = Find<QWidget>(m_content, "DPI_color_option_" + suffix)) {
            swatch->setStyleSheet(QString("background-color: rgb(%1, %2, %3);")
                                      .arg(stage.colorRed)
                                      .arg(stage.colorGreen)
                                      .arg(stage.colorBlue));
        }
    }
    CheckOneOf(m_content, "polling_rate_option_", kMousePollingOptions, mouse->PollingIndex());
    if (auto* combo = Find<QComboBox>(m_content, "sencer_height_comboselect")) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(SensorHeightItem(mouse->SensorHeight()));
    }

    const MouseSystemSettings pointer = mouse->PointerSettings();
    SetSliderValue(m_content, "pointer_speed_slider", pointer.mouseSpeed);
    SetSliderValue(m_content, "scroll_speed_slider", pointer.wheelScrollLines);
    SetSliderValue(m_content, "double_click_slider", pointer.doubleClickTime);
    SetChecked(m_content, "pointer_precision_check", pointer.pointerPrecision != 0);
    SetChecked(m_content, "scrolls_page_check", pointer.scrollPage != 0);

    const std::vector<KeyAssignmentPair>& keys = mouse->KeyList();
    for (size_t n = 0; n < keys.size() && n < m_keyButtons.size(); ++n) {
        if (m_keyButtons[n]) m_keyButtons[n]->SetKeySetHidden(IsDefaultAssignment(keys[n]));
    }
}

}  // namespace vestra::app
