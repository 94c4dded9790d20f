#include "RawHost.h"

#include <algorithm>
#include <string>

namespace vestra::emulator::test {

uint16_t Checksum(const Packet& packet) {
    uint16_t sum = 0;
    for (size_t i = 3; i < packet.size(); ++i) sum = static_cast<uint16_t>(sum + packet[i]);
    return sum;
}

void Restamp(Packet& packet) {
    const uint16_t sum = Checksum(packet);
    packet[1] = static_cast<uint8_t>(sum);
    packet[2] = static_cast<uint8_t>(sum >> 8);
}

Packet Request(uint8_t command, uint8_t length, uint16_t address, std::span<const uint8_t> data) {
    Packet packet{};
    packet[0] = 4;
    packet[3] = command;
    packet[4] = length;
    packet[5] = static_cast<uint8_t>(address);
    packet[6] = static_cast<uint8_t>(address >> 8);
    std::copy_n(data.begin(), std::min<size_t>(data.size(), 56), packet.begin() + 8);
    Restamp(packet);
    return packet;
}

std::shared_ptr<EmulatedHidBackend> WithProducts(std::initializer_list<Product> products) {
    auto backend = EmulatedHidBackend::Create();
    for (Product product : products) backend->Plug(product);
    return backend;
}

namespace {
std::string PathFor(EmulatedHidBackend& backend, Product product, int collection) {
    std::vector<std::string> paths;
    backend.Enumerate(paths);
    const std::string prefix = "emu:" + std::string(IdentityOf(product).name) + "#";
    const std::string suffix = "&col0" + std::to_string(collection + 1);
    for (const std::string& path : paths) {
        if (path.rfind(prefix, 0) != 0) continue;
        if (path.find("&col") == std::string::npos || path.ends_with(suffix)) return path;
    }
    return {};
}
}  // namespace

RawHost::RawHost(EmulatedHidBackend& backend, Product product, std::optional<int> collection) {
    const int c = collection.value_or(IdentityOf(product).configCollection);
    m_device = backend.Open(PathFor(backend, product, c), hid::HidAccess::ReadWrite,
                            hid::HidSharing::Shared);
}

bool RawHost::Send(const Packet& packet) {
    size_t written = 0;
    return m_device && m_device->Write(packet, written, 1000, -1) == hid::TransferResult::Ok;
}

std::optional<std::vector<uint8_t>> RawHost::Receive(int timeoutMs) {
    if (!m_device) return std::nullopt;
    std::vector<uint8_t> report(64);
    size_t read = 0;
    if (m_device->Read(report, read, timeoutMs, -1) != hid::TransferResult::Ok) return std::nullopt;
    report.resize(read);
    return report;
}

std::optional<Packet> RawHost::Exchange(const Packet& request, int timeoutMs) {
    if (!Send(request)) return std::nullopt;
    std::optional<std::vector<uint8_t>> report = Receive(timeoutMs);
    if (!report || report->size() != 64) return std::nullopt;
    Packet reply;
    std::copy(report->begin(), report->end(), reply.begin());
    return reply;
}

std::optional<std::vector<uint8_t>> RawHost::ReadRange(uint8_t command, uint16_t address,
                                                       size_t total, size_t chunk) {
    std::vector<uint8_t> bytes;
    for (size_t at = 0; at < total; at += chunk) {
        const size_t length = std::min(chunk, total - at);
        std::optional<Packet> reply = Exchange(
            Request(command, static_cast<uint8_t>(length), static_cast<uint16_t>(address + at)));
        if (!reply || (*reply)[3] != command || (*reply)[7] != 0) return std::nullopt;
        bytes.insert(bytes.end(), reply->begin() + 8, reply->begin() + 8 + length);
    }
    return bytes;
}

bool RawHost::WriteRange(uint8_t command, uint16_t address, std::span<const uint8_t> bytes,
                         size_t chunk) {
    for (size_t at = 0; at < bytes.size(); at += chunk) {
        const size_t length = std::min(chunk, bytes.size() - at);
        std::optional<Packet> reply =
            Exchange(Request(command, static_cast<uint8_t>(length),
                             static_cast<uint16_t>(address + at), bytes.subspan(at, length)));
        if (!reply || (*reply)[3] != command || (*reply)[7] != 0) return false;
    }
    return true;
}

}  // namespace vestra::emulator::test
