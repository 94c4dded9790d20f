// The device tabs of the main window with the page and power display of each device.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

class QButtonGroup;
class QStackedWidget;
class QWidget;

namespace vestra {
class CHalvorinUSBDevice;
}

namespace vestra::ui {
class ResourceIndex;
class WindowBase;
}  // namespace vestra::ui

namespace vestra::app {

class CDeviceOptionUI;
class CMpDevicePowerUI;
class DevicePage;

// A tab is visible while its device is reachable. Page 0 of "device_switch" and of
// "device_power_switch" is the empty home page shown when no tab is.
class DeviceStrip : public QObject {
    Q_OBJECT
public:
    struct Entry {
        CHalvorinUSBDevice* device = nullptr;
        CDeviceOptionUI* tab = nullptr;
        CMpDevicePowerUI* power = nullptr;
        DevicePage* page = nullptr;
    };

    DeviceStrip(ui::WindowBase& window, const ui::ResourceIndex& resources);
    ~DeviceStrip() override;

    // Finds the containers in the window's layout; false when one is missing.
    bool Bind();

    // Builds the power display, tab and page of a device (the tab starts hidden); null when
    // one of the three layouts cannot be built.
    Entry* CreateDeviceUi(CHalvorinUSBDevice& device);

    void ShowTab(int index, bool visible, bool select);
    void HideTab(int index);
    // Selects the visible tab before or after the selected one (step -1 or 1).
    void SelectNeighbour(int step);
    // "device_select" of a tab was checked: show its power display.
    void OnTabSelected(CDeviceOptionUI* tab);

    int Count() const { return static_cast<int>(m_entries.size()); }
    const Entry& At(int index) const { return m_entries[index]; }
    int IndexOf(const CHalvorinUSBDevice& device) const;
    int IndexOf(const CDeviceOptionUI* tab) const;
    // The tab that holds widget (a tab entry or anything inside one); -1 for none.
    int IndexOfTabHolding(const QWidget* widget) const;
    int VisibleCount() const;
    // The device of the first tab that is visible and selected; null when there is none.
    CHalvorinUSBDevice* CurrentDevice() const;
    int CurrentIndex() const;

    // Hides "No_device_Link" when a tab is visible, shows it otherwise.
    void UpdateNoDeviceNotice();

    // Called before the selected tab goes away (the window closes its child windows).
    void SetSelectedTabLeaving(std::function<void()> callback) {
        m_selectedLeaving = std::move(callback);
    }
    // Called with whether more than one tab is visible (synchronised lighting is offered only
    // then).
    void SetSyncOffered(std::function<void(bool)> callback) { m_syncOffered = std::move(callback); }

signals:
    // The tab entry's link state changed (the device answers through its receiver or not).
    void LinkStateChanged(int index, bool shown);

private:
    void Select(int index);

    ui::WindowBase& m_window;
    const ui::ResourceIndex& m_resources;
    QWidget* m_tabContainer = nullptr;
    QStackedWidget* m_pages = nullptr;
    QStackedWidget* m_powers = nullptr;
    QWidget* m_noDevice = nullptr;
    QButtonGroup* m_group = nullptr;
    std::vector<Entry> m_entries;
    std::function<void()> m_selectedLeaving;
    std::function<void(bool)> m_syncOffered;
};

}  // namespace vestra::app
