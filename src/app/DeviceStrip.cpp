#include "app/DeviceStrip.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLayout>
#include <QStackedWidget>

#include "app/pages/CDeviceOptionUI.h"
#include "app/pages/CMpDevicePowerUI.h"
#include "app/pages/DevicePage.h"
#include "device/model/CHalvorinUSBDevice.h"
#include "hid/DeviceKind.h"
#include "platform/DebugLog.h"
#include "ui/ResourceIndex.h"
#include "ui/WindowBase.h"

namespace vestra::app {
namespace {

const hid::DeviceKindRow* RowOf(const CHalvorinUSBDevice& device) {
    for (const hid::DeviceKindRow& row : hid::DeviceKinds()) {
        if (static_cast<int>(row.productCode) == device.Kind()) return &row;
    }
    return nullptr;
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

DeviceStrip::DeviceStrip(ui::WindowBase& window, const ui::ResourceIndex& resources)
    : QObject(&window), m_window(window), m_resources(resources) {}

DeviceStrip::~DeviceStrip() = default;

bool DeviceStrip::Bind() {
    m_tabContainer = m_window.FindControl("device_select_layout");
    m_pages = qobject_cast<QStackedWidget*>(m_window.FindControl("device_switch"));
    m_powers = qobject_cast<QStackedWidget*>(m_window.FindControl("device_power_switch"));
    m_noDevice = m_window.FindControl("No_device_Link");
    if (!m_tabContainer || !m_tabContainer->layout() || !m_pages || !m_powers) return false;
    m_group = new QButtonGroup(this);
    m_group->setExclusive(true);
    return true;
}

DeviceStrip::Entry* DeviceStrip::CreateDeviceUi(CHalvorinUSBDevice& device) {
    const hid::DeviceKindRow* row = RowOf(device);
    if (!row || !m_pages) return nullptr;

    auto power = std::make_unique<CMpDevicePowerUI>();
    auto tab = std::make_unique<CDeviceOptionUI>();
    auto page = std::make_unique<DevicePage>(device);
    if (!power->Create(m_resources, "XML/CustomControlXML/MpDevicePower.xml") ||
        !tab->Create(m_resources, Text(row->tabLayout)) ||
        !page->Create(m_resources, Text(row->pageLayout))) {
        DebugLog::Write("device page of " + std::string(row->kindName) + " cannot be built");
        return nullptr;
    }

    m_powers->addWidget(power.get());
    power->SetKind(device.Kind(), device.SubType());
    power->ShowPowerLayout(row->wireless);
    page->SetPowerDisplay(power.get());

    m_pages->addWidget(page.get());
    tab->SetSynchroVisible(false);
    tab->SetGroup(m_group);
    tab->BindTab("device_switch", m_pages->count() - 1);
    tab->SetPowerDisplay("device_power_switch", m_powers->count() - 1);
    tab->SetKind(static_cast<int>(row->productCode), static_cast<int>(row->role));
    tab->SetShown(false);
    tab->SetName(Text(row->kindName));
    tab->SetDevice(&device);
    tab->SetIconControl(ui::WindowBase::FindSubControlByName(tab.get(), "device_select"));
    m_tabContainer->layout()->addWidget(tab.get());

    Entry entry{&device, tab.release(), power.release(), page.release()};
    connect(entry.tab, &CDeviceOptionUI::LinkStateChanged, this,
            [this](CDeviceOptionUI* changed, bool shown) {
                const int index = IndexOf(changed);
                if (index >= 0) emit LinkStateChanged(index, shown);
            });
    m_window.BindNotifications(entry.tab);
    m_window.BindNotifications(entry.page);
    m_window.BindNotifications(entry.power);
    m_entries.push_back(entry);
    return &m_entries.back();
}

void DeviceStrip::Select(int index) {
    const Entry& entry = m_entries[index];
    m_pages->setCurrentIndex(entry.tab->BoundTabIndex());
    OnTabSelected(entry.tab);
    if (!entry.tab->IsSelectedTab()) entry.tab->SelectTab(true);
}

void DeviceStrip::OnTabSelected(CDeviceOptionUI* tab) {
    if (!tab || !m_powers) return;
    const int power = tab->PowerDisplayIndex();
    m_powers->setVisible(power >= 0);
    if (power >= 0) m_powers->setCurrentIndex(power);
    m_pages->setCurrentIndex(tab->BoundTabIndex());
}

void DeviceStrip::ShowTab(int index, bool visible, bool select) {
    if (index < 0 || index >= Count()) return;
    m_entries[index].tab->SetShown(visible);
    if (select) Select(index);

    const int shown = VisibleCount();
    if (shown == 0 && m_pages && m_powers) {
        m_powers->setCurrentIndex(0);
        m_pages->setCurrentIndex(0);
    }
    UpdateNoDeviceNotice();

    const bool offered = shown > 1;
    if (m_syncOffered) m_syncOffered(offered);
    int marked = 0;
    for (const Entry& entry : m_entries) {
        entry.tab->SetSynchroVisible(offered);
        if (entry.tab->IsShown() && entry.tab->IsSynchro()) ++marked;
    }
    if (!offered || marked <= 1) {
        for (const Entry& entry : m_entries) {
            if (entry.tab->IsSynchro()) entry.tab->SetSynchro(false);
        }
    }
}

void DeviceStrip::HideTab(int index) {
    if (index < 0 || index >= Count()) return;
    CDeviceOptionUI* tab = m_entries[index].tab;
    int next = -1;
    if (tab->IsShown() && tab->IsSelectedTab()) {
        if (m_selectedLeaving) m_selectedLeaving();
        for (int i = 0; i < Count(); ++i) {
            if (i != index && m_entries[i].tab->IsShown()) {
                next = i;
                break;
            }
        }
    }
    ShowTab(index, false, false);
    if (next >= 0) ShowTab(next, true, true);
}

void DeviceStrip::SelectNeighbour(int step) {
    const int current = CurrentIndex();
    if (current < 0) return;
    for (int i = current + step; i >= 0 && i < Count(); i += step) {
        if (m_entries[i].tab->IsShown()) {
            Select(i);
            return;
        }
    }
}

int DeviceStrip::IndexOf(const CHalvorinUSBDevice& device) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_entries[i].device == &device) return i;
    }
    return -1;
}

int DeviceStrip::IndexOf(const CDeviceOptionUI* tab) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_entries[i].tab == tab) return i;
    }
    return -1;
}

int DeviceStrip::IndexOfTabHolding(const QWidget* widget) const {
    for (; widget; widget = widget->parentWidget()) {
        if (const int index = IndexOf(qobject_cast<const CDeviceOptionUI*>(widget)); index >= 0)
            return index;
    }
    return -1;
}

int DeviceStrip::VisibleCount() const {
    int count = 0;
    for (const Entry& entry : m_entries) count += entry.tab->IsShown() ? 1 : 0;
    return count;
}

int DeviceStrip::CurrentIndex() const {
    for (int i = 0; i < Count(); ++i) {
        if (m_entries[i].tab->IsShown() && m_entries[i].tab->IsSelectedTab()) return i;
    }
    return -1;
}

CHalvorinUSBDevice* DeviceStrip::CurrentDevice() const {
    const int index = CurrentIndex();
    return index >= 0 ? m_entries[index].device : nullptr;
}

void DeviceStrip::UpdateNoDeviceNotice() {
    if (m_noDevice) m_noDevice->setVisible(VisibleCount() == 0);
}

}  // namespace vestra::app
