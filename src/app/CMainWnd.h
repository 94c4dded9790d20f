// The main window: device tabs and pages over the device manager, the caption and tray, the
// routing of every control's notification to the device or window that owns it.
#pragma once

#include <QPointer>
#include <memory>

#include "app/windows/SkinNoticeHub.h"
#include "app/windows/WindowContext.h"
#include "device/model/DeviceManager.h"
#include "ui/WindowBase.h"

namespace vestra::audio {
class AudioConfigLibrary;
}
namespace vestra::hid {
class HidBackend;
}
namespace vestra::ui {
class ResourceIndex;
class TrayIcon;
}  // namespace vestra::ui

namespace vestra::app {

class DeviceStrip;
class LanguageSwitch;

class CMainWnd : public ui::WindowBase, private DeviceManagerObserver, private SkinNoticeReceiver {
    Q_OBJECT
public:
    static constexpr int kDpiNormal = 96;
    static constexpr int kDpiLarge = 144;
    static constexpr int kWidth = 1000;
    static constexpr int kHeight = 640;

    // Devices use backend; the headset's audio half uses audio (may be null: none).
    CMainWnd(const ui::ResourceIndex& resources, hid::HidBackend& backend,
             audio::AudioConfigLibrary* audio);
    // Stops the device threads before any page goes.
    ~CMainWnd() override;

    // Builds the window from "XML_MAIN" and starts it as the window's initialisation does:
    // language, the mouse and keyboard pages, the device threads. The window stays hidden until
    // the first discovery pass is done. False with Error() when the layout cannot be built.
    bool Start();
    // The first discovery pass does not show the window (it starts in the tray).
    void SetStartInTray(bool inTray) { m_startInTray = inTray; }

    DeviceManager& Manager() { return *m_manager; }
    DeviceStrip& Strip() { return *m_strip; }
    LanguageSwitch& Languages() { return *m_languages; }
    bool IsFirstPassDone() const { return m_firstPassDone; }
    bool IsLightOwner() const { return m_lightOwner; }
    int Dpi() const { return m_dpi; }

    // The UI scale for a monitor: large only when it is wider than 1500 and taller than 960.
    static int ChooseDpi(const QSize& monitor);
    void DpiFit();

    // Shows the window (with the "no device" notice when no tab is visible) and raises it.
    void RestoreAndRaise();
    // The tray icon's left click: hide a shown window, show a hidden one.
    void ToggleFromTray();
    void SwitchLanguage(int index);

    void OnMenuCommand(const ui::MenuCommand& command) override;
    void OnTrayEvent(QSystemTrayIcon::ActivationReason reason) override;

signals:
    void FirstPassDone();

protected:
    void Notify(const ui::Notification& notification) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // DeviceManagerObserver, on this thread.
    void OnFirstPassDone() override;
    void OnDeviceAdded(CHalvorinUSBDevice& device) override;
    void OnDeviceAttached(CHalvorinUSBDevice& device, DeviceLink link) override;
    void OnDeviceRemoved(CHalvorinUSBDevice& device) override;
    void OnLinkChanged(CHalvorinUSBDevice& device, DeviceLink link) override;
    void OnShowTab(CHalvorinUSBDevice& device) override;
    void OnHideTab(CHalvorinUSBDevice& device) override;

    std::unique_ptr<CHalvorinUSBDevice> MakeDevice(hid::DeviceKind kind, hid::HidBackend& backend);
    void BuildDeviceUi(CHalvorinUSBDevice& device);

    void OnClick(const ui::Notification& notification, const QString& name);
    void OnSelectChanged(const ui::Notification& notification, const QString& name);
    void OnTimer(int id);
    void ToggleLightOwner();
    void SetLightOwner(bool owner);
    void ShowLightOwnerText();
    void HideToTray();
    void CloseChildWindows();
    void OnSkinChanged(const SkinChangedParam& param) override;
    WindowContext Context() const;
    void OpenSkinFrame();
    void OpenDesktopSettings(const QString& page);

    const ui::ResourceIndex& m_resources;
    audio::AudioConfigLibrary* m_audio;
    std::unique_ptr<DeviceManager> m_manager;
    DeviceStrip* m_strip = nullptr;
    std::unique_ptr<LanguageSwitch> m_languages;
    ui::TrayIcon* m_tray = nullptr;
    QPointer<QWidget> m_skinFrame;
    bool m_firstPassDone = false;
    bool m_lightOwner = true;
    bool m_started = false;
    bool m_shownOnce = false;
    bool m_startInTray = false;
    int m_dpi = kDpiNormal;
    QString m_baseStyleSheet;  // the skin's style sheet at the normal scale
};

}  // namespace vestra::app
