#include "emulator/DemoSetup.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "emulator/StateFile.h"
#include "hid/HidBackend.h"
#include "platform/Paths.h"

namespace vestra::emulator {
namespace fs = std::filesystem;

DemoSetup::DemoSetup() : m_backend(EmulatedHidBackend::Create()) {}

DemoSetup::~DemoSetup() {
    if (m_installed) hid::HidBackend::SetDefault(nullptr);
}

fs::path DemoSetup::StateFile() {
    return Paths::DataFolder() / "demo" / "emulator.json";
}

bool DemoSetup::Start(const std::vector<std::string>& products, std::string& warning,
                      std::string& error) {
    std::vector<Product> plugged;
    for (const std::string& name : products) {
        std::optional<Product> product = ProductFromName(name);
        if (!product) {
            error = "unknown demo product \"" + name +
                    "\" (keyboard, keyboard-receiver, mouse, mouse-receiver, pad, headset)";
            return false;
        }
        plugged.push_back(*product);
    }
    if (plugged.empty())
        plugged.assign(std::begin(kAllProducts), std::end(kAllProducts));

    const fs::path file = StateFile();
    std::string reason;
    if (LoadStateFile(*m_backend, file, reason) == StateLoad::Invalid) {
        std::replace(reason.begin(), reason.end(), '\n', ' ');
        while (!reason.empty() && reason.back() == ' ') reason.pop_back();
        // The next save replaces the file; keep what was there for whoever wants to look.
        fs::path kept = file;
        kept += ".bad";
        std::error_code ec;
        fs::rename(file, kept, ec);
        warning =
            "demo state " + file.string() + " " + reason + "; starting from the factory state";
        if (ec) {
            m_keepFile = true;
            warning += " (the file could not be moved aside and will not be overwritten)";
        } else {
            warning += " (the old file is kept as " + kept.string() + ")";
        }
    }

    for (Product product : plugged) m_backend->Plug(product);
    hid::HidBackend::SetDefault(m_backend.get());
    m_installed = true;
    return true;
}

bool DemoSetup::Finish(std::string& error) {
    if (m_installed) hid::HidBackend::SetDefault(nullptr);
    m_installed = false;
    if (m_keepFile) return true;
    return SaveStateFile(*m_backend, StateFile(), error);
}

}  // namespace vestra::emulator
