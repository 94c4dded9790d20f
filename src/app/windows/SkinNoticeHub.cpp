#include "app/windows/SkinNoticeHub.h"

#include <algorithm>

namespace vestra::app {

SkinNoticeHub& SkinNoticeHub::Instance() {
    static SkinNoticeHub hub;
    return hub;
}

void SkinNoticeHub::Register(SkinNoticeReceiver* receiver) {
    if (!receiver || std::ranges::find(m_receivers, receiver) != m_receivers.end()) return;
    m_receivers.push_back(receiver);
}

void SkinNoticeHub::Unregister(SkinNoticeReceiver* receiver) {
    std::erase(m_receivers, receiver);
}

void SkinNoticeHub::Publish(const SkinChangedParam& param) const {
    const std::vector<SkinNoticeReceiver*> receivers = m_receivers;
    for (SkinNoticeReceiver* receiver : receivers) {
        // Skip one that was unregistered by an earlier receiver of this notice.
        if (std::ranges::find(m_receivers, receiver) == m_receivers.end()) continue;
        SkinChangedParam copy = param;
        receiver->OnSkinChanged(copy);
    }
}

}  // namespace vestra::app
