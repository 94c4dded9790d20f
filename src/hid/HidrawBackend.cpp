#include "hid/HidrawBackend.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <system_error>

#include "hid/HidInterface.h"
#include "hid/HidrawDevice.h"
#include "hid/HidrawNode.h"
#include "hid/ReportDescriptorParser.h"
#include "platform/DebugLog.h"

namespace vestra::hid {
namespace fs = std::filesystem;

namespace {

constexpr unsigned kRead = 1;
constexpr unsigned kWrite = 2;

unsigned AccessBits(HidAccess access) {
    switch (access) {
        case HidAccess::Read:
            return kRead;
        case HidAccess::Write:
            return kWrite;
        case HidAccess::ReadWrite:
            return kRead | kWrite;
    }
    return 0;
}

// An exclusive handle shares read access only, a shared one read and write.
unsigned ShareBits(HidSharing sharing) {
    return sharing == HidSharing::Exclusive ? kRead : kRead | kWrite;
}

int OpenFlags(HidAccess access) {
    switch (access) {
        case HidAccess::Read:
            return O_RDONLY;
        case HidAccess::Write:
            return O_WRONLY;
        case HidAccess::ReadWrite:
            return O_RDWR;
    }
    return O_RDONLY;
}

// hidraw<N>, with N decimal; the number orders the listing.
int NodeNumber(const std::string& name) {
    if (name.rfind("hidraw", 0) != 0 || name.size() == 6 || name.size() > 12) return -1;
    int number = 0;
    for (char c : name.substr(6)) {
        if (c < '0' || c > '9') return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace

// The handles this backend has open, per path, with the access they hold and share, so that
// an open that conflicts with them is refused the way a share mode refuses it.
class HidrawBackend::ShareTable {
public:
    struct Handle {
        unsigned access;
        unsigned share;
    };

    bool Acquire(const std::string& path, Handle handle, uint64_t& id) {
        std::lock_guard lock(m_mutex);
        for (const auto& [key, held] : m_handles) {
            if (key.first != path) continue;
            if ((handle.access & ~held.share) || (held.access & ~handle.share)) return false;
        }
        id = ++m_lastId;
        m_handles.emplace(std::pair{path, id}, handle);
        return true;
    }
    void Release(const std::string& path, uint64_t id) {
        std::lock_guard lock(m_mutex);
        m_handles.erase({path, id});
    }

private:
    std::mutex m_mutex;
    std::map<std::pair<std::string, uint64_t>, Handle> m_handles;
    uint64_t m_lastId = 0;
};

HidrawBackend::HidrawBackend(fs::path sysfsRoot, fs::path devRoot)
    : m_sysfsRoot(std::move(sysfsRoot)),
      // Without a trailing separator, so that a node's parent compares equal to it.
      m_devRoot((devRoot / "node").parent_path()),
      m_opener([](const std::string& node, int flags) {
          return ::open(node.c_str(), flags | O_CLOEXEC | O_NONBLOCK);
      }),
      m_shares(std::make_shared<ShareTable>()) {}

HidrawBackend::~HidrawBackend() = default;

void HidrawBackend::SetNodeOpener(NodeOpener opener) {
    m_opener = std::move(opener);
}

std::string HidrawBackend::DevicePath(const std::string& node, const HidAttributes& attributes,
                                      int interfaceNumber, int collectionNumber) {
    char identity[64];
    int n = std::snprintf(identity, sizeof identity, "#vid_%04x&pid_%04x", attributes.vendorId,
                          attributes.productId);
    if (interfaceNumber >= 0) {
        n += std::snprintf(identity + n, sizeof identity - n, "&mi_%02x", interfaceNumber);
    }
    if (collectionNumber > 0) {
        std::snprintf(identity + n, sizeof identity - n, "&col%02x", collectionNumber);
    }
    return node + identity;
}

bool HidrawBackend::Enumerate(std::vector<std::string>& paths) {
    paths.clear();
    const fs::path classDir = m_sysfsRoot / "class" / "hidraw";
    std::error_code error;
    // Without the hidraw class there are no HID interfaces, which is not a failure.
    if (!fs::exists(classDir, error)) return true;

    std::vector<std::pair<int, std::string>> names;
    for (fs::directory_iterator it(classDir, error), end; !error && it != end;
         it.increment(error)) {
        std::string name = it->path().filename().string();
        if (int number = NodeNumber(name); number >= 0) names.emplace_back(number, name);
    }
    if (error) {
        DebugLog::Printf("hidraw: cannot list %s: %s", classDir.c_str(), error.message().c_str());
        return false;
    }
    std::sort(names.begin(), names.end());

    for (const auto& [number, name] : names) {
        std::optional<HidrawNode> node = HidrawNode::Read(m_sysfsRoot, name);
        if (!node) continue;  // unplugged while listing
        std::vector<ParsedDescriptor> collections;
        DescriptorError parse = ReportDescriptorParser::Parse(node->reportDescriptor, collections);
        if (parse != DescriptorError::None) {
            DebugLog::Printf("hidraw: %s skipped, report descriptor refused: %s", name.c_str(),
                             DescriptorErrorText(parse));
            continue;
        }
        const std::string nodePath = (m_devRoot / name).string();
        const int count = static_cast<int>(collections.size());
        for (int i = 0; i < count; ++i) {
            paths.push_back(DevicePath(nodePath, node->attributes, node->interfaceNumber,
                                       count == 1 ? 0 : i + 1));
        }
    }
    return true;
}

std::shared_ptr<HidDevice> HidrawBackend::Open(const std::string& path, HidAccess access,
                                               HidSharing sharing) {
    const size_t hash = path.find('#');
    if (hash == std::string::npos) return nullptr;
    const fs::path nodePath = path.substr(0, hash);
    const std::string name = nodePath.filename().string();
    // Only nodes of the device folder, by the names Enumerate gives them.
    if (nodePath.parent_path() != m_devRoot || NodeNumber(name) < 0) return nullptr;

    std::optional<HidrawNode> node = HidrawNode::Read(m_sysfsRoot, name);
    if (!node) return nullptr;
    // A node number is reused by the next device plugged in; the identity must still match.
    if (ParseVid(path) != node->attributes.vendorId ||
        ParsePid(path) != node->attributes.productId ||
        (node->interfaceNumber >= 0 && ParseInterface(path) != node->interfaceNumber)) {
        DebugLog::Printf("hidraw: %s now holds another device", name.c_str());
        return nullptr;
    }
    std::vector<ParsedDescriptor> collections;
    if (ReportDescriptorParser::Parse(node->reportDescriptor, collections) !=
        DescriptorError::None) {
        return nullptr;
    }
    const int collection = ParseCollection(path);
    if ((collection == 0) != (collections.size() == 1) ||
        collection > static_cast<int>(collections.size())) {
        return nullptr;
    }
    const int index = collection == 0 ? 0 : collection - 1;

    HidrawDevice::Identity identity;
    identity.attributes = node->attributes;
    identity.reportDescriptor = std::move(node->reportDescriptor);
    identity.collectionIndex = index;
    identity.usesReportIds = collections[index].UsesReportIds();
    for (unsigned id = 0; id < 256; ++id) {
        identity.inputReportIds[id] =
            collections[index].ReportLength(ReportType::Input, static_cast<uint8_t>(id)) != 0;
    }

    uint64_t shareId = 0;
    if (!m_shares->Acquire(path, {AccessBits(access), ShareBits(sharing)}, shareId)) {
        DebugLog::Printf("hidraw: %s is in use", path.c_str());
        return nullptr;
    }
    const int fd = m_opener(nodePath.string(), OpenFlags(access));
    if (fd < 0) {
        DebugLog::Printf("hidraw: cannot open %s: %s", nodePath.c_str(), std::strerror(errno));
        m_shares->Release(path, shareId);
        return nullptr;
    }
    return std::make_shared<HidrawDevice>(
        fd, std::move(identity),
        [shares = m_shares, path, shareId] { shares->Release(path, shareId); });
}

}  // namespace vestra::hid
