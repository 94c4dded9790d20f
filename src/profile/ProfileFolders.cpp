#include "profile/ProfileFolders.h"

#include <string>

#include "platform/Paths.h"

namespace vestra {
namespace {

std::string KindName(hid::DeviceKind kind) {
    for (const hid::DeviceKindRow& row : hid::DeviceKinds()) {
        if (row.productCode == static_cast<hid::ProductCode>(kind))
            return std::string(row.kindName);
    }
    return {};
}

}  // namespace

std::filesystem::path KindDataFolder(hid::DeviceKind kind) {
    return Paths::DataFolder() / KindName(kind);
}

std::filesystem::path KindDefaultProfile(hid::DeviceKind kind) {
    const std::filesystem::path shipped = Paths::ShippedFolder("DefaultData");
    if (shipped.empty()) return {};
    return shipped / (KindName(kind) + ".Json");
}

}  // namespace vestra
