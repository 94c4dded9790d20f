#include "device/model/NotificationListener.h"

#include <algorithm>
#include <vector>

#include "platform/DebugLog.h"

namespace vestra {
namespace {

// How often a listener whose interface is closed looks again.
constexpr int kClosedPollMs = 1;

}  // namespace

void NotificationListener::Start(hid::HidInterface& hid, Handler handler) {
    Stop();
    m_stop.Consume();
    m_hid = &hid;
    m_thread = std::thread([this, &hid, handler = std::move(handler)] { Run(hid, handler); });
}

void NotificationListener::Stop() {
    if (!m_thread.joinable()) return;
    m_stop.Set();
    m_hid->SetStop();
    m_thread.join();
    // Nothing is ever killed, so the thread has always ended by here.
    DebugLog::Write("线程退出：：对象处于激发状态");
}

void NotificationListener::Run(hid::HidInterface& hid, const Handler& handler) {
    std::vector<uint8_t> report;
    while (!m_stop.Wait(0)) {
        if (!hid.IsOpen()) {
            if (m_stop.Wait(kClosedPollMs)) break;
            continue;
        }
        report.assign(std::max<size_t>(hid.InputReportLength(), 1), 0);
        size_t read = 0;
        // No time-out: the stop event of the interface ends the wait.
        if (!hid.Read(report.data(), report.size(), &read, -1) || read == 0) {
            // A failed read on a handle that is going away must not spin.
            if (m_stop.Wait(kClosedPollMs)) break;
            continue;
        }
        handler(FirstUsage(hid, report.data(), read));
    }
    DebugLog::Write("MS 设备同步线程设定退出");
}

uint16_t NotificationListener::FirstUsage(hid::HidInterface& hid, const uint8_t* report,
                                          size_t length) {
    // A copy of the interface's item list, so that the listener never touches the interface's
    // own buffers and items of other report ids do not carry old values.
    std::vector<hid::HidDataItem> items = hid.InputData();
    for (hid::HidDataItem& item : items) item.isDataSet = false;
    if (!hid.UnpackReport(report, length, hid::ReportType::Input, items)) return 0;
    for (const hid::HidDataItem& item : items) {
        if (!item.isDataSet) continue;
        if (!item.isButtonData) return static_cast<uint16_t>(item.value);
        return item.usages.empty() ? 0 : item.usages[0];
    }
    return 0;
}

}  // namespace vestra
