#include <gtest/gtest.h>

#include "KeyboardDeviceFixture.h"
#include "device/model/CHalvorinUSBDevice.h"
#include "device/model/IndexedName.h"
#include "device/model/ModeTable.h"
#include "profile/JsonFile.h"

namespace vestra::test {
namespace {

constexpr int kKeyboard = 1;
constexpr int kMouse = 2;
constexpr int kPad = 3;

TEST(UsbDeviceFunctionPages, PagesByTypeAndKind) {
    constexpr int kSame = FunctionPages::kUnchanged;
    struct Case {
        int type;
        int kind;
        FunctionPages pages;
    };
    const Case cases[] = {
        {1, kPad, {0, 0}},       {6, kKeyboard, {0, 0}}, {3, kMouse, {1, kSame}},
        {8, kPad, {1, kSame}},   {5, kPad, {2, kSame}},  {4, kKeyboard, {3, kSame}},
        {4, kMouse, {3, kSame}}, {4, kPad, {0, 2}},  // macros only exist on keyboards and mice
        {7, kKeyboard, {0, 2}},  {0, kKeyboard, {0, 1}}, {99, kPad, {0, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CHalvorinUSBDevice::FunctionPagesFor(c.type, c.kind), c.pages)
            << "type " << c.type << " kind " << c.kind;
    }
}

TEST(UsbDeviceButtons, KeyAndLightButtonsBindByPrefixAndRange) {
    EXPECT_EQ(BoundButtonIndex("key_5", "key_", 104), 5);
    EXPECT_EQ(BoundButtonIndex("key_103", "key_", 104), 103);
    EXPECT_EQ(BoundButtonIndex("key_200", "key_", 104), std::nullopt);
    EXPECT_EQ(BoundButtonIndex("key_-1", "key_", 104), std::nullopt);
    EXPECT_EQ(BoundButtonIndex("key_", "key_", 104), std::nullopt);
    EXPECT_EQ(BoundButtonIndex("key_1x", "key_", 104), std::nullopt);
    EXPECT_EQ(BoundButtonIndex("light_3", "key_", 104), std::nullopt);
    EXPECT_EQ(BoundButtonIndex("numpad_key_7", "key_", 104), std::nullopt);
    const auto split = SplitIndexedName("color_option_12");
    ASSERT_TRUE(split);
    EXPECT_EQ(split->prefix, "color_option_");
    EXPECT_EQ(split->index, 12);
}

TEST(UsbDeviceModeTable, CodesAndIndexesOfAModel) {
    Json::Value document;
    ASSERT_TRUE(JsonFile::Parse(R"({"DefaultLightName": [[], [
        {"LightName": "Off", "visible": 1, "value": 9},
        {"LightName": "Wave", "visible": 0, "value": 1},
        {"LightName": "Wave again", "visible": 1, "value": 1}]],
        "AreaLightName": [[], [{"LightName": "Logo"}]]})",
                                document));
    ModeTable modes;
    modes.Load(document, 1);
    EXPECT_EQ(modes.Names().size(), 3u);
    EXPECT_EQ(modes.Visible(), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(modes.AreaNames(), (std::vector<std::string>{"Logo"}));
    EXPECT_EQ(modes.CodeOfIndex(1), 1);
    EXPECT_EQ(modes.CodeOfIndex(2), 1);
    EXPECT_EQ(modes.CodeOfIndex(31), 9);  // host-side modes go out as mode 0
    EXPECT_EQ(modes.IndexOfCode(1), 1);   // the first entry with the code
    EXPECT_EQ(modes.IndexOfCode(77), 77);

    modes.Load(document, 3);  // no such model
    EXPECT_TRUE(modes.Names().empty());
    EXPECT_EQ(modes.CodeOfIndex(5), 5);
}

class PadDevice : public CHalvorinUSBDevice {
public:
    PadDevice() : CHalvorinUSBDevice(hid::DeviceKind::MousePad) {}
    using CHalvorinUSBDevice::LoadModeTableAndLightNames;
};

TEST(UsbDevice, BaseTakesItsKindRowAndShowsPagesThroughTheView) {
    ScopedDataHome home;
    PadDevice pad;
    RecordingView view;
    pad.AttachView(&view);
    EXPECT_EQ(pad.Kind(), kPad);
    EXPECT_EQ(pad.FolderName(), "MousePad");
    EXPECT_EQ(pad.GetFunctionPage(), 1);
    EXPECT_EQ(pad.SelectedKey(), -1);
    EXPECT_TRUE(std::filesystem::is_directory(pad.DataFolder()));
    EXPECT_EQ(pad.DefaultProfilePath().filename(), "MousePad.Json");

    pad.ShowFunctionPage(4);
    EXPECT_EQ(pad.GetFunctionPage(), 4);
    ASSERT_EQ(view.pages.size(), 1u);
    EXPECT_EQ(view.pages[0], (FunctionPages{0, 2}));

    // The shipped mode table of the pad's model.
    pad.LoadModeTableAndLightNames();
    EXPECT_FALSE(pad.Modes().Names().empty());
    EXPECT_TRUE(pad.LightFileNames().empty());  // no light configuration yet
}

TEST(UsbDevice, KeyColoursAreShownOnlyUnderHostControl) {
    ScopedDataHome home;
    PadDevice pad;
    RecordingView view;
    pad.AttachView(&view);
    pad.SetKeyColour(2, {1, 2, 3, 255});
    pad.SetKeyColour(-1, {9, 9, 9, 9});
    pad.SetKeyColour(pad.LightButtonCount(), {9, 9, 9, 9});
    EXPECT_EQ(pad.GetKeyColour(2).green, 2);
    EXPECT_EQ(pad.GetKeyColour(-1).red, 0);

    pad.SetHostLightControl(false);
    pad.RefreshKeyColours();
    EXPECT_EQ(view.frames, 0);
    pad.SetHostLightControl(true);
    pad.RefreshKeyColours();
    ASSERT_EQ(view.frames, 1);
    EXPECT_EQ(view.lastColours.size(), static_cast<size_t>(pad.LightButtonCount()));
    EXPECT_EQ(CHalvorinUSBDevice::ButtonTint(view.lastColours[2]), 1u | 3u << 8 | 2u << 16);
}

}  // namespace
}  // namespace vestra::test
