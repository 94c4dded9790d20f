#include "app/CMainWnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QShowEvent>
#include <QThread>
#include <QWindow>

#include "app/DeviceStrip.h"
#include "app/SettingsRouting.h"
#include "app/UiScale.h"
#include "app/i18n/LanguageSwitch.h"
#include "app/i18n/StoredLanguage.h"
#include "app/pages/CDeviceOptionUI.h"
#include "app/pages/DevicePage.h"
#include "app/windows/CAboutWnd.h"
#include "app/windows/CSkinFrame.h"
#include "app/windows/SkinBackground.h"
#include "app/windows/SkinNoticeHub.h"
#include "device/model/CHalvorinHS6533Device.h"
#include "device/model/CHalvorinKeyboardDevice.h"
#include "device/model/CHalvorinMouseDevice.h"
#include "device/model/CHalvorinMousePadDevice.h"
#include "device/model/IndexedName.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "ui/MenuBuilder.h"
#include "ui/MenuCommand.h"
#include "ui/ResourceIndex.h"
#include "ui/TrayIcon.h"

namespace vestra::app {
namespace {

constexpr int kTimerDpiFit = 1011;
constexpr int kTimerTrayMenu = 1032;
constexpr int kDpiFitDelayMs = 100;
constexpr int kTrayMenuDelayMs = 10;

// Function tabs of a device page and the page type each selects.
struct FunctionTab {
    const char* name;
    int type;
};
constexpr FunctionTab kFunctionTabs[] = {
    {"key_Op_tab", 1},    {"deng_Op_tab", 2},       {"macro_Op_tab", 3}, {"system_Op_tab", 4},
    {"cursor_Op_tab", 5}, {"6533_voice_Op_tab", 6}, {"magic_Op_tab", 7}, {"Virtual7.1_Op_tab", 8},
};

bool Is(const QString& name, const char* wanted) {
    return name.compare(QLatin1String(wanted), Qt::CaseInsensitive) == 0;
}

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

}  // namespace

CMainWnd::CMainWnd(const ui::ResourceIndex& resources, hid::HidBackend& backend,
                   audio::AudioConfigLibrary* audio)
    : m_resources(resources), m_audio(audio) {
    setWindowTitle(Paths::kAppName);
    DeviceManagerObserver& observer = *this;
    m_manager = std::make_unique<DeviceManager>(
        observer, backend, [this](hid::DeviceKind kind, hid::HidBackend& devices) {
            return MakeDevice(kind, devices);
        });
    m_languages =
        std::make_unique<LanguageSwitch>(resources.SkinFolder(), LanguageList::LoadShipped());
}

CMainWnd::~CMainWnd() {
    SkinNoticeHub::Instance().Unregister(this);
    m_manager->Stop();
    // Device workers may still be reporting: detach every page before the devices go, and the
    // devices (with their threads) before the pages.
    if (m_strip) {
        for (int i = 0; i < m_strip->Count(); ++i) m_strip->At(i).page->Detach();
    }
    m_manager.reset();
}

std::unique_ptr<CHalvorinUSBDevice> CMainWnd::MakeDevice(hid::DeviceKind kind,
                                                         hid::HidBackend& backend) {
    switch (kind) {
        case hid::DeviceKind::Keyboard:
            return std::make_unique<CHalvorinKeyboardDevice>(backend);
        case hid::DeviceKind::Mouse: {
            auto mouse = std::make_unique<CHalvorinMouseDevice>(backend);
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                const QSize size = screen->size();
                mouse->SetScreenSize(static_cast<uint16_t>(size.width()),
                                     static_cast<uint16_t>(size.height()));
            }
            return mouse;
        }
        case hid::DeviceKind::MousePad:
            return std::make_unique<CHalvorinMousePadDevice>(backend);
        case hid::DeviceKind::Headset:
            return std::make_unique<CHalvorinHS6533Device>(backend, m_audio);
    }
    return nullptr;
}

bool CMainWnd::Start() {
    if (m_started) return true;
    if (!Create(m_resources, "XML_MAIN")) return false;
    DebugLog::Write("InitWindow");
    m_strip = new DeviceStrip(*this, m_resources);
    if (!m_strip->Bind()) {
        DebugLog::Write("main layout lacks the device containers");
    }
    m_strip->SetSelectedTabLeaving([this] { CloseChildWindows(); });
    m_strip->SetSyncOffered([this](bool offered) {
        if (offered) return;
        for (CHalvorinUSBDevice* device : m_manager->Devices())
            m_manager->SetSyncMember(*device, false);
    });
    connect(m_strip, &DeviceStrip::LinkStateChanged, this, [this](int index, bool shown) {
        if (shown) {
            m_strip->ShowTab(index, true, m_strip->VisibleCount() == 0);
        } else {
            m_strip->HideTab(index);
        }
    });

    SkinNoticeHub::Instance().Register(this);
    if (std::optional<SkinChangedParam> skin = RestoreSkin()) OnSkinChanged(*skin);

    const QIcon icon(m_resources.SkinFolder() + "/common/logo.png");
    setWindowIcon(icon);
    m_tray = new ui::TrayIcon(this);
    m_tray->Create(icon, Paths::kAppName);

    // "windowinit": language, the pages every window has, the device threads.
    SwitchLanguage(InitialLanguage(m_languages->List(), m_languages->Store(), QLocale::system()));
    m_manager->CreateInitialDevices();
    for (CHalvorinUSBDevice* device : m_manager->Devices()) BuildDeviceUi(*device);
    m_strip->UpdateNoDeviceNotice();
    ShowLightOwnerText();
    m_manager->SetEventsQueuedCallback([this] {
        QMetaObject::invokeMethod(
            this, [this] { m_manager->ProcessEvents(); }, Qt::QueuedConnection);
    });
    hide();
    m_manager->Start();
    SetTimer(this, kTimerDpiFit, kDpiFitDelayMs);
    m_started = true;
    return true;
}

void CMainWnd::BuildDeviceUi(CHalvorinUSBDevice& device) {
    if (m_strip->IndexOf(device) >= 0) return;
    const DeviceStrip::Entry* entry = m_strip->CreateDeviceUi(device);
    if (!entry) return;
    entry->tab->SetLanguage(&m_languages->Language());
    entry->power->SetLanguage(&m_languages->Language());
    entry->page->SetLanguage(&m_languages->Language());
    // The tab shows the kind's name in the current language.
    if (QWidget* name = FindSubControlByName(entry->tab, "device_select_name"))
        name->setProperty("textid", entry->tab->IconPrefix() + "_device_name_text");
    for (QWidget* part : {static_cast<QWidget*>(entry->tab), static_cast<QWidget*>(entry->page),
                          static_cast<QWidget*>(entry->power)}) {
        m_languages->ApplyTo(part);
        ScaleWidgetSizes(part, double(m_dpi) / kDpiNormal);
    }
    device.RefreshPanels();
}

// --- Devices coming and going. ---

void CMainWnd::OnFirstPassDone() {
    m_firstPassDone = true;
    if (m_startInTray) {
        m_strip->UpdateNoDeviceNotice();
        DebugLog::Write("started in the tray");
    } else {
        RestoreAndRaise();
    }
    emit FirstPassDone();
}

void CMainWnd::OnDeviceAdded(CHalvorinUSBDevice& device) {
    static const char* const kAdded[] = {"", "添加一个键盘设备", "添加一个鼠标设备",
                                         "添加一个鼠标垫设备"};
    if (device.Kind() >= 1 && device.Kind() <= 3) DebugLog::Write(kAdded[device.Kind()]);
    BuildDeviceUi(device);
}

void CMainWnd::OnDeviceAttached(CHalvorinUSBDevice& device, DeviceLink /*link*/) {
    const int index = m_strip->IndexOf(device);
    if (index < 0) return;
    m_strip->At(index).tab->StartConnect();
    if (m_firstPassDone) RestoreAndRaise();
}

void CMainWnd::OnDeviceRemoved(CHalvorinUSBDevice& device) {
    if (device.Kind() == static_cast<int>(hid::DeviceKind::Mouse)) DebugLog::Write("鼠标设备丢失");
    if (device.Kind() == static_cast<int>(hid::DeviceKind::Keyboard))
        DebugLog::Write("键盘设备丢失");
}

void CMainWnd::OnLinkChanged(CHalvorinUSBDevice& device, DeviceLink link) {
    const int index = m_strip->IndexOf(device);
    if (index < 0) return;
    if (link == DeviceLink::Receiver) {
        m_strip->At(index).tab->StartLinkPoll(DeviceManager::kLinkPollMs);
    } else {
        m_strip->At(index).tab->StartConnect();
    }
}

void CMainWnd::OnShowTab(CHalvorinUSBDevice& device) {
    m_strip->ShowTab(m_strip->IndexOf(device), true, m_strip->VisibleCount() == 0);
}

void CMainWnd::OnHideTab(CHalvorinUSBDevice& device) {
    m_strip->HideTab(m_strip->IndexOf(device));
}

// --- Window behaviour. ---

int CMainWnd::ChooseDpi(const QSize& monitor) {
    return monitor.width() > 1500 && monitor.height() > 960 ? kDpiLarge : kDpiNormal;
}

void CMainWnd::DpiFit() {
    const bool wasVisible = isVisible();
    const QScreen* screen =
        windowHandle() ? windowHandle()->screen() : QGuiApplication::primaryScreen();
    const int dpi = screen ? ChooseDpi(screen->geometry().size()) : kDpiNormal;
    if (dpi != m_dpi) {
        m_dpi = dpi;
        m_languages->SetDpi(m_dpi);
        m_languages->ApplyTo(this);
        // Text, paddings and radii of the skin grow with the window.
        if (auto* application = qobject_cast<QApplication*>(QCoreApplication::instance())) {
            if (m_baseStyleSheet.isNull()) m_baseStyleSheet = application->styleSheet();
            application->setStyleSheet(
                ScaleStyleSheet(m_baseStyleSheet, double(m_dpi) / kDpiNormal));
        }
        ScaleWidgetSizes(this, double(m_dpi) / kDpiNormal);
    }
    resize(kWidth * m_dpi / kDpiNormal, kHeight * m_dpi / kDpiNormal);
    CenterWindow();
    setVisible(wasVisible);
}

void CMainWnd::RestoreAndRaise() {
    m_strip->UpdateNoDeviceNotice();
    if (isMinimized()) showNormal();
    show();
    raise();
    activateWindow();
}

void CMainWnd::HideToTray() {
    CloseChildWindows();
    // Without a tray (some desktops have none) a hidden window could only come back by starting
    // the program again: it goes to the task bar instead.
    if (m_tray && m_tray->IsShown()) {
        hide();
    } else {
        showMinimized();
    }
}

void CMainWnd::ToggleFromTray() {
    m_strip->UpdateNoDeviceNotice();
    CloseChildWindows();
    if (isVisible() && !isMinimized()) {
        hide();
        return;
    }
    DpiFit();
    RestoreAndRaise();
}

void CMainWnd::CloseChildWindows() {
    if (m_skinFrame) m_skinFrame->close();
}

void CMainWnd::closeEvent(QCloseEvent* event) {
    // Closing the window keeps the program in the tray; "exit" in the tray menu ends it.
    event->ignore();
    HideToTray();
}

void CMainWnd::showEvent(QShowEvent* event) {
    ui::WindowBase::showEvent(event);
    if (!m_shownOnce) DebugLog::Write("main window shown");
    m_shownOnce = true;
}

void CMainWnd::SwitchLanguage(int index) {
    if (!m_languages->Apply(index, m_dpi)) return;
    m_languages->ApplyTo(this);
    ShowLightOwnerText();
    // Texts the pages make from device state (mode names, key functions) follow the language.
    for (CHalvorinUSBDevice* device : m_manager->Devices()) device->RefreshPanels();
}

void CMainWnd::ShowLightOwnerText() {
    auto* button = qobject_cast<QAbstractButton*>(FindControl("control_light_status"));
    if (!button) return;
    const QString id = m_lightOwner ? "light_control_on_text" : "light_control_off_text";
    button->setText(
        ui::TextOr(&m_languages->Language(), id, m_lightOwner ? "控制灯光" : "不控制灯光"));
    button->setProperty("textid", id);
    button->setProperty("checked_state", m_lightOwner);
}

void CMainWnd::SetLightOwner(bool owner) {
    m_lightOwner = owner;
    ShowLightOwnerText();
    for (CHalvorinUSBDevice* device : m_manager->Devices()) device->SetHostLightControl(owner);
}

void CMainWnd::ToggleLightOwner() {
    SetLightOwner(!m_lightOwner);
}

void CMainWnd::OnSkinChanged(const SkinChangedParam& param) {
    if (QWidget* root = FindControl("root")) ApplySkin(root, param, m_resources.SkinFolder());
}

WindowContext CMainWnd::Context() const {
    return WindowContext{&m_resources, &m_languages->Language()};
}

void CMainWnd::OpenSkinFrame() {
    if (m_skinFrame) return;
    QWidget* anchor = FindControl("skinbtn");
    m_skinFrame = CSkinFrame::Open(Context(), anchor ? anchor : this);
}

void CMainWnd::OpenDesktopSettings(const QString& page) {
    // The desktop's own keyboard or mouse settings, whichever desktop provides them.
    const QList<QStringList> commands = {
        {"gnome-control-center", page},
        {"systemsettings", page == "mouse" ? "kcm_mouse" : "kcm_keyboard"},
        {"xfce4-" + page + "-settings"},
    };
    for (const QStringList& command : commands) {
        if (QProcess::startDetached(command.first(), command.mid(1))) return;
    }
    DebugLog::Write("no desktop settings program for the " + Utf8(page));
}

// --- Routing. ---

void CMainWnd::Notify(const ui::Notification& notification) {
    const QString name = notification.sender ? notification.sender->objectName() : QString();
    if (notification.type != "timer") DebugLog::Write(Utf8(notification.type + " " + name));
    if (notification.type == "timer") {
        if (notification.sender == this) OnTimer(static_cast<int>(notification.wParam));
    } else if (notification.type == "click") {
        OnClick(notification, name);
    } else if (notification.type == "selectchanged") {
        OnSelectChanged(notification, name);
    }
    if (notification.type == ui::kNotifySelectChanged ||
        notification.type == ui::kNotifyValueChanged || notification.type == ui::kNotifyKillFocus ||
        notification.type == ui::kNotifyItemSelect || notification.type == "click") {
        if (CHalvorinUSBDevice* device = m_strip->CurrentDevice())
            RouteDeviceSetting(*device, notification);
    }
}

void CMainWnd::OnClick(const ui::Notification& /*notification*/, const QString& name) {
    if (Is(name, "closebtn")) {
        HideToTray();
    } else if (Is(name, "nodevice_ok_btn")) {
        hide();
    } else if (Is(name, "minbtn")) {
        showMinimized();
    } else if (Is(name, "maxbtn")) {
        showMaximized();
    } else if (Is(name, "restorebtn")) {
        showNormal();
    } else if (Is(name, "skinbtn")) {
        OpenSkinFrame();
    } else if (Is(name, "control_light_status")) {
        ToggleLightOwner();
    } else if (Is(name, "device_select_prev")) {
        m_strip->SelectNeighbour(-1);
    } else if (Is(name, "device_select_next")) {
        m_strip->SelectNeighbour(1);
    } else if (name == "windowdeviceset_0" || name == "windowdeviceset_1") {
        OpenDesktopSettings(name.endsWith('0') ? "keyboard" : "mouse");
    } else if (name.startsWith("key_") && name.count('_') == 1) {
        // "key_" with no number names key 0.
        const std::optional<IndexedName> key = SplitIndexedName(Utf8(name));
        const int index = key ? key->index : 0;
        if (const int current = m_strip->CurrentIndex(); current >= 0) {
            m_strip->At(current).device->SelectKey(index);
            m_strip->At(current).page->ShowSelectedKey(index);
        }
    }
}

void CMainWnd::OnSelectChanged(const ui::Notification& notification, const QString& name) {
    if (notification.wParam == 0) return;  // only the option that became checked
    if (name == "device_select") {
        const int index = m_strip->IndexOfTabHolding(notification.sender);
        if (index >= 0) m_strip->OnTabSelected(m_strip->At(index).tab);
        return;
    }
    for (const FunctionTab& tab : kFunctionTabs) {
        if (name == tab.name) {
            if (CHalvorinUSBDevice* device = m_strip->CurrentDevice())
                device->ShowFunctionPage(tab.type);
            return;
        }
    }
}

void CMainWnd::OnTimer(int id) {
    KillTimer(this, id);
    if (id == kTimerDpiFit) {
        DpiFit();
        update();
    } else if (id == kTimerTrayMenu) {
        QString error;
        QMenu* menu = ui::MenuBuilder::Build(m_resources.Resolve("menu.xml"), this, &error,
                                             &m_languages->Language());
        if (!menu) {
            DebugLog::Write("tray menu: " + Utf8(error));
            return;
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(QCursor::pos());
    }
}

void CMainWnd::OnMenuCommand(const ui::MenuCommand& command) {
    if (command.name == "exit") {
        CloseChildWindows();
        // exit, not quit: quit first asks every window to close, and this one only hides.
        QCoreApplication::exit(0);
    } else if (command.name == "about_menu") {
        CAboutWnd::ShowAbout(Context(), this);
    }
}

void CMainWnd::OnTrayEvent(QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) {
        ToggleFromTray();
    } else if (reason == QSystemTrayIcon::Context) {
        SetTimer(this, kTimerTrayMenu, kTrayMenuDelayMs);
    }
}

}  // namespace vestra::app
