#include "device/protocol/ResultCode.h"

namespace vestra::protocol {

const char* ResultText(int result) {
    switch (result) {
        case RESULT_OK:
            return "ok";
        case RESULT_CLOSED:
            return "no reply from the device (closed, timed out or unplugged)";
        case RESULT_WRITE_FAILED:
            return "the request could not be sent";
        case RESULT_NO_LINK:
            return "the wireless device is not linked to its receiver";
        case RESULT_DEVICE_ERROR_FF:
            return "the device refused the command (status 0xff)";
        case RESULT_DEVICE_ERROR_FE:
            return "the device refused the command (status 0xfe)";
        case RESULT_BAD_PAGE:
            return "only key table page 0 can be written";
        default:
            return "unknown result";
    }
}

}  // namespace vestra::protocol
