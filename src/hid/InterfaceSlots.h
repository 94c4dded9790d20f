// The runtime copy of the supported-interface table: which slot an interface currently holds.
#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "hid/InterfaceEntry.h"
#include "hid/InterfaceTable.h"

namespace vestra::hid {

// Slot index = table row. Only the connected flags and paths change. Not thread-safe: the
// discovery thread owns the slots and hands changes to the UI thread.
class InterfaceSlots {
public:
    InterfaceSlots();

    size_t Count() const { return m_slots.size(); }
    // The slot's entry; slot must be below Count().
    const InterfaceEntry& At(size_t slot) const { return m_slots.at(slot); }
    // Some slot is not connected and has no path, so enumerating can still find something.
    bool AnyFree() const;

    // A path whose four parsed values name a table row that still has a free slot. Only
    // candidates are worth opening.
    bool IsCandidate(const InterfaceEntry& probe) const;
    // For an opened probe (vendor and product from the attributes, usage page and usage from
    // the capabilities, devicePath set): copies product code and role of the first row that
    // matches on vendor, product, interface, collection, usage page and usage into the probe,
    // then gives the first free slot with those six values the probe's path. None when no row
    // matches, no such slot is free, or the probe has no path.
    std::optional<size_t> Claim(InterfaceEntry& probe);
    // Frees a slot whose interface is gone; out-of-range slots are ignored.
    void Release(size_t slot);

    // The entry that identifies the product behind a slot: its cable configuration entry.
    // A receiver configuration slot gives its partner; a notification slot gives the
    // configuration slot of its product (and that one's partner when it is a receiver).
    // None for an out-of-range slot.
    std::optional<InterfaceEntry> ConfigurationEntryOf(size_t slot) const;
    // True when the product behind the slot is already reachable over its other link: the
    // partner links back to this slot, is connected and has a path.
    bool PartnerLinkActive(size_t slot) const;

private:
    static bool IsFree(const InterfaceEntry& entry);

    std::array<InterfaceEntry, kInterfaceRowCount> m_slots;
};

}  // namespace vestra::hid
