#include "hid/DiscoveryPass.h"

#include <optional>
#include <string>

#include "hid/InterfaceTable.h"
#include "platform/DebugLog.h"

namespace vestra::hid {

DiscoveryResult RunDiscoveryPass(InterfaceSlots& slots, HidInterface& hid) {
    DiscoveryResult result;
    if (!hid.Enumerate()) return result;
    result.enumerated = true;
    while (std::optional<std::string> path = hid.NextPath()) {
        InterfaceEntry probe = ProbeFromPath(*path);
        if (!slots.IsCandidate(probe)) continue;
        if (!hid.Open(*path, HidAccess::Read, HidSharing::Shared)) {
            DebugLog::Printf("probe open failed: %s", path->c_str());
            const int row = FindPathRow(probe);
            if (row >= 0) {
                probe.productCode = SupportedInterfaces()[row].productCode;
                probe.role = SupportedInterfaces()[row].role;
            }
            result.unopenable.push_back(std::move(probe));
            continue;
        }
        // The attributes are the device's own word; the path text only chose what to open.
        probe.vendorId = hid.VendorId();
        probe.productId = hid.ProductId();
        probe.usagePage = hid.UsagePage();
        probe.usage = hid.Usage();
        hid.Close();
        if (std::optional<size_t> slot = slots.Claim(probe)) result.claimed.push_back(*slot);
    }
    hid.FreePaths();
    return result;
}

}  // namespace vestra::hid
