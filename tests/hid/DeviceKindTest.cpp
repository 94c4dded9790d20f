#include <gtest/gtest.h>

#include "hid/DeviceKind.h"
#include "hid/InterfaceTable.h"

namespace vestra::hid {
namespace {

TEST(DeviceKind, ReceiverCodesFoldIntoTheirProduct) {
    const std::pair<ProductCode, std::optional<DeviceKind>> cases[] = {
        {ProductCode::Keyboard, DeviceKind::Keyboard},
        {ProductCode::KeyboardReceiver, DeviceKind::Keyboard},
        {ProductCode::Mouse, DeviceKind::Mouse},
        {ProductCode::MouseReceiver, DeviceKind::Mouse},
        {ProductCode::MousePad, DeviceKind::MousePad},
        {ProductCode::Headset, DeviceKind::Headset},
        {ProductCode::None, std::nullopt},
    };
    for (const auto& [code, kind] : cases) {
        EXPECT_EQ(KindOf(code), kind) << static_cast<int>(code);
    }
}

TEST(DeviceKind, EachKindRowIsFoundByItsCableConfigurationInterface) {
    const auto kinds = DeviceKinds();
    const DeviceKind order[] = {DeviceKind::Mouse, DeviceKind::Keyboard, DeviceKind::MousePad,
                                DeviceKind::Headset};
    for (size_t row = 0; row < kinds.size(); ++row) {
        SCOPED_TRACE(kinds[row].kindName);
        const DeviceKindRow& kind = kinds[row];
        EXPECT_EQ(KindOf(kind.productCode), order[row]);
        EXPECT_FALSE(IsReceiver(kind.productCode));
        EXPECT_EQ(FindKindRow(kind.vendorId, kind.productId, kind.productCode, kind.role),
                  static_cast<int>(row));
        // The device manager looks the kind up from a claimed configuration slot.
        EXPECT_GE(FindInterfaceRow(kind.vendorId, kind.productId, kind.productCode,
                                   InterfaceRole::Configuration),
                  0);
    }
    // A receiver slot has no kind row of its own: the manager uses its partner's.
    EXPECT_EQ(FindKindRow(0x320F, 0x223E, ProductCode::MouseReceiver, InterfaceRole::Configuration),
              -1);
    EXPECT_EQ(FindKindRow(0x320F, 0x2224, ProductCode::Mouse, InterfaceRole::Notification), -1);
}

}  // namespace
}  // namespace vestra::hid
