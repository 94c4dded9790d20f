// A main window over the emulator with the shipped skin, in data folders of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QTest>
#include <memory>

#include "app/CMainWnd.h"
#include "app/DeviceStrip.h"
#include "app/pages/CDeviceOptionUI.h"
#include "emulator/EmulatedHidBackend.h"
#include "support/QtTestApp.h"
#include "support/TempFolder.h"
#include "ui/ResourceIndex.h"

namespace vestra::test {

class MainWindowFixture : public ::testing::Test {
protected:
    static constexpr int kWaitMs = 10000;

    void SetUp() override {
        QtTestApp();
        const char* source = std::getenv("VESTRA_SOURCE_DIR");
        ASSERT_TRUE(m_resources.Load(QString(source ? source : ".") + "/skin"))
            << m_resources.Error().toStdString();
        m_backend = emulator::EmulatedHidBackend::Create();
    }

    void TearDown() override { m_window.reset(); }

    // Starts the window with products plugged in and waits for the first discovery pass.
    void StartWith(std::initializer_list<emulator::Product> products) {
        for (emulator::Product product : products) m_backend->Plug(product);
        m_window = std::make_unique<app::CMainWnd>(m_resources, *m_backend, nullptr);
        ASSERT_TRUE(m_window->Start()) << m_window->Error().toStdString();
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_window->IsFirstPassDone(); }, kWaitMs));
    }

    app::DeviceStrip& Strip() { return m_window->Strip(); }

    // The strip index of the device of a kind; -1 before its page exists.
    int TabOf(hid::DeviceKind kind) {
        for (int i = 0; i < Strip().Count(); ++i) {
            if (Strip().At(i).device->Kind() == static_cast<int>(kind)) return i;
        }
        return -1;
    }

    bool WaitTabShown(hid::DeviceKind kind, bool shown) {
        return QTest::qWaitFor(
            [&] {
                const int index = TabOf(kind);
                return index >= 0 && Strip().At(index).tab->IsShown() == shown;
            },
            kWaitMs);
    }

    QWidget* Control(const char* name) { return m_window->FindControl(name); }
    void Click(const char* name) {
        auto* button = qobject_cast<QAbstractButton*>(Control(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }

    ScopedDataHome m_home;
    ui::ResourceIndex m_resources;
    std::shared_ptr<emulator::EmulatedHidBackend> m_backend;
    std::unique_ptr<app::CMainWnd> m_window;
};

}  // namespace vestra::test
