#include "hid/UpdateModel.h"

#include <array>

namespace vestra::hid {

namespace {

// The brand word the update server knows our products by, the same in every row.
constexpr const char* kBrand = "VSTRA";

std::array<UpdateModelRow, kUpdateModelRowCount> MakeRows() {
    return {{
        {1, 1, 0, kBrand, "VM2224C1", "VMS", "VMS", "", DeviceKind::Mouse},
        {1, 1, 0, kBrand, "VK1000C1", "VKB", "VKB", "", DeviceKind::Keyboard},
        {2, 1, 0, kBrand, "VP1004C1", "VPD", "VPD", "", DeviceKind::MousePad},
        {0, 1, 0, kBrand, "ALL", "VESTRA_APP", "AP", "V1.0.0", std::nullopt},
    }};
}

}  // namespace

std::span<const UpdateModelRow, kUpdateModelRowCount> UpdateModels() {
    static const std::array<UpdateModelRow, kUpdateModelRowCount> kRows = MakeRows();
    return kRows;
}

std::vector<UpdateModelRow> BuildUpdateList(const FirmwareVersionProvider& firmwareVersion,
                                            int applicationVersion) {
    const auto rows = UpdateModels();
    std::vector<UpdateModelRow> list(rows.begin(), rows.end());
    for (UpdateModelRow& row : list) {
        if (row.product) {
            row.version = firmwareVersion ? firmwareVersion(*row.product) : 0;
        } else {
            row.version = applicationVersion;
        }
    }
    return list;
}

}  // namespace vestra::hid
