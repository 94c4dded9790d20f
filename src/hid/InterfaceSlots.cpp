#include "hid/InterfaceSlots.h"

#include <algorithm>

namespace vestra::hid {

namespace {

bool SamePathValues(const InterfaceEntry& a, const InterfaceEntry& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.interfaceNumber == b.interfaceNumber && a.collectionNumber == b.collectionNumber;
}

// The six values an opened interface can be checked on: the path's four and the collection's
// usage page and usage. Two collections of one device can be numbered alike on different
// machines; the usage tells them apart.
bool SameOpenedValues(const InterfaceEntry& a, const InterfaceEntry& b) {
    return SamePathValues(a, b) && a.usagePage == b.usagePage && a.usage == b.usage;
}

}  // namespace

InterfaceSlots::InterfaceSlots() {
    const auto table = SupportedInterfaces();
    std::copy(table.begin(), table.end(), m_slots.begin());
}

bool InterfaceSlots::IsFree(const InterfaceEntry& entry) {
    return !entry.connected && entry.devicePath.empty();
}

bool InterfaceSlots::AnyFree() const {
    return std::any_of(m_slots.begin(), m_slots.end(), IsFree);
}

bool InterfaceSlots::IsCandidate(const InterfaceEntry& probe) const {
    // The slots are a copy of the rows, so a free slot with the four values implies the row.
    return std::any_of(m_slots.begin(), m_slots.end(), [&](const InterfaceEntry& slot) {
        return SamePathValues(slot, probe) && IsFree(slot);
    });
}

std::optional<size_t> InterfaceSlots::Claim(InterfaceEntry& probe) {
    if (probe.devicePath.empty()) return std::nullopt;
    const auto table = SupportedInterfaces();
    const auto row = std::find_if(table.begin(), table.end(), [&](const InterfaceEntry& entry) {
        return SameOpenedValues(entry, probe);
    });
    if (row == table.end()) return std::nullopt;
    probe.productCode = row->productCode;
    probe.role = row->role;
    for (size_t slot = 0; slot < m_slots.size(); ++slot) {
        InterfaceEntry& entry = m_slots[slot];
        if (SameOpenedValues(entry, probe) && IsFree(entry)) {
            entry.connected = true;
            entry.devicePath = probe.devicePath;
            return slot;
        }
    }
    return std::nullopt;
}

void InterfaceSlots::Release(size_t slot) {
    if (slot >= m_slots.size()) return;
    m_slots[slot].connected = false;
    m_slots[slot].devicePath.clear();
}

std::optional<InterfaceEntry> InterfaceSlots::ConfigurationEntryOf(size_t slot) const {
    if (slot >= m_slots.size()) return std::nullopt;
    size_t config = slot;
    const InterfaceEntry& entry = m_slots[slot];
    if (entry.role == InterfaceRole::Notification) {
        const int row = FindInterfaceRow(entry.vendorId, entry.productId, entry.productCode,
                                         InterfaceRole::Configuration);
        if (row < 0) return entry;
        config = static_cast<size_t>(row);
    }
    const InterfaceEntry& configEntry = m_slots[config];
    if (IsReceiver(configEntry.productCode) && configEntry.hasPartner) {
        return m_slots[configEntry.partnerIndex];
    }
    return configEntry;
}

bool InterfaceSlots::PartnerLinkActive(size_t slot) const {
    if (slot >= m_slots.size() || !m_slots[slot].hasPartner) return false;
    const InterfaceEntry& partner = m_slots[m_slots[slot].partnerIndex];
    return partner.hasPartner && partner.partnerIndex == slot && partner.connected &&
           !partner.devicePath.empty();
}

}  // namespace vestra::hid
