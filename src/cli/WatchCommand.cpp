#include <json/writer.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "cli/CommandTable.h"
#include "device/model/CHalvorinKeyboardDevice.h"
#include "device/model/DeviceManager.h"
#include "device/model/DeviceView.h"

namespace vestra::cli {
namespace {

constexpr const char* kUsage = "usage: vestractl [--json] watch [--for SECONDS]";

std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnStopSignal(int) {
    g_interrupted = true;
}

// Installs the handler for SIGINT and SIGTERM while it lives.
class StopSignals {
public:
    StopSignals() {
        struct sigaction action {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &m_oldInt);
        sigaction(SIGTERM, &action, &m_oldTerm);
    }
    ~StopSignals() {
        sigaction(SIGINT, &m_oldInt, nullptr);
        sigaction(SIGTERM, &m_oldTerm, nullptr);
    }

private:
    struct sigaction m_oldInt {};
    struct sigaction m_oldTerm {};
};

// One line per event, as text or as a JSON object; the listener threads print too.
class EventPrinter {
public:
    explicit EventPrinter(const CliContext& context) : m_context(context) {}

    void Print(const std::string& event, const std::string& device, const std::string& text,
               Json::Value extra = Json::Value(Json::objectValue)) {
        std::lock_guard lock(m_lock);
        if (m_context.options.json) {
            extra["event"] = event;
            if (!device.empty()) extra["device"] = device;
            Json::StreamWriterBuilder builder;
            builder["indentation"] = "";
            std::cout << Json::writeString(builder, extra) << std::endl;
        } else {
            std::cout << (device.empty() ? "" : device + ": ") << text << std::endl;
        }
    }

private:
    const CliContext& m_context;
    std::mutex m_lock;
};

const char* LinkWord(DeviceLink link) {
    return link == DeviceLink::Cable ? "cable" : "receiver";
}

// What the keyboard's notification listener reports, printed on its thread.
class KeyboardWatchView : public DeviceView {
public:
    KeyboardWatchView(EventPrinter& printer, CHalvorinKeyboardDevice& keyboard)
        : m_printer(printer), m_keyboard(keyboard) {}

    void ScheduleSettingsRead(int) override {
        m_printer.Print("sync-request", "keyboard", "asks for its settings to be read again");
    }
    void RefreshPanels() override {
        const int slot = m_keyboard.ActiveProfileSlot();
        Json::Value extra(Json::objectValue);
        extra["slot"] = slot;
        m_printer.Print("profile-slot", "keyboard",
                        "switched to its profile slot " + std::to_string(slot), extra);
    }

private:
    EventPrinter& m_printer;
    CHalvorinKeyboardDevice& m_keyboard;
};

class WatchObserver : public DeviceManagerObserver {
public:
    explicit WatchObserver(EventPrinter& printer) : m_printer(printer) {}

    void OnFirstPassDone() override {
        m_printer.Print("ready", "",
                        m_connected == 0 ? "no device connected; watching" : "watching");
    }
    void OnDeviceAdded(CHalvorinUSBDevice& device) override {
        if (auto* keyboard = dynamic_cast<CHalvorinKeyboardDevice*>(&device)) {
            m_views.push_back(std::make_unique<KeyboardWatchView>(m_printer, *keyboard));
            keyboard->AttachView(m_views.back().get());
        }
    }
    void OnDeviceAttached(CHalvorinUSBDevice& device, DeviceLink link) override {
        ++m_connected;
        Json::Value extra(Json::objectValue);
        extra["link"] = LinkWord(link);
        extra["open"] = device.Channel().IsOpen();
        m_printer.Print("connected", Name(device),
                        std::string("connected (") + LinkWord(link) + ")" +
                            (device.Channel().IsOpen() ? "" : ", but it cannot be opened"),
                        extra);
    }
    void OnDeviceRemoved(CHalvorinUSBDevice& device) override {
        --m_connected;
        m_printer.Print("disconnected", Name(device), "disconnected");
    }
    void OnLinkChanged(CHalvorinUSBDevice& device, DeviceLink link) override {
        Json::Value extra(Json::objectValue);
        extra["link"] = LinkWord(link);
        m_printer.Print("link", Name(device), std::string("now on its ") + LinkWord(link), extra);
    }

private:
    static std::string Name(const CHalvorinUSBDevice& device) {
        switch (static_cast<hid::DeviceKind>(device.Kind())) {
            case hid::DeviceKind::Keyboard:
                return "keyboard";
            case hid::DeviceKind::Mouse:
                return "mouse";
            case hid::DeviceKind::MousePad:
                return "pad";
            case hid::DeviceKind::Headset:
                return "headset";
        }
        return device.DeviceName();
    }

    EventPrinter& m_printer;
    int m_connected = 0;
    // Live longer than the manager's devices, which call them until they are destroyed.
    std::vector<std::unique_ptr<DeviceView>> m_views;
};

}  // namespace

int RunWatch(CliContext& context) {
    double seconds = -1;  // until interrupted
    const std::vector<std::string>& args = context.args;
    if (args.size() == 2 && args[0] == "--for") {
        char* end = nullptr;
        seconds = std::strtod(args[1].c_str(), &end);
        if (end == args[1].c_str() || *end != '\0' || !(seconds >= 0)) seconds = -2;
    }
    if ((!args.empty() && args.size() != 2) || seconds == -2 ||
        (args.size() == 2 && args[0] != "--for")) {
        std::cerr << kUsage << '\n';
        return 2;
    }

    const auto start = std::chrono::steady_clock::now();
    const auto limit = std::chrono::duration<double>(seconds);
    StopSignals signals;
    g_interrupted = false;
    EventPrinter printer(context);
    WatchObserver observer(printer);
    {
        DeviceManager manager(observer);
        manager.Start();
        while (!g_interrupted &&
               (seconds < 0 || std::chrono::steady_clock::now() - start < limit)) {
            manager.WaitForEvents(50);
            manager.ProcessEvents();
        }
        manager.Stop();
    }
    return 0;
}

}  // namespace vestra::cli
