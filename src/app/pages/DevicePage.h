// One device's page in the main window: the layout of its kind with the device picture built
// in, and the view through which the device object shows its state, from any thread.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <atomic>
#include <mutex>
#include <span>
#include <vector>

#include "app/pages/CMpDevicePowerUI.h"
#include "device/model/DeviceView.h"

namespace vestra {
class CHalvorinUSBDevice;
}

namespace vestra::ui {
class CDeviceKeyButtonUI;
class Language;
class ResourceIndex;
}  // namespace vestra::ui

namespace vestra::app {

class DevicePicture;

// The device must outlive its page, and its worker threads must not be inside a view call
// while the page is destroyed (the device manager stops them first, or never destroys pages
// before the devices).
class DevicePage : public QWidget, public DeviceView {
    Q_OBJECT
public:
    explicit DevicePage(CHalvorinUSBDevice& device, QWidget* parent = nullptr);
    // Detaches itself from the device first, unless Detach did.
    ~DevicePage() override;
    // The device reports to this page no more; the page then leaves the device alone, so the
    // device may go before the page (its threads stopped while the page still took their calls).
    void Detach();

    // Loads the kind's page layout (the kind row's pageLayout), builds the device picture into
    // its select panel, binds the key and light buttons and attaches itself to the device.
    // False, with Error() set, when the layout cannot be built.
    bool Create(const ui::ResourceIndex& resources, const QString& layoutId);
    QString Error() const { return m_error; }
    // Where the texts the page sets at run time come from; English when none. Not owned.
    void SetLanguage(const ui::Language* language) { m_language = language; }

    CHalvorinUSBDevice& Device() { return m_device; }
    // Where ShowPowerStatus goes; null for none. Not owned.
    void SetPowerDisplay(CMpDevicePowerUI* display) { m_powerDisplay = display; }

    ui::CDeviceKeyButtonUI* KeyButton(int n) const;
    ui::CDeviceKeyButtonUI* LightButton(int n) const;
    int KeyButtonCount() const { return static_cast<int>(m_keyButtons.size()); }
    int LightButtonCount() const { return static_cast<int>(m_lightButtons.size()); }
    // The device picture; the tab entry repaints it.
    QWidget* IconControl() const;

    // DeviceView. Callable from any thread; the work runs on the page's thread.
    void RefreshPanels() override;
    void ScheduleSettingsRead(int delayMs) override;
    void ShowFunctionPages(FunctionPages pages) override;
    // Frames that arrive faster than the page shows them are dropped; the newest one is shown.
    void ShowKeyColours(std::span<const protocol::KeyColour> colours) override;
    void ShowPowerStatus(const protocol::PowerStatus& status) override;
    void ShowSelectedKey(int key) override;

signals:
    // Byte 4 of a power status block, for the main window's power message.
    void PowerStatusShown(int windowParam);
    // The device asked the key assignment panel to show this key (-1: none).
    void SelectedKeyShown(int key);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    template <typename Work>
    void OnPageThread(Work work);
    void BindButtons(QWidget* panel);
    void ApplyPendingColours();
    void ApplyColoursWhenDue();
    void ConnectFunctionTabs();
    void RefreshKeyboard();
    void RefreshMouse();
    void RefreshLightModeName();
    QString Text(const QString& id, const char* english) const;

    CHalvorinUSBDevice& m_device;
    QString m_error;
    const ui::Language* m_language = nullptr;
    QWidget* m_content = nullptr;
    QWidget* m_selectPanel = nullptr;
    DevicePicture* m_picture = nullptr;
    QPointer<CMpDevicePowerUI> m_powerDisplay;
    std::vector<ui::CDeviceKeyButtonUI*> m_keyButtons;
    std::vector<ui::CDeviceKeyButtonUI*> m_lightButtons;

    std::mutex m_colourLock;
    std::vector<protocol::KeyColour> m_pendingColours;  // under m_colourLock
    std::atomic<bool> m_coloursPosted{false};
    std::atomic<bool> m_shown{false};  // shown on screen: frames are worth painting
    QElapsedTimer m_sinceColours;      // since the picture last took colours
    static constexpr qint64 kColourFrameMs = 50;
    bool m_attached = false;
};

}  // namespace vestra::app
