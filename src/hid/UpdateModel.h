// The product models the update check asks about, and the list it is given.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "hid/DeviceKind.h"

namespace vestra::hid {

struct UpdateModelRow {
    int modelType = 0;  // non-zero: this row's versions are written and read in hexadecimal
    int flag = 0;
    int version = 0;  // installed version; 0 when unknown
    std::string brand;
    std::string modelCode;
    std::string familyCode;
    std::string categoryCode;  // the row's displayed name
    std::string versionText;   // shown before the server answers
    // The device whose firmware the row stands for; none for the application's own row.
    std::optional<DeviceKind> product;
};

inline constexpr size_t kUpdateModelRowCount = 4;

// Rows 0-2: mouse, keyboard, mouse pad; row 3: the application.
std::span<const UpdateModelRow, kUpdateModelRowCount> UpdateModels();

// The installed firmware version of a product's device (the release number of its cable
// interface while its channel is open), 0 when there is none.
using FirmwareVersionProvider = std::function<int(DeviceKind)>;

// Copies of the rows with versions filled: each product row asks the provider for its own
// product, so a row never takes another device's version whatever order the tabs stand in;
// the application row takes applicationVersion.
std::vector<UpdateModelRow> BuildUpdateList(const FirmwareVersionProvider& firmwareVersion,
                                            int applicationVersion);

}  // namespace vestra::hid
