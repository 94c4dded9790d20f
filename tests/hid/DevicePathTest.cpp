#include <gtest/gtest.h>

#include <string>

#include "hid/HidInterface.h"
#include "hid/HidrawBackend.h"

namespace vestra::hid {
namespace {

TEST(DevicePathTest, MarkersAreFoundInAnyCaseAndFollowedByHexDigits) {
    struct Case {
        const char* path;
        uint16_t vid, pid, interface, collection;
    };
    const Case cases[] = {
        {"/dev/hidraw3#vid_320f&pid_1000&mi_01&col04", 0x320F, 0x1000, 1, 4},
        {R"(\\?\HID#VID_320F&PID_1A2B&MI_02&COL0A#7&1b2c&0&0001#{4d1e55b2})", 0x320F, 0x1A2B, 2,
         10},
        {"emu:keyboard#Vid_0c76&Pid_1630&Mi_0a&Col1f", 0x0C76, 0x1630, 10, 0x1F},
        // No interface or collection marker: both 0.
        {"/dev/hidraw0#vid_320f&pid_1000", 0x320F, 0x1000, 0, 0},
        // A marker with no digit after it reads as 0; digits stop at the first non-digit.
        {"/dev/hidraw0#vid_&pid_12g4&mi_&col", 0, 0x12, 0, 0},
        // "col" without its ampersand, and "mi" without one, are not the markers.
        {"/dev/hidraw0#vid_1&pid_2_col05_mi_03", 1, 2, 0, 0},
        {"", 0, 0, 0, 0},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(ParseVid(test.path), test.vid) << test.path;
        EXPECT_EQ(ParsePid(test.path), test.pid) << test.path;
        EXPECT_EQ(ParseInterface(test.path), test.interface) << test.path;
        EXPECT_EQ(ParseCollection(test.path), test.collection) << test.path;
    }
}

TEST(DevicePathTest, HidrawPathsCarryTheIdentityInLowerCaseHex) {
    HidAttributes attributes{0x320F, 0xAB01, 0x0100};
    EXPECT_EQ(HidrawBackend::DevicePath("/dev/hidraw3", attributes, 0x0A, 0x0B),
              "/dev/hidraw3#vid_320f&pid_ab01&mi_0a&col0b");
    EXPECT_EQ(HidrawBackend::DevicePath("/dev/hidraw0", attributes, 1, 0),
              "/dev/hidraw0#vid_320f&pid_ab01&mi_01");
    EXPECT_EQ(HidrawBackend::DevicePath("/dev/hidraw0", attributes, -1, 2),
              "/dev/hidraw0#vid_320f&pid_ab01&col02");

    const std::string path = HidrawBackend::DevicePath("/dev/hidraw9", attributes, 3, 0x12);
    EXPECT_EQ(ParseVid(path), 0x320F);
    EXPECT_EQ(ParsePid(path), 0xAB01);
    EXPECT_EQ(ParseInterface(path), 3);
    EXPECT_EQ(ParseCollection(path), 0x12);
}

}  // namespace
}  // namespace vestra::hid
