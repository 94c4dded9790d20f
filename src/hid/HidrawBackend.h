// The Linux HID backend: hidraw nodes listed from sysfs, one path per top-level collection.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hid/HidBackend.h"

namespace vestra::hid {

class HidrawBackend final : public HidBackend {
public:
    // Opens a device node with open(2) flags; returns the descriptor or -1 with errno set.
    using NodeOpener = std::function<int(const std::string& node, int flags)>;

    explicit HidrawBackend(std::filesystem::path sysfsRoot = "/sys",
                           std::filesystem::path devRoot = "/dev");
    ~HidrawBackend() override;

    // Replaces open(2) for the device nodes (tests hand out socket pairs).
    void SetNodeOpener(NodeOpener opener);

    bool Enumerate(std::vector<std::string>& paths) override;
    std::shared_ptr<HidDevice> Open(const std::string& path, HidAccess access,
                                    HidSharing sharing) override;

    // "<node>#vid_320f&pid_1000&mi_01&col04": no "&mi_" off USB, no "&col" (collection 0)
    // when the node has one top-level collection.
    static std::string DevicePath(const std::string& node, const HidAttributes& attributes,
                                  int interfaceNumber, int collectionNumber);

private:
    class ShareTable;

    std::filesystem::path m_sysfsRoot;
    std::filesystem::path m_devRoot;
    NodeOpener m_opener;
    std::shared_ptr<ShareTable> m_shares;
};

}  // namespace vestra::hid
