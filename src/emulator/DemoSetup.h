// The --demo option: emulated products in place of real ones, their state kept between runs.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "emulator/EmulatedHidBackend.h"

namespace vestra::emulator {

class DemoSetup {
public:
    DemoSetup();
    ~DemoSetup();  // restores the default backend if Finish was not reached
    DemoSetup(const DemoSetup&) = delete;
    DemoSetup& operator=(const DemoSetup&) = delete;

    // <data folder>/demo/emulator.json
    static std::filesystem::path StateFile();

    // Loads the state file (factory state when it is missing; when it is unreadable or
    // invalid it is kept beside as "emulator.json.bad" and warning says so), plugs in the
    // listed products (every one when the list is empty) and installs the emulator as the
    // default HID backend. False with an error for an unknown product name.
    bool Start(const std::vector<std::string>& products, std::string& warning, std::string& error);
    // Restores the default backend and saves the state (unless an invalid file could not be
    // moved aside); false with an error when saving fails.
    bool Finish(std::string& error);

    EmulatedHidBackend& Backend() { return *m_backend; }

private:
    std::shared_ptr<EmulatedHidBackend> m_backend;
    bool m_installed = false;
    bool m_keepFile = false;  // an invalid state file that could not be moved aside
};

}  // namespace vestra::emulator
