// A keyboard's or mouse's notification listeners, one per link, on the handles of its listen
// channel.
#pragma once

#include <string>

#include "device/model/DeviceLink.h"
#include "device/model/NotificationListener.h"
#include "device/protocol/DeviceChannel.h"

namespace vestra {

class LinkListeners {
public:
    explicit LinkListeners(protocol::DeviceChannel& listenChannel) : m_channel(listenChannel) {}
    ~LinkListeners() { StopAll(); }
    LinkListeners(const LinkListeners&) = delete;
    LinkListeners& operator=(const LinkListeners&) = delete;

    // Opens path on the link's handle (the cable's under the I/O lock, the receiver's under the
    // receiver listen lock) and listens on it; false when it cannot be opened.
    bool Start(DeviceLink link, const std::string& path, NotificationListener::Handler handler);
    // Stops both listeners and closes their handles.
    void StopAll();
    bool IsListening(DeviceLink link) const { return Listener(link).IsRunning(); }

private:
    NotificationListener& Listener(DeviceLink link) {
        return link == DeviceLink::Receiver ? m_receiver : m_cable;
    }
    const NotificationListener& Listener(DeviceLink link) const {
        return link == DeviceLink::Receiver ? m_receiver : m_cable;
    }

    protocol::DeviceChannel& m_channel;
    NotificationListener m_cable;
    NotificationListener m_receiver;
};

}  // namespace vestra
