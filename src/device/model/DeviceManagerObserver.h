// What the device manager tells its owner (the window, the CLI) about devices coming and going.
#pragma once

#include "device/model/DeviceLink.h"

namespace vestra {

class CHalvorinUSBDevice;

// Every call comes on the owner's thread, from DeviceManager::ProcessEvents. Devices passed in
// live as long as the manager.
class DeviceManagerObserver {
public:
    virtual ~DeviceManagerObserver() = default;

    // The first discovery pass has ended, whether or not it found anything: the window shows
    // itself (with its "no device" notice when no tab is visible).
    virtual void OnFirstPassDone() {}
    // A device object was made for a product seen for the first time; its tab starts hidden.
    virtual void OnDeviceAdded(CHalvorinUSBDevice& /*device*/) {}
    // The product's configuration interface was opened into the device's channel over link
    // (the channel stays closed when the open failed). The owner reads the device a moment
    // later (the tab's connection timer, kConnectDelayMs); through a receiver the device may
    // not answer yet, and the tab's link poll shows the tab once it does.
    virtual void OnDeviceAttached(CHalvorinUSBDevice& /*device*/, DeviceLink /*link*/) {}
    // Every interface of the product is gone; its channel is closed.
    virtual void OnDeviceRemoved(CHalvorinUSBDevice& /*device*/) {}
    // The product moved to its other link without going away; on the cable the owner reads it
    // again after kConnectDelayMs, through the receiver it starts the tab's link poll. A
    // switch whose open failed leaves the channel closed and reports nothing.
    virtual void OnLinkChanged(CHalvorinUSBDevice& /*device*/, DeviceLink /*link*/) {}
    // Show the device's tab, selecting it when no tab is visible yet.
    virtual void OnShowTab(CHalvorinUSBDevice& /*device*/) {}
    virtual void OnHideTab(CHalvorinUSBDevice& /*device*/) {}
};

}  // namespace vestra
