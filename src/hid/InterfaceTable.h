// The supported-interface table: which HID interfaces of which products the program drives.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "hid/InterfaceEntry.h"

namespace vestra::hid {

inline constexpr size_t kInterfaceRowCount = 11;

// The rows in table order; a runtime slot index is a row number.
std::span<const InterfaceEntry, kInterfaceRowCount> SupportedInterfaces();

// First row whose vendor, product, product code and role all match; -1 when none does.
int FindInterfaceRow(uint16_t vendorId, uint16_t productId, ProductCode code, InterfaceRole role);

// First row with the probe's vendor, product, interface number and collection number (the four
// values a path carries); -1 when none does.
int FindPathRow(const InterfaceEntry& probe);

// True when both name the same interface: vendor, product, interface and collection numbers,
// product code, role, usage page and usage. Runtime state and partner fields are ignored.
bool SameIdentity(const InterfaceEntry& a, const InterfaceEntry& b);

// A probe holding what the path text says: vendor, product, interface and collection numbers,
// and the path itself. Usage page, usage, product code and role stay unknown until it is opened
// and claimed.
InterfaceEntry ProbeFromPath(std::string_view path);

}  // namespace vestra::hid
