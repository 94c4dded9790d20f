// One device's entry in the main window's device strip ("DeviceOption"): the kind's icon that
// selects the device's page, and the timers that connect the device, poll its power and watch
// its receiver link.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <map>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QTimer;

namespace vestra {
class CHalvorinUSBDevice;
}

namespace vestra::ui {
class Language;
class ResourceIndex;
}  // namespace vestra::ui

namespace vestra::app {

class CDeviceOptionUI : public QWidget {
    Q_OBJECT
public:
    static constexpr char kClassName[] = "DeviceOption";

    // Timer ids and what they do.
    static constexpr int kTimerIconRefresh = 1000;
    static constexpr int kTimerConnect = 1001;
    static constexpr int kTimerReadSettings = 1002;
    static constexpr int kTimerReserved1 = 1003;
    static constexpr int kTimerReserved2 = 1004;
    static constexpr int kTimerPower = 1005;
    static constexpr int kTimerLinkPoll = 1007;
    // A receiver link that is down is asked again after this long.
    static constexpr int kLinkRetryMs = 3000;
    // The link-failure counter wraps here.
    static constexpr int kLinkFailureWrap = 20;

    explicit CDeviceOptionUI(QWidget* parent = nullptr);
    ~CDeviceOptionUI() override;

    // Loads tabs/DeviceOption.ui into this widget. False, with Error() set, when it cannot.
    bool Create(const ui::ResourceIndex& resources, const QString& layoutId);
    QString Error() const { return m_error; }
    // Where the name tool tips come from; English when none is set. Not owned.
    void SetLanguage(const ui::Language* language) { m_language = language; }

    // Stores the kind and applies its icon set and name tool tip to "device_select".
    void SetKind(int kind, int subType);
    int Kind() const { return m_kind; }
    int SubType() const { return m_subType; }
    // The icon file prefix of the current kind ("kb", "ms", ..., "unknow").
    QString IconPrefix() const { return m_iconPrefix; }

    void SetSynchroVisible(bool shown);
    // Checks or clears "synchro_device_select" (its toggled signal fires), then the icons.
    void SetSynchro(bool on);
    bool IsSynchro() const;
    bool IsSelectedTab() const;
    void SelectTab(bool on);

    // "device_select" selects page index of the tab layout name; -1 and empty when the
    // layout has no "device_select".
    void BindTab(const QString& name, int index);
    int BoundTabIndex() const;
    QString BoundTabName() const;
    void SetGroup(QButtonGroup* group);
    void SetName(const QString& text);

    void SetShown(bool shown);
    bool IsShown() const { return m_shown; }

    // An empty name sets nothing; a negative index keeps the index.
    void SetPowerDisplay(const QString& name, int index);
    QString PowerDisplayName() const { return m_powerName; }
    int PowerDisplayIndex() const { return m_powerIndex; }
    bool HasPowerDisplay() const { return !m_powerName.isEmpty(); }

    void SetIconControl(QWidget* control) { m_iconControl = control; }
    QWidget* IconControl() const { return m_iconControl; }

    // Timer 1001 in 500 ms: the device is read once reachable.
    void StartConnect();
    // Timer 1007 with this period while the device's main channel is open.
    void StartLinkPoll(int ms);
    // Not owned; the device outlives its entry.
    void SetDevice(CHalvorinUSBDevice* device) { m_device = device; }
    CHalvorinUSBDevice* Device() const { return m_device; }
    int LinkFailures() const { return m_linkFailures; }

    // Starts (or restarts) one of the single-shot timers above; ids not listed are ignored.
    void StartTimer(int id, int ms);
    void KillTimer(int id);
    // The handler of a timer; each first stops its own timer.
    void OnTimer(int id);
    bool IsTimerActive(int id) const;
    int TimerInterval(int id) const;

signals:
    // The device's link through its receiver came up (shown) or went down: the main window
    // shows or hides this entry's tab.
    void LinkStateChanged(vestra::app::CDeviceOptionUI* tab, bool shown);

private:
    void ApplyIcons();
    bool ReceiverMode() const;
    bool ChannelOpen() const;
    void OnIconRefresh();
    void OnConnect();
    void OnPowerPoll();
    void OnLinkPoll();

    QString m_error;
    QString m_skinFolder;
    const ui::Language* m_language = nullptr;
    QPointer<QWidget> m_iconControl;
    CHalvorinUSBDevice* m_device = nullptr;
    QAbstractButton* m_synchroSelect = nullptr;
    QAbstractButton* m_select = nullptr;
    QLabel* m_name = nullptr;
    int m_kind = 0;
    int m_subType = 0;
    QString m_iconPrefix;
    QString m_tabName;
    int m_tabIndex = -1;
    QString m_powerName;
    int m_powerIndex = -1;
    bool m_shown = true;
    int m_linkFailures = 0;
    std::map<int, QTimer*> m_timers;
};

}  // namespace vestra::app
