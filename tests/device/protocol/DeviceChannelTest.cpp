#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <thread>
#include <vector>

#include "ChannelFixture.h"
#include "device/protocol/DeviceChannel.h"
#include "device/protocol/Report.h"
#include "platform/DebugLog.h"
#include "support/FailingHidDevice.h"

namespace vestra::test {
namespace {

using namespace vestra::protocol;
using Bytes = std::vector<uint8_t>;

uint16_t SentChecksum(const Bytes& report) {
    return report[1] | (report[2] << 8);
}
uint16_t SumOf3To63(const Bytes& report) {
    return static_cast<uint16_t>(std::accumulate(report.begin() + 3, report.begin() + 64, 0));
}
uint16_t Address(const Bytes& report) {
    return report[5] | (report[6] << 8);
}

Bytes Reply(uint8_t command, uint8_t status = 0) {
    Bytes reply(64, 0);
    reply[0] = kReportId;
    reply[3] = command;
    reply[7] = status;
    return reply;
}

using ChannelTest = ChannelFixture;

TEST_F(ChannelTest, ChecksumOfABareCommandIsItsCommandByte) {
    OpenCable();
    ASSERT_EQ(channel.BeginConfig(), RESULT_OK);
    auto written = wired.Written();
    ASSERT_EQ(written.size(), 1u);
    Bytes expected(64, 0);
    expected[0] = 4;
    expected[1] = 0x01;  // checksum low
    expected[2] = 0x00;  // checksum high
    expected[3] = 0x01;
    EXPECT_EQ(written[0], expected);

    // The largest possible sum still fits in 16 bits.
    Report full;
    full.fill(0xFF);
    EXPECT_EQ(ReportChecksum(full), 61 * 255);
}

TEST_F(ChannelTest, RequestsArePaddedOrCutToOneReport) {
    OpenCable();
    Bytes reply(64);
    size_t bytesRead = 0;
    struct Case {
        size_t length;
        size_t expectedNonZeroTail;  // bytes from the request that reach the wire
    };
    for (Case c : {Case{0, 0}, Case{5, 5}, Case{70, 64}}) {
        wired.ClearRecords();
        Bytes request(c.length, 0x11);
        channel.Transact(request, reply, bytesRead);
        auto written = wired.Written();
        ASSERT_EQ(written.size(), 1u) << c.length;
        ASSERT_EQ(written[0].size(), 64u) << c.length;
        Bytes expected(64, 0);
        std::fill_n(expected.begin(), c.expectedNonZeroTail, 0x11);
        EXPECT_EQ(written[0], expected) << c.length;
    }
}

TEST_F(ChannelTest, ConnectionTypeSelectsHandleChunkAndTimeouts) {
    EXPECT_EQ(channel.ChunkSize(), 24u);  // before any connection type
    EXPECT_FALSE(channel.IsReceiverMode());

    OpenCable();
    OpenReceiver();
    struct Case {
        int type;
        bool receiver;
        size_t chunk;
        int timeoutMs;
    };
    for (Case c : {Case{0, false, 56, 1000}, Case{1, false, 56, 1000}, Case{2, true, 24, 5000},
                   Case{3, false, 56, 1000}}) {
        channel.SetConnectionType(c.type);
        EXPECT_EQ(channel.IsReceiverMode(), c.receiver) << c.type;
        EXPECT_EQ(channel.ChunkSize(), c.chunk) << c.type;
        wired.ClearRecords();
        receiver.ClearRecords();
        ASSERT_EQ(channel.BeginConfig(), RESULT_OK) << c.type;
        ScriptedHidDevice& used = c.receiver ? receiver : wired;
        ScriptedHidDevice& idle = c.receiver ? wired : receiver;
        EXPECT_EQ(used.WriteTimeouts(), std::vector<int>{c.timeoutMs}) << c.type;
        EXPECT_EQ(used.ReadTimeouts(), std::vector<int>{c.timeoutMs}) << c.type;
        EXPECT_TRUE(idle.Written().empty()) << c.type;
    }
}

TEST_F(ChannelTest, BlockSizeAcceptsAtMost512) {
    EXPECT_EQ(channel.BlockSize(), 512);
    EXPECT_TRUE(channel.SetBlockSize(312));
    EXPECT_FALSE(channel.SetBlockSize(513));
    EXPECT_EQ(channel.BlockSize(), 312);
    EXPECT_TRUE(channel.SetBlockSize(512));
    EXPECT_EQ(channel.BlockSize(), 512);
}

TEST_F(ChannelTest, ClosedChannelSendsNothingAndTracesNothing) {
    std::vector<std::string> lines;
    DebugLog::SetObserver([&](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(channel.BeginConfig(), RESULT_CLOSED);
    DeviceInfo info{};
    EXPECT_EQ(channel.ReadInfo(info), RESULT_CLOSED);

    OpenCable();
    channel.SetOpen(false);
    EXPECT_EQ(channel.WriteMacros(Counting(100)), RESULT_CLOSED);
    EXPECT_EQ(channel.StreamLight(Counting(100)), RESULT_CLOSED);
    DebugLog::SetObserver({});
    EXPECT_TRUE(wired.Written().empty());
    EXPECT_TRUE(lines.empty());
}

TEST_F(ChannelTest, TraceShowsRequestAndReplyInTwoLinesOf32) {
    OpenCable();
    std::vector<std::string> lines;
    DebugLog::SetObserver([&](std::string_view line) { lines.emplace_back(line); });
    wiredFirmware.SetMemory(CMD_READ_STATUS, Counting(6, 0xA0));
    std::array<uint8_t, 6> status{};
    ASSERT_EQ(channel.ReadStatus(status, 0), RESULT_OK);
    DebugLog::SetObserver({});

    const std::string zeros32 =
        "00 00 00 00   00 00 00 00   00 00 00 00   00 00 00 00  "
        "00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00";
    std::vector<std::string> expected = {
        "命令",
        "04 20 00 1a   06 00 00 00   00 00 00 00   00 00 00 00  "
        "00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00",
        zeros32,
        "返回",
        "04 00 00 1a   06 00 00 00   a0 a1 a2 a3   a4 a5 00 00  "
        "00 00 00 00  00 00 00 00  00 00 00 00  00 00 00 00",
        zeros32,
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(ChannelTest, ForeignReportIsSkippedOnce) {
    OpenCable();
    // A notification already waiting when the command goes out.
    wired.QueueInput(Reply(0x40));
    EXPECT_EQ(channel.BeginConfig(), RESULT_OK);
    EXPECT_EQ(wired.PendingInput(), 0u);

    // Two foreign reports: the request got no answer, and the foreign bytes are not data.
    wired.QueueInput(Reply(0x40));
    wired.QueueInput(Reply(0x41));
    EXPECT_EQ(channel.BeginConfig(), RESULT_CLOSED);
    EXPECT_EQ(wired.ReadTimeouts().size(), 4u);  // two reads per exchange, no more

    // The late reply is still queued; the next exchange of the same command takes it.
    EXPECT_EQ(channel.BeginConfig(), RESULT_OK);
}

TEST_F(ChannelTest, LinkReportMeansNoLinkOnlyThroughTheReceiver) {
    OpenReceiver();
    receiverFirmware.SetReplyCommand(CMD_LINK_QUERY);
    EXPECT_EQ(channel.BeginConfig(), RESULT_NO_LINK);
    // The link query itself is answered with 0xAA: that is its reply.
    EXPECT_TRUE(channel.QueryLink());
    receiverFirmware.SetReplyCommand(0);

    OpenCable();
    wired.QueueInput(Reply(CMD_LINK_QUERY));
    EXPECT_EQ(channel.BeginConfig(), RESULT_OK);  // on the cable 0xAA is just a foreign report
}

TEST_F(ChannelTest, DeviceStatusFailuresAreReported) {
    OpenCable();
    wiredFirmware.SetStatusOfRequest(0, 0xFF);
    wiredFirmware.SetStatusOfRequest(1, 0xFE);
    wiredFirmware.SetStatusOfRequest(2, 0x01);  // any other status is success
    EXPECT_EQ(channel.BeginConfig(), RESULT_DEVICE_ERROR_FF);
    EXPECT_EQ(channel.BeginConfig(), RESULT_DEVICE_ERROR_FE);
    EXPECT_EQ(channel.BeginConfig(), RESULT_OK);
}

TEST_F(ChannelTest, MissingReplyTimesOutAsClosedAndChannelRecovers) {
    OpenReceiver();
    receiverFirmware.SetAnswering(false);
    EXPECT_EQ(channel.BeginConfig(), RESULT_CLOSED);
    EXPECT_EQ(receiver.ReadTimeouts(), std::vector<int>{5000});  // a failed read is not retried
    EXPECT_FALSE(channel.ExchangeInProgress());

    receiverFirmware.SetAnswering(true);
    EXPECT_EQ(channel.BeginConfig(), RESULT_OK);
}

// Faults of the handle itself: the channel reports them and is usable once the handle is.
class FailingChannelTest : public ChannelFixture {
protected:
    void OpenFailing(size_t transfers, hid::TransferResult failure, FailingTransfer which) {
        backend.Add("scripted:failing#vid_320f&pid_1000&mi_01", [&, transfers, failure, which] {
            failing =
                std::make_shared<FailingHidDevice>(wired.OpenHandle(), transfers, failure, which);
            return failing;
        });
        ASSERT_TRUE(channel.WiredHandle().Open("scripted:failing#vid_320f&pid_1000&mi_01",
                                               hid::HidAccess::ReadWrite, hid::HidSharing::Shared));
        channel.SetOpen(true);
        channel.SetConnectionType(kConnectionCable);
    }
    std::shared_ptr<FailingHidDevice> failing;
};

TEST_F(FailingChannelTest, WriteFailureStopsBeforeReading) {
    OpenFailing(0, hid::TransferResult::TimedOut, FailingTransfer::Writes);
    EXPECT_EQ(channel.BeginConfig(), RESULT_WRITE_FAILED);
    EXPECT_TRUE(wired.ReadTimeouts().empty());
    EXPECT_FALSE(channel.ExchangeInProgress());
    failing->SetTransfersBeforeFailure(FailingHidDevice::kNever);
    EXPECT_EQ(channel.BeginConfig(), RESULT_OK);
}

TEST_F(FailingChannelTest, UnplugMidTransferStopsAtThatChunk) {
    // Three chunks pass (write + read each), then the device is gone.
    OpenFailing(6, hid::TransferResult::Failed, FailingTransfer::Any);
    EXPECT_EQ(channel.WriteMacros(Counting(400)), RESULT_WRITE_FAILED);
    EXPECT_EQ(wired.Written().size(), 3u);
    failing->SetTransfersBeforeFailure(FailingHidDevice::kNever);
    EXPECT_EQ(channel.WriteMacros(Counting(100)), RESULT_OK);

    failing->SetTransfersBeforeFailure(1);  // the write passes, the read fails
    EXPECT_EQ(channel.EndConfig(), RESULT_CLOSED);
    failing->SetTransfersBeforeFailure(FailingHidDevice::kNever);
    EXPECT_EQ(channel.EndConfig(), RESULT_OK);
}

TEST_F(ChannelTest, ChunkedWriteSplitsByTransportAndCarriesTheTail) {
    const Bytes data = Counting(100);
    struct Case {
        bool receiver;
        std::vector<size_t> lengths;
        std::vector<uint16_t> addresses;
    };
    for (Case c :
         {Case{false, {56, 44}, {0, 56}}, Case{true, {24, 24, 24, 24, 4}, {0, 24, 48, 72, 96}}}) {
        if (c.receiver) {
            OpenReceiver();
        } else {
            OpenCable();
        }
        ScriptedHidDevice& device = c.receiver ? receiver : wired;
        device.ClearRecords();
        ASSERT_EQ(channel.WriteSettings(data, 0), RESULT_OK);
        auto written = device.Written();
        ASSERT_EQ(written.size(), c.lengths.size());
        size_t chunk = c.lengths[0];
        for (size_t i = 0; i < written.size(); ++i) {
            const Bytes& packet = written[i];
            EXPECT_EQ(packet[3], CMD_WRITE_SETTINGS);
            EXPECT_EQ(packet[4], c.lengths[i]);
            EXPECT_EQ(Address(packet), c.addresses[i]);
            EXPECT_EQ(packet[7], 0);
            EXPECT_TRUE(std::equal(packet.begin() + 8, packet.begin() + 8 + c.lengths[i],
                                   data.begin() + c.addresses[i]));
            EXPECT_EQ(SentChecksum(packet), SumOf3To63(packet)) << i;
        }
        // The short last chunk still carries the previous chunk's bytes after its own.
        const Bytes& last = written.back();
        const Bytes& before = written[written.size() - 2];
        size_t own = c.lengths.back();
        EXPECT_TRUE(
            std::equal(last.begin() + 8 + own, last.begin() + 8 + chunk, before.begin() + 8 + own));
        EXPECT_NE(last[8 + own], 0);
    }
}

TEST_F(ChannelTest, EmptyTransferSendsNothing) {
    OpenCable();
    EXPECT_EQ(channel.WriteMacros({}), RESULT_OK);
    EXPECT_EQ(channel.ReadSettings({}, 0), RESULT_OK);
    EXPECT_EQ(channel.StreamLight({}), RESULT_OK);
    EXPECT_TRUE(wired.Written().empty());
}

TEST_F(ChannelTest, ChunkedWriteStopsAtAFailedStatus) {
    OpenCable();
    for (uint8_t status : {uint8_t{0xFF}, uint8_t{0xFE}}) {
        wired.ClearRecords();
        wiredFirmware.SetStatusOfRequest(1, status);
        int expected = status == 0xFF ? RESULT_DEVICE_ERROR_FF : RESULT_DEVICE_ERROR_FE;
        EXPECT_EQ(channel.WriteMacros(Counting(200)), expected);
        EXPECT_EQ(wired.Written().size(), 2u);  // of four chunks
    }
}

}  // namespace
}  // namespace vestra::test
