#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string_view>

#include "hid/UpdateModel.h"

namespace vestra::hid {
namespace {

TEST(UpdateModel, EachProductRowTakesItsOwnDevicesVersion) {
    const auto versionOf = [](DeviceKind kind) {
        switch (kind) {
            case DeviceKind::Mouse:
                return 0x0103;
            case DeviceKind::Keyboard:
                return 0x0210;
            case DeviceKind::MousePad:
                return 0;  // no pad connected
            case DeviceKind::Headset:
                return 0x9999;  // has no update row
        }
        return -1;
    };
    const std::vector<UpdateModelRow> list = BuildUpdateList(versionOf, 210);
    ASSERT_EQ(list.size(), kUpdateModelRowCount);
    EXPECT_EQ(list[0].product, DeviceKind::Mouse);
    EXPECT_EQ(list[0].version, 0x0103);
    EXPECT_EQ(list[1].product, DeviceKind::Keyboard);
    EXPECT_EQ(list[1].version, 0x0210);
    EXPECT_EQ(list[2].product, DeviceKind::MousePad);
    EXPECT_EQ(list[2].version, 0);
    EXPECT_EQ(list[3].product, std::nullopt);
    EXPECT_EQ(list[3].version, 210);

    // The table itself keeps no runtime version.
    for (const UpdateModelRow& row : UpdateModels()) EXPECT_EQ(row.version, 0);
}

TEST(UpdateModel, WithoutProviderOnlyTheApplicationHasAVersion) {
    const std::vector<UpdateModelRow> list = BuildUpdateList(nullptr, 103);
    for (size_t i = 0; i + 1 < list.size(); ++i) EXPECT_EQ(list[i].version, 0);
    EXPECT_EQ(list.back().version, 103);
}

bool IsUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsUpperOrDigit(char c) {
    return IsUpper(c) || (c >= '0' && c <= '9');
}

// Length within [minLength, maxLength] and every character accepted by `allowed`.
bool HasForm(std::string_view text, size_t minLength, size_t maxLength, bool (*allowed)(char)) {
    return text.size() >= minLength && text.size() <= maxLength &&
           std::all_of(text.begin(), text.end(), allowed);
}

// The server builds its application key from these words; their forms are fixed.
TEST(UpdateModel, CodesHaveTheFormsTheServerExpects) {
    const auto rows = UpdateModels();
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(HasForm(rows[i].brand, 5, 5, IsUpper));
        EXPECT_EQ(rows[i].brand, rows[0].brand);
        EXPECT_EQ(rows[i].flag, 1);
        if (i + 1 < rows.size()) {
            EXPECT_TRUE(HasForm(rows[i].modelCode, 8, 8, IsUpperOrDigit));
            EXPECT_TRUE(HasForm(rows[i].familyCode, 2, 3, IsUpperOrDigit));
            EXPECT_EQ(rows[i].categoryCode, rows[i].familyCode);
            EXPECT_EQ(rows[i].versionText, "");
        }
    }
    const UpdateModelRow& app = rows.back();
    EXPECT_EQ(app.modelType, 0);
    EXPECT_EQ(app.modelCode, "ALL");
    EXPECT_TRUE(HasForm(app.familyCode, 10, 10, [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    }));
    EXPECT_EQ(app.categoryCode, "AP");
    EXPECT_EQ(app.versionText, "V1.0.0");
}

}  // namespace
}  // namespace vestra::hid
