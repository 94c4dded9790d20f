#include "app/Application.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <iostream>
#include <memory>
#include <optional>

#include "app/AppOptions.h"
#include "app/CMainWnd.h"
#include "app/DeviceStrip.h"
#include "app/SingleInstance.h"
#include "app/i18n/AppFonts.h"
#include "app/pages/CDeviceOptionUI.h"
#include "audio/AlsaAudioLibrary.h"
#include "audio/SimulatedAudioLibrary.h"
#include "device/model/CHalvorinUSBDevice.h"
#include "device/model/DemoAudioState.h"
#include "emulator/DemoSetup.h"
#include "hid/DeviceKind.h"
#include "hid/HidBackend.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "ui/ResourceIndex.h"

namespace vestra::app {
namespace {

// After the first discovery pass the tabs' connection timers (500 ms) read the devices; the
// screenshot waits until their pages are filled.
constexpr int kScreenshotSettleMs = 2000;

std::optional<hid::DeviceKind> KindOfTab(const QString& tab) {
    if (tab == "keyboard") return hid::DeviceKind::Keyboard;
    if (tab == "mouse") return hid::DeviceKind::Mouse;
    if (tab == "pad") return hid::DeviceKind::MousePad;
    if (tab == "headset") return hid::DeviceKind::Headset;
    return std::nullopt;
}

void SelectTab(CMainWnd& window, const QString& tab) {
    const std::optional<hid::DeviceKind> kind = KindOfTab(tab);
    if (!kind) return;
    DeviceStrip& strip = window.Strip();
    for (int i = 0; i < strip.Count(); ++i) {
        if (strip.At(i).device->Kind() == static_cast<int>(*kind) && strip.At(i).tab->IsShown()) {
            strip.ShowTab(i, true, true);
            return;
        }
    }
    std::cerr << "vestra: no " << tab.toStdString() << " tab is shown\n";
}

void TakeScreenshot(CMainWnd& window, const AppOptions& options) {
    QTimer::singleShot(kScreenshotSettleMs, &window, [&window, options] {
        SelectTab(window, options.tab);
        QCoreApplication::processEvents();
        if (window.grab().save(options.screenshot, "PNG")) {
            std::cout << "screenshot written to " << options.screenshot.toStdString() << "\n";
            QCoreApplication::exit(0);
        } else {
            std::cerr << "vestra: cannot write " << options.screenshot.toStdString() << "\n";
            QCoreApplication::exit(1);
        }
    });
}

// SIGTERM and SIGINT end the program as "exit" does, so the devices' threads stop and the demo
// state is saved: the handler only writes a byte that the event loop reads.
int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] ssize_t written = write(g_signalPipe[1], &byte, 1);
}

void QuitOnSignals(QObject* owner) {
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, owner);
    QObject::connect(notifier, &QSocketNotifier::activated, owner, [] {
        char byte = 0;
        [[maybe_unused]] ssize_t got = read(g_signalPipe[0], &byte, 1);
        // exit, not quit: quit first asks every window to close, and this one only hides.
        QCoreApplication::exit(0);
    });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

}  // namespace

int RunApplication(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(Paths::kAppName);
    // The window hides to the tray; only "exit" ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    const AppOptions options = ParseAppOptions(QApplication::arguments());
    if (!options.error.isEmpty()) {
        std::cerr << "vestra: " << options.error.toStdString() << "\n" << AppUsage().toStdString();
        return 2;
    }
    if (options.help) {
        std::cout << AppUsage().toStdString();
        return 0;
    }

    AppFonts fonts;  // released last, after the window
    SingleInstance instance;
    if (instance.Claim() == SingleInstance::Role::Second) {
        DebugLog::Write("another copy runs: woken, leaving");
        return 0;
    }

    ui::ResourceIndex resources;
    const std::filesystem::path skin = Paths::ShippedFolder("skin");
    if (skin.empty() || !resources.Load(QString::fromStdString(skin.string()))) {
        std::cerr << "vestra: the skin folder cannot be loaded"
                  << (skin.empty() ? std::string() : ": " + resources.Error().toStdString())
                  << "\n";
        return 1;
    }
    QFile style(resources.SkinFolder() + "/style.qss");
    if (style.open(QIODevice::ReadOnly))
        application.setStyleSheet(QString::fromUtf8(style.readAll()));

    std::optional<emulator::DemoSetup> demo;
    std::unique_ptr<audio::AudioConfigLibrary> audio;
    audio::SimulatedAudioLibrary* demoAudio = nullptr;
    if (options.demo) {
        demo.emplace();
        std::string warning;
        std::string error;
        std::vector<std::string> products;
        for (const QString& product : options.demoProducts)
            products.push_back(product.toStdString());
        if (!demo->Start(products, warning, error)) {
            std::cerr << "vestra: " << error << "\n";
            return 2;
        }
        if (!warning.empty()) std::cerr << "vestra: " << warning << "\n";
        auto simulated = std::make_unique<audio::SimulatedAudioLibrary>();
        DemoAudioState::Load(*simulated);
        demoAudio = simulated.get();
        audio = std::move(simulated);
    } else {
        audio = std::make_unique<audio::AlsaAudioLibrary>();
    }

    int code = 0;
    {
        CMainWnd window(resources, hid::HidBackend::Default(), audio.get());
        window.SetStartInTray(options.tray && options.screenshot.isEmpty());
        if (!window.Start()) {
            std::cerr << "vestra: " << window.Error().toStdString() << "\n";
            return 1;
        }
        QObject::connect(&instance, &SingleInstance::Woken, &window, [&window] {
            DebugLog::Write("软件标示 woken by another copy");
            window.RestoreAndRaise();
        });
        QuitOnSignals(&window);
        if (!options.screenshot.isEmpty()) {
            QObject::connect(&window, &CMainWnd::FirstPassDone, &window,
                             [&window, &options] { TakeScreenshot(window, options); });
        }
        code = QApplication::exec();
    }  // the window stops the device threads before anything below goes

    if (demo) {
        std::string error;
        if (!demo->Finish(error)) std::cerr << "vestra: demo state not saved: " << error << "\n";
        if (demoAudio && !DemoAudioState::Save(*demoAudio))
            std::cerr << "vestra: demo audio state not saved\n";
    }
    return code;
}

}  // namespace vestra::app
