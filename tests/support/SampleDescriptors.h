// Report descriptors shaped like the interfaces of the supported devices, for HID tests.
#pragma once

#include <cstdint>
#include <vector>

namespace vestra::test {

// Keyboard interface with three top-level collections:
//   1. keyboard, report id 1: modifier bits E0-E7, a reserved byte, a 6-key array (0-0x65);
//      output: 5 LED bits and 3 bits of padding;
//   2. consumer control, report id 3: one 16-bit array slot (usages 0-0x3FF);
//   3. vendor 0xFF00, report id 4: 63 bytes in (usage 2) and 63 bytes out (usage 3).
inline std::vector<uint8_t> KeyboardDescriptor() {
    return {
        0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,        // Generic Desktop, Keyboard, Application
        0x85, 0x01,                                //   Report ID 1
        0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7,        //   Keyboard page, usages E0-E7
        0x15, 0x00, 0x25, 0x01,                    //   Logical 0..1
        0x75, 0x01, 0x95, 0x08, 0x81, 0x02,        //   8 x 1 bit, Input (Data, Var, Abs)
        0x95, 0x01, 0x75, 0x08, 0x81, 0x01,        //   1 x 8 bits, Input (Const)
        0x95, 0x06, 0x75, 0x08,                    //   6 x 8 bits
        0x15, 0x00, 0x25, 0x65,                    //   Logical 0..0x65
        0x19, 0x00, 0x29, 0x65, 0x81, 0x00,        //   usages 0-0x65, Input (Data, Array)
        0x05, 0x08, 0x19, 0x01, 0x29, 0x05,        //   LED page, usages 1-5
        0x95, 0x05, 0x75, 0x01, 0x91, 0x02,        //   5 x 1 bit, Output (Data, Var, Abs)
        0x95, 0x01, 0x75, 0x03, 0x91, 0x01,        //   1 x 3 bits, Output (Const)
        0xC0,                                      // End Collection
        0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,        // Consumer, Consumer Control, Application
        0x85, 0x03,                                //   Report ID 3
        0x15, 0x00, 0x26, 0xFF, 0x03,              //   Logical 0..0x3FF
        0x19, 0x00, 0x2A, 0xFF, 0x03,              //   usages 0-0x3FF
        0x75, 0x10, 0x95, 0x01, 0x81, 0x00,        //   1 x 16 bits, Input (Data, Array)
        0xC0,                                      // End Collection
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,  // Vendor 0xFF00, usage 1, Application
        0x85, 0x04,                                //   Report ID 4
        0x15, 0x00, 0x26, 0xFF, 0x00,              //   Logical 0..255
        0x75, 0x08, 0x95, 0x3F,                    //   63 x 8 bits
        0x09, 0x02, 0x81, 0x02,                    //   usage 2, Input (Data, Var, Abs)
        0x09, 0x03, 0x91, 0x02,                    //   usage 3, Output (Data, Var, Abs)
        0xC0,                                      // End Collection
    };
}

// Mouse without report ids: buttons 1-5, 3 bits of padding, X and Y as 16-bit relative
// values (-32767..32767), a signed 8-bit wheel. Input reports carry 6 data bytes.
inline std::vector<uint8_t> MouseDescriptor() {
    return {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop, Mouse, Application
        0x09, 0x01, 0xA1, 0x00,              //   Pointer, Physical
        0x05, 0x09, 0x19, 0x01, 0x29, 0x05,  //     Button page, buttons 1-5
        0x15, 0x00, 0x25, 0x01,              //     Logical 0..1
        0x95, 0x05, 0x75, 0x01, 0x81, 0x02,  //     5 x 1 bit, Input (Data, Var)
        0x95, 0x01, 0x75, 0x03, 0x81, 0x01,  //     1 x 3 bits, Input (Const)
        0x05, 0x01, 0x09, 0x30, 0x09, 0x31,  //     X, Y
        0x16, 0x01, 0x80, 0x26, 0xFF, 0x7F,  //     Logical -32767..32767
        0x75, 0x10, 0x95, 0x02, 0x81, 0x06,  //     2 x 16 bits, Input (Rel)
        0x09, 0x38, 0x15, 0x81, 0x25, 0x7F,  //     Wheel, Logical -127..127
        0x75, 0x08, 0x95, 0x01, 0x81, 0x06,  //     1 x 8 bits, Input (Rel)
        0xC0, 0xC0,                          //   End Collection x 2
    };
}

// Headset interface: consumer control with report id 1 (volume up, volume down, mute,
// play/pause as single bits), and a vendor collection 0xFFA0 with report id 2 (a 4-byte
// output report and a 16-byte feature report) whose input carries a level 0..255 that
// means 0..100 physical units.
inline std::vector<uint8_t> HeadsetDescriptor() {
    return {
        0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01,              // Consumer, Consumer Control, Application
        0x85, 0x01, 0x15, 0x00, 0x25, 0x01,              //   Report ID 1, Logical 0..1
        0x09, 0xE9, 0x09, 0xEA, 0x09, 0xE2, 0x09, 0xCD,  //   Vol+, Vol-, Mute, Play/Pause
        0x75, 0x01, 0x95, 0x04, 0x81, 0x02,              //   4 x 1 bit, Input (Data, Var, Abs)
        0x95, 0x04, 0x81, 0x01,                          //   4 x 1 bit, Input (Const)
        0xC0,                                            // End Collection
        0x06, 0xA0, 0xFF, 0x09, 0x01, 0xA1, 0x01,        // Vendor 0xFFA0, usage 1, Application
        0x85, 0x02,                                      //   Report ID 2
        0x15, 0x00, 0x26, 0xFF, 0x00,                    //   Logical 0..255
        0x75, 0x08, 0xA4,                                //   8-bit fields, Push
        0x35, 0x00, 0x45, 0x64,                          //     Physical 0..100
        0x09, 0x10, 0x95, 0x01, 0x81, 0x02,              // usage 0x10, Input (Data, Var, Abs)
        0xB4,                                            //   Pop
        0x09, 0x11, 0x95, 0x04, 0x91, 0x02,              //   usage 0x11, 4 x 8 bits, Output
        0x09, 0x12, 0x95, 0x10, 0xB1, 0x02,              //   usage 0x12, 16 x 8 bits, Feature
        0xC0,                                            // End Collection
    };
}

}  // namespace vestra::test
