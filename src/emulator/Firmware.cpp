#include "emulator/Firmware.h"

#include <algorithm>
#include <cstring>

namespace vestra::emulator {
namespace {

using namespace vestra::protocol;

enum class Access { Read, StagedWrite, LiveWrite };

struct Route {
    uint8_t command;
    Region region;
    Access access;
};

// A command is served by a peripheral when its region exists there (non-zero size).
constexpr Route kRoutes[] = {
    {CMD_READ_INFO, Region::Info, Access::Read},
    {CMD_READ_SETTINGS, Region::Settings, Access::Read},
    {CMD_WRITE_SETTINGS, Region::Settings, Access::StagedWrite},
    {CMD_READ_KEYMAP, Region::KeyTable, Access::Read},
    {CMD_WRITE_KEYMAP, Region::KeyTable, Access::StagedWrite},
    {CMD_WRITE_CUSTOM_LIGHT, Region::CustomLight, Access::LiveWrite},
    {CMD_STREAM_LIGHT, Region::LightFrame, Access::LiveWrite},
    {CMD_WRITE_MACROS, Region::Macros, Access::StagedWrite},
    {CMD_WRITE_SHOOT, Region::Shoot, Access::StagedWrite},
    {CMD_READ_STATUS, Region::Status, Access::Read},
    {CMD_READ_KEY_LEDS, Region::KeyLeds, Access::Read},
};

const Route* FindRoute(uint8_t command) {
    for (const Route& route : kRoutes) {
        if (route.command == command) return &route;
    }
    return nullptr;
}

// Bounds what a host can stage in one bracket that it never closes.
constexpr size_t kMaxStagedBytes = 64 * 1024;

constexpr uint8_t kBankLeft = 0x22;
constexpr uint8_t kBankRight = 0x44;
constexpr uint8_t kFirstRegister = 0xAA;  // red 0-6, green 0-6, blue 0-6, red 7-12, ...
constexpr uint8_t kLastRegister = 0xAF;

}  // namespace

uint16_t PacketChecksum(const CommandPacket& packet) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&packet);
    uint16_t sum = 0;
    for (size_t i = kOffsetCommand; i < kReportSize; ++i)
        sum = static_cast<uint16_t>(sum + bytes[i]);
    return sum;
}

Firmware::Firmware(Peripheral peripheral)
    : m_kind(peripheral), m_memory(DeviceMemory::Factory(peripheral)) {}

CommandPacket Firmware::Execute(const CommandPacket& request, Link link) {
    CommandPacket reply = request;
    reply.status = Run(request, link, reply);
    StoreLe16(reply.checksum, PacketChecksum(reply));
    return reply;
}

uint8_t Firmware::Run(const CommandPacket& request, Link link, CommandPacket& reply) {
    if (LoadLe16(request.checksum) != PacketChecksum(request)) return kStatusBadPacket;
    if (request.length > kMaxDataPerPacket) return kStatusBadPacket;

    switch (request.command) {
        case CMD_BEGIN_CONFIG:
            // A second begin keeps what is staged: the bracket simply stays open.
            m_bracketLink = link;
            return kStatusOk;
        case CMD_END_CONFIG:
            Commit();
            return kStatusOk;
        case CMD_LINK_QUERY:
            std::memset(reply.data, 0, sizeof reply.data);
            reply.data[0] = kLinkUp;
            return kStatusOk;
        case CMD_HOST_LIGHT_CONTROL:
            if (m_kind != Peripheral::Keyboard) return kStatusRefused;
            m_memory.SetHostLightControl(true);
            return kStatusOk;
        default:
            return Transfer(request, reply);
    }
}

uint8_t Firmware::Transfer(const CommandPacket& request, CommandPacket& reply) {
    const Route* route = FindRoute(request.command);
    if (!route) return kStatusRefused;
    std::span<uint8_t> region = m_memory.Bytes(route->region);
    const size_t address = LoadLe16(request.address);
    const size_t length = request.length;
    if (region.empty() || address + length > region.size()) return kStatusRefused;

    switch (route->access) {
        case Access::Read:
            std::memset(reply.data, 0, sizeof reply.data);
            std::copy_n(region.begin() + address, length, reply.data);
            return kStatusOk;
        case Access::StagedWrite:
            if (!m_bracketLink) return kStatusRefused;
            if (m_stagedBytes + length > kMaxStagedBytes) return kStatusRefused;
            m_staged.push_back({route->region, address, {request.data, request.data + length}});
            m_stagedBytes += length;
            return kStatusOk;
        case Access::LiveWrite:
            std::copy_n(request.data, length, region.begin() + address);
            return kStatusOk;
    }
    return kStatusRefused;
}

void Firmware::Commit() {
    for (const StagedWrite& write : m_staged) {
        std::ranges::copy(write.bytes, m_memory.Bytes(write.region).begin() + write.address);
    }
    m_staged.clear();
    m_stagedBytes = 0;
    m_bracketLink.reset();
}

void Firmware::AbortBracket(Link link) {
    if (m_bracketLink != link) return;
    m_staged.clear();
    m_stagedBytes = 0;
    m_bracketLink.reset();
}

bool Firmware::WriteLedRegisters(std::span<const uint8_t> report) {
    std::span<uint8_t> registers = m_memory.Bytes(Region::LedRegisters);
    if (registers.empty() || report.size() < sizeof(LedRegisterReport)) return false;
    LedRegisterReport led;
    std::memcpy(&led, report.data(), sizeof led);
    if (led.bank != kBankLeft && led.bank != kBankRight) return false;
    if (led.reg < kFirstRegister || led.reg > kLastRegister) return false;

    const int index = led.reg - kFirstRegister;
    const int colour = index % 3;
    const bool upper = index >= 3;  // LEDs 7-12 take six values, LEDs 0-6 seven
    const int first = upper ? 7 : 0;
    const int count = upper ? kHeadsetLeds - 7 : 7;
    const int bank = led.bank == kBankLeft ? 0 : 1;
    uint8_t* target = registers.data() + (bank * 3 + colour) * kHeadsetLeds + first;
    std::copy_n(led.values, count, target);
    return true;
}

bool Firmware::SelectProfile(int slot, std::optional<int> extra) {
    if (slot < 0 || slot >= kProfileSlots) return false;
    std::span<uint8_t> settings = m_memory.Bytes(Region::Settings);
    const bool mouse = m_kind == Peripheral::Mouse;
    if (extra) {
        if (*extra < 0 || *extra >= (mouse ? 4 : 16)) return false;
        const size_t at =
            mouse ? slot * kMouseSettingsSlotStride + offsetof(MouseSettingsPage, selectedStage)
                  : slot * kSettingsSlotStride + offsetof(LightingRecord, keyboardExtra);
        settings[at] = static_cast<uint8_t>(*extra);
    }
    settings[0] = static_cast<uint8_t>(slot);
    return true;
}

void Firmware::SetPower(uint8_t batteryPercent, uint8_t powerState) {
    std::span<uint8_t> status = m_memory.Bytes(Region::Status);
    status[offsetof(StatusBlock, batteryPercent)] = batteryPercent;
    status[offsetof(StatusBlock, powerState)] = powerState;
}

void Firmware::SetPhoneType(uint8_t phoneType) {
    m_memory.Bytes(Region::Status)[offsetof(StatusBlock, phoneType)] = phoneType;
}

}  // namespace vestra::emulator
