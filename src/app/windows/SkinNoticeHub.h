// The process-wide announcement of background changes to every window that wants them.
#pragma once

#include <vector>

#include "app/windows/SkinChangedParam.h"

namespace vestra::app {

class SkinNoticeReceiver {
public:
    virtual ~SkinNoticeReceiver() = default;
    virtual void OnSkinChanged(const SkinChangedParam& param) = 0;
};

// Used on the UI thread only.
class SkinNoticeHub {
public:
    static SkinNoticeHub& Instance();

    // Registering a receiver twice keeps one registration.
    void Register(SkinNoticeReceiver* receiver);
    void Unregister(SkinNoticeReceiver* receiver);
    // Gives every receiver its own copy; a receiver may unregister (itself or another) meanwhile.
    void Publish(const SkinChangedParam& param) const;

private:
    std::vector<SkinNoticeReceiver*> m_receivers;
};

}  // namespace vestra::app
