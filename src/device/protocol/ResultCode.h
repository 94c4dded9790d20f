// Outcome codes of channel exchanges and device commands; callers test for RESULT_OK only.
#pragma once

namespace vestra::protocol {

enum ResultCode : int {
    RESULT_OK = 1,
    RESULT_CLOSED = 0,              // channel not open, or no reply (time-out, read error, stop)
    RESULT_WRITE_FAILED = -1,       // the request could not be written within the time-out
    RESULT_NO_LINK = -101,          // the receiver answered with its own link report: device away
    RESULT_DEVICE_ERROR_FF = -102,  // reply status byte 0xFF
    RESULT_DEVICE_ERROR_FE = -103,  // reply status byte 0xFE
    RESULT_BAD_PAGE = -201,         // key table write asked for a page other than 0
};

// A short English description of a result code, for messages and logs.
const char* ResultText(int result);

}  // namespace vestra::protocol
