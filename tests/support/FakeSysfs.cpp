#include "support/FakeSysfs.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fstream>

namespace vestra::test {
namespace fs = std::filesystem;

namespace {

// sysfs writes the USB attributes in lower case and HID_ID in upper case.
std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", digits, value);
    return text;
}

std::string HexUpper(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

void WriteFile(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

}  // namespace

FakeSysfs::FakeSysfs() {
    // The nodes are sockets: a write to an unplugged one must fail with EPIPE, as a write to a
    // vanished hidraw node fails, rather than end the test program.
    signal(SIGPIPE, SIG_IGN);
    fs::create_directories(SysfsRoot() / "class" / "hidraw");
    fs::create_directories(DevRoot());
}

FakeSysfs::~FakeSysfs() {
    for (auto& [number, ends] : m_deviceEnds) {
        for (int end : ends) close(end);
    }
}

void FakeSysfs::Add(int number, const Node& node) {
    const std::string name = "hidraw" + std::to_string(number);
    const std::string hidName = (node.interfaceNumber >= 0 ? "0003:" : "0005:") +
                                HexUpper(node.vendorId, 4) + ":" + HexUpper(node.productId, 4) +
                                "." + HexUpper(static_cast<unsigned>(number + 1), 4);
    // USB: .../usb1/1-<n>/1-<n>:1.<interface>/<hid device>/hidraw/hidrawN; otherwise a
    // virtual parent with no USB attributes.
    const fs::path usbDevice = SysfsRoot() / "devices" / "usb1" / ("1-" + std::to_string(number));
    const fs::path parent =
        node.interfaceNumber >= 0
            ? usbDevice /
                  ("1-" + std::to_string(number) + ":1." + std::to_string(node.interfaceNumber))
            : SysfsRoot() / "devices" / "virtual" / "misc" / ("uhid" + std::to_string(number));
    const fs::path hidDevice = parent / hidName;
    const fs::path hidrawDir = hidDevice / "hidraw" / name;
    fs::create_directories(hidrawDir);

    WriteFile(hidDevice / "uevent", "DRIVER=hid-generic\nHID_ID=" + hidName.substr(0, 4) + ":0000" +
                                        HexUpper(node.vendorId, 4) + ":0000" +
                                        HexUpper(node.productId, 4) + "\nHID_NAME=Fake device\n");
    WriteFile(hidDevice / "report_descriptor",
              std::string(node.descriptor.begin(), node.descriptor.end()));
    if (node.interfaceNumber >= 0) {
        WriteFile(parent / "bInterfaceNumber", Hex(node.interfaceNumber, 2) + "\n");
        WriteFile(usbDevice / "idVendor", Hex(node.vendorId, 4) + "\n");
        WriteFile(usbDevice / "idProduct", Hex(node.productId, 4) + "\n");
        WriteFile(usbDevice / "bcdDevice", Hex(node.release, 4) + "\n");
    }
    fs::create_directory_symlink("../..", hidrawDir / "device");
    fs::create_directory_symlink(fs::relative(hidrawDir, SysfsRoot() / "class" / "hidraw"),
                                 SysfsRoot() / "class" / "hidraw" / name);
    WriteFile(DevRoot() / name, "");
}

void FakeSysfs::Remove(int number) {
    const std::string name = "hidraw" + std::to_string(number);
    std::error_code error;
    fs::path target = fs::canonical(SysfsRoot() / "class" / "hidraw" / name, error);
    fs::remove(SysfsRoot() / "class" / "hidraw" / name, error);
    if (!target.empty()) fs::remove_all(target.parent_path().parent_path(), error);
    fs::remove(DevRoot() / name, error);
    std::lock_guard lock(m_mutex);
    for (int end : m_deviceEnds[number]) close(end);
    m_deviceEnds.erase(number);
}

hid::HidrawBackend::NodeOpener FakeSysfs::Opener() {
    return [this](const std::string& node, int flags) {
        const std::string name = fs::path(node).filename().string();
        if (!fs::exists(node) || name.rfind("hidraw", 0) != 0) {
            errno = ENOENT;
            return -1;
        }
        int ends[2];
        if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, ends) != 0) return -1;
        std::lock_guard lock(m_mutex);
        m_lastOpenFlags = flags;
        m_deviceEnds[std::stoi(name.substr(6))].push_back(ends[1]);
        return ends[0];
    };
}

void FakeSysfs::PruneClosed(std::vector<int>& ends) {
    std::erase_if(ends, [](int end) {
        pollfd p{end, POLLIN, 0};
        // The handle's end is gone once the peer hangs up with nothing left to read.
        if (poll(&p, 1, 0) == 1 && (p.revents & POLLHUP) && !(p.revents & POLLIN)) {
            close(end);
            return true;
        }
        return false;
    });
}

void FakeSysfs::SendInput(int number, std::span<const uint8_t> report) {
    std::lock_guard lock(m_mutex);
    std::vector<int>& ends = m_deviceEnds[number];
    PruneClosed(ends);
    for (int end : ends) send(end, report.data(), report.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
}

std::vector<uint8_t> FakeSysfs::ReceiveOutput(int number, int timeoutMs) {
    std::vector<pollfd> fds;
    {
        std::lock_guard lock(m_mutex);
        for (int end : m_deviceEnds[number]) fds.push_back({end, POLLIN, 0});
    }
    if (fds.empty() || poll(fds.data(), fds.size(), timeoutMs) <= 0) return {};
    for (const pollfd& p : fds) {
        if (!(p.revents & POLLIN)) continue;
        std::vector<uint8_t> report(65536);
        ssize_t n = recv(p.fd, report.data(), report.size(), MSG_DONTWAIT);
        if (n <= 0) continue;
        report.resize(static_cast<size_t>(n));
        return report;
    }
    return {};
}

int FakeSysfs::LastOpenFlags() const {
    std::lock_guard lock(m_mutex);
    return m_lastOpenFlags;
}

size_t FakeSysfs::OpenHandles(int number) {
    std::lock_guard lock(m_mutex);
    std::vector<int>& ends = m_deviceEnds[number];
    PruneClosed(ends);
    return ends.size();
}

}  // namespace vestra::test
