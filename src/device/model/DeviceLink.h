// Which link a keyboard or mouse is reached over.
#pragma once

namespace vestra {

// Mouse pads and headsets are always on the cable.
enum class DeviceLink { Cable, Receiver };

}  // namespace vestra
