// One discovery pass: enumerate the HID interfaces, open the candidates and claim their slots.
#pragma once

#include <cstddef>
#include <vector>

#include "hid/HidInterface.h"
#include "hid/InterfaceEntry.h"
#include "hid/InterfaceSlots.h"

namespace vestra::hid {

struct DiscoveryResult {
    bool enumerated = false;      // false when the machine's interface list could not be made
    std::vector<size_t> claimed;  // slots claimed by this pass, in enumeration order
    // Candidates that could not be opened (usually a permission problem), as probes: the path,
    // its four parsed values, and product code and role of the row those values name.
    std::vector<InterfaceEntry> unopenable;
};

// Runs one pass with `hid` for enumeration and for the probe opens (read only, shared). Every
// probe handle is closed again before the next path; the devices open their own handles later.
// Paths that are not candidates are never opened.
DiscoveryResult RunDiscoveryPass(InterfaceSlots& slots, HidInterface& hid);

}  // namespace vestra::hid
