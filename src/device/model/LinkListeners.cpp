#include "device/model/LinkListeners.h"

namespace vestra {

bool LinkListeners::Start(DeviceLink link, const std::string& path,
                          NotificationListener::Handler handler) {
    const bool receiver = link == DeviceLink::Receiver;
    hid::HidInterface& hid = receiver ? m_channel.ReceiverHandle() : m_channel.WiredHandle();
    NotificationListener& listener = Listener(link);
    listener.Stop();
    {
        std::lock_guard lock(receiver ? m_channel.ReceiverListenLock() : m_channel.IoLock());
        hid.Close();
        if (!hid.Open(path, hid::HidAccess::ReadWrite, hid::HidSharing::Shared)) return false;
    }
    listener.Start(hid, std::move(handler));
    return true;
}

void LinkListeners::StopAll() {
    m_cable.Stop();
    m_receiver.Stop();
    {
        std::lock_guard lock(m_channel.IoLock());
        m_channel.WiredHandle().Close();
    }
    std::lock_guard lock(m_channel.ReceiverListenLock());
    m_channel.ReceiverHandle().Close();
}

}  // namespace vestra
