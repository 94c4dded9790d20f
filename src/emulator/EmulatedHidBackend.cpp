#include "emulator/EmulatedHidBackend.h"

#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "device/protocol/ProtocolConstants.h"
#include "emulator/EmulatedEndpoint.h"
#include "emulator/ReportDescriptors.h"
#include "platform/Clock.h"

namespace vestra::emulator {
namespace {

constexpr int kStateVersion = 1;
// Flipped in the command byte of a reply sent back for the wrong command.
constexpr uint8_t kWrongCommandBit = 0x40;

uint64_t NowMs() {
    return SteadyClock::Instance().NowMs();
}

Link LinkOf(Product product) {
    return IdentityOf(product).isReceiver ? Link::Radio : Link::Cable;
}

std::string PathOf(Product product, int collection) {
    const ProductIdentity& id = IdentityOf(product);
    char text[96];
    int n = std::snprintf(text, sizeof text, "emu:%.*s#vid_%04x&pid_%04x&mi_%02x",
                          static_cast<int>(id.name.size()), id.name.data(), id.vendorId,
                          id.productId, id.interfaceNumber);
    if (CollectionCountOf(product) > 1) {
        std::snprintf(text + n, sizeof text - n, "&col%02x", collection + 1);
    }
    return text;
}

// What the receiver sends in place of a reply while its device does not answer: its own link
// report, command byte 0xAA, with byte 8 = 0 (the device is not reachable).
CommandPacket LinkDownReport() {
    CommandPacket report{};
    report.reportId = protocol::kReportId;
    report.command = protocol::CMD_LINK_QUERY;
    report.length = 1;
    StoreLe16(report.checksum, PacketChecksum(report));
    return report;
}

std::span<const uint8_t> BytesOf(const CommandPacket& packet) {
    return {reinterpret_cast<const uint8_t*>(&packet), sizeof packet};
}

}  // namespace

std::shared_ptr<EmulatedHidBackend> EmulatedHidBackend::Create() {
    return std::make_shared<EmulatedHidBackend>(Token{});
}

EmulatedHidBackend::EmulatedHidBackend(Token) {
    for (Peripheral peripheral : kAllPeripherals) m_peripherals.push_back({Firmware(peripheral)});
}

EmulatedHidBackend::~EmulatedHidBackend() = default;

bool EmulatedHidBackend::Enumerate(std::vector<std::string>& paths) {
    std::lock_guard lock(m_mutex);
    paths.clear();
    for (Product product : kAllProducts) {
        if (!StateOf(product).plugged) continue;
        for (int c = 0; c < CollectionCountOf(product); ++c) paths.push_back(PathOf(product, c));
    }
    return true;
}

std::shared_ptr<hid::HidDevice> EmulatedHidBackend::Open(const std::string& path,
                                                         hid::HidAccess access,
                                                         hid::HidSharing sharing) {
    std::lock_guard lock(m_mutex);
    for (Product product : kAllProducts) {
        ProductState& state = StateOf(product);
        if (!state.plugged) continue;
        for (int c = 0; c < CollectionCountOf(product); ++c) {
            if (strcasecmp(path.c_str(), PathOf(product, c).c_str()) != 0) continue;

            std::erase_if(state.handles, [](const OpenHandle& h) { return h.endpoint.expired(); });
            const bool exclusive = sharing == hid::HidSharing::Exclusive;
            for (const OpenHandle& other : state.handles) {
                if (other.collection == c && (exclusive || other.exclusive)) return nullptr;
            }
            auto endpoint =
                std::make_shared<EmulatedEndpoint>(shared_from_this(), product, c, access);
            state.handles.push_back({endpoint, c, exclusive});
            return endpoint;
        }
    }
    return nullptr;
}

void EmulatedHidBackend::Plug(Product product) {
    std::lock_guard lock(m_mutex);
    StateOf(product).plugged = true;
}

void EmulatedHidBackend::Unplug(Product product) {
    std::lock_guard lock(m_mutex);
    UnplugLocked(product);
}

void EmulatedHidBackend::UnplugLocked(Product product) {
    ProductState& state = StateOf(product);
    state.plugged = false;
    for (const OpenHandle& handle : state.handles) {
        if (auto endpoint = handle.endpoint.lock()) endpoint->MarkGone();
    }
    state.handles.clear();
    StateOf(IdentityOf(product).peripheral).firmware.AbortBracket(LinkOf(product));
}

bool EmulatedHidBackend::IsPlugged(Product product) const {
    std::lock_guard lock(m_mutex);
    return StateOf(product).plugged;
}

void EmulatedHidBackend::SetAsleep(Peripheral peripheral, bool asleep) {
    std::lock_guard lock(m_mutex);
    PeripheralState& state = StateOf(peripheral);
    state.asleep = asleep;
    if (asleep) state.firmware.AbortBracket(Link::Radio);
}

bool EmulatedHidBackend::IsAsleep(Peripheral peripheral) const {
    std::lock_guard lock(m_mutex);
    return StateOf(peripheral).asleep;
}

bool EmulatedHidBackend::Reachable(Product product) const {
    const ProductIdentity& identity = IdentityOf(product);
    return StateOf(product).plugged &&
           !(identity.isReceiver && StateOf(identity.peripheral).asleep);
}

bool EmulatedHidBackend::Notify(Peripheral peripheral, uint16_t usage) {
    std::lock_guard lock(m_mutex);
    const uint8_t report[kNotifyReportSize] = {kNotifyReportId, static_cast<uint8_t>(usage),
                                               static_cast<uint8_t>(usage >> 8)};
    bool delivered = false;
    for (Product product : kAllProducts) {
        const ProductIdentity& identity = IdentityOf(product);
        if (identity.peripheral != peripheral || !Reachable(product)) continue;
        DeliverLocked(product, identity.notifyCollection, report, NowMs());
        delivered = true;
    }
    return delivered;
}

bool EmulatedHidBackend::RequestSync(Peripheral peripheral) {
    return Notify(peripheral, 0x0401);
}

bool EmulatedHidBackend::SwitchProfile(Peripheral peripheral, int slot, std::optional<int> extra) {
    {
        std::lock_guard lock(m_mutex);
        if (!StateOf(peripheral).firmware.SelectProfile(slot, extra)) return false;
    }
    // 0x10s: profile s; 0x11es: profile s with the extra value e in bits 4-7.
    const uint16_t usage = extra ? static_cast<uint16_t>(0x1100 | *extra << 4 | slot)
                                 : static_cast<uint16_t>(0x1000 | slot);
    Notify(peripheral, usage);
    return true;
}

void EmulatedHidBackend::SetPower(Peripheral peripheral, uint8_t batteryPercent, PowerState state) {
    std::lock_guard lock(m_mutex);
    StateOf(peripheral).firmware.SetPower(batteryPercent, static_cast<uint8_t>(state));
}

void EmulatedHidBackend::SetPhoneType(uint8_t phoneType) {
    std::lock_guard lock(m_mutex);
    StateOf(Peripheral::Pad).firmware.SetPhoneType(phoneType);
}

void EmulatedHidBackend::SetFaults(Product product, const FaultPlan& faults) {
    std::lock_guard lock(m_mutex);
    StateOf(product).faults = faults;
}

FaultPlan EmulatedHidBackend::Faults(Product product) const {
    std::lock_guard lock(m_mutex);
    return StateOf(product).faults;
}

DeviceMemory EmulatedHidBackend::Memory(Peripheral peripheral) const {
    std::lock_guard lock(m_mutex);
    return StateOf(peripheral).firmware.Memory();
}

void EmulatedHidBackend::SetMemory(Peripheral peripheral, const DeviceMemory& memory) {
    std::lock_guard lock(m_mutex);
    StateOf(peripheral).firmware.Memory() = memory;
}

bool EmulatedHidBackend::BracketOpen(Peripheral peripheral) const {
    std::lock_guard lock(m_mutex);
    return StateOf(peripheral).firmware.BracketOpen();
}

bool EmulatedHidBackend::TakeOutput(const EmulatedEndpoint& from, std::span<const uint8_t> report) {
    std::lock_guard lock(m_mutex);
    const Product product = from.GetProduct();
    if (from.IsGone() || !StateOf(product).plugged || report.empty()) return false;
    const ProductIdentity& identity = IdentityOf(product);
    const uint8_t reportId = report[0];

    if (reportId == protocol::kReportId && from.CollectionIndex() == identity.configCollection) {
        return report.size() == protocol::kReportSize && TakeCommand(product, report);
    }
    // The host may pad the 17-byte LED report up to the collection's longest output report.
    if (reportId == kLedRegisterReportId && identity.peripheral == Peripheral::Headset &&
        report.size() >= kLedRegisterReportSize && report.size() <= protocol::kReportSize) {
        StateOf(Peripheral::Headset).firmware.WriteLedRegisters(report);
        return true;
    }
    return false;
}

bool EmulatedHidBackend::TakeCommand(Product product, std::span<const uint8_t> report) {
    ProductState& state = StateOf(product);
    FaultPlan& faults = state.faults;
    if (faults.disconnectAfterPackets == 0) {
        faults.disconnectAfterPackets = -1;
        UnplugLocked(product);
        return false;
    }
    if (faults.disconnectAfterPackets > 0) --faults.disconnectAfterPackets;

    CommandPacket request;
    std::memcpy(&request, report.data(), sizeof request);
    const ProductIdentity& identity = IdentityOf(product);
    CommandPacket reply;
    if (!Reachable(product)) {
        reply = LinkDownReport();
    } else if (faults.errorReplies > 0) {
        --faults.errorReplies;
        reply = request;
        reply.status = faults.errorStatus;
        StoreLe16(reply.checksum, PacketChecksum(reply));
    } else {
        reply = StateOf(identity.peripheral).firmware.Execute(request, LinkOf(product));
    }

    if (faults.dropReplies > 0) {
        --faults.dropReplies;
        return true;
    }
    if (faults.wrongCommandReplies > 0) {
        --faults.wrongCommandReplies;
        reply.command ^= kWrongCommandBit;
        StoreLe16(reply.checksum, PacketChecksum(reply));
    }
    DeliverLocked(product, identity.configCollection, BytesOf(reply),
                  NowMs() + static_cast<uint64_t>(std::max(faults.replyDelayMs, 0)));
    return true;
}

void EmulatedHidBackend::DeliverLocked(Product product, int collection,
                                       std::span<const uint8_t> report, uint64_t dueMs) {
    for (const OpenHandle& handle : StateOf(product).handles) {
        if (handle.collection != collection) continue;
        auto endpoint = handle.endpoint.lock();
        if (endpoint && endpoint->CanRead()) endpoint->Deliver(report, dueMs);
    }
}

Json::Value EmulatedHidBackend::SaveState() const {
    std::lock_guard lock(m_mutex);
    Json::Value root(Json::objectValue);
    root["Version"] = kStateVersion;
    Json::Value& devices = root["Devices"];
    devices = Json::Value(Json::objectValue);
    for (Peripheral peripheral : kAllPeripherals) {
        const PeripheralState& state = StateOf(peripheral);
        Json::Value device = state.firmware.Memory().ToJson();
        device["Asleep"] = state.asleep ? 1 : 0;
        devices[std::string(PeripheralName(peripheral))] = device;
    }
    return root;
}

bool EmulatedHidBackend::LoadState(const Json::Value& state, std::string& error) {
    if (!state.isObject() || !state["Version"].isIntegral() ||
        state["Version"].asInt() != kStateVersion) {
        error = "not an emulator state of version " + std::to_string(kStateVersion);
        return false;
    }
    const Json::Value& devices = state["Devices"];
    std::lock_guard lock(m_mutex);
    std::vector<std::pair<DeviceMemory, bool>> loaded;
    for (Peripheral peripheral : kAllPeripherals) {
        const std::string name(PeripheralName(peripheral));
        const Json::Value& device = devices.isObject() ? devices[name] : Json::Value::null;
        DeviceMemory memory = StateOf(peripheral).firmware.Memory();
        std::string detail;
        if (!memory.FromJson(device, detail)) {
            error = name + ": " + detail;
            return false;
        }
        const Json::Value& asleep = device["Asleep"];
        if (!asleep.isNull() && !asleep.isIntegral()) {
            error = name + ": Asleep: expected 0 or 1";
            return false;
        }
        loaded.emplace_back(std::move(memory), asleep.isIntegral() && asleep.asInt() != 0);
    }
    for (Peripheral peripheral : kAllPeripherals) {
        PeripheralState& target = StateOf(peripheral);
        auto& [memory, asleep] = loaded[static_cast<size_t>(peripheral)];
        target.firmware = Firmware(peripheral);
        target.firmware.Memory() = std::move(memory);
        target.asleep = asleep;
    }
    return true;
}

}  // namespace vestra::emulator
