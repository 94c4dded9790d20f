// Runs the built vestractl with a data folder of the test's own and collects what it printed.
#pragma once

#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/value.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "support/TempFolder.h"

namespace vestra::test {

struct VestractlRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

class VestractlHome {
public:
    // arguments are shell words; XDG_DATA_HOME points into the test's folder.
    VestractlRun Run(const std::string& arguments) const {
        const std::filesystem::path errFile = m_home.Path() / "stderr.txt";
        const std::string command =
            std::string(VESTRACTL_PATH) + " " + arguments + " 2>'" + errFile.string() + "'";
        VestractlRun run;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) return run;
        char buffer[4096];
        size_t count;
        while ((count = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, count);
        const int status = pclose(pipe);
        if (WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
        std::ifstream err(errFile);
        std::stringstream text;
        text << err.rdbuf();
        run.err = text.str();
        return run;
    }

    // Runs a command that prints one JSON document and parses it; null when it fails.
    Json::Value RunJson(const std::string& arguments) const {
        const VestractlRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, 0) << arguments << ": " << run.err;
        return Parse(run.out);
    }

    static Json::Value Parse(const std::string& text) {
        Json::CharReaderBuilder builder;
        Json::Value root;
        std::string errors;
        std::istringstream in(text);
        if (!Json::parseFromStream(builder, in, &root, &errors)) return Json::Value();
        return root;
    }

    // The test's own folder, for files the test hands to vestractl.
    const std::filesystem::path& Root() const { return m_home.Path(); }
    std::filesystem::path AppFolder() const {
        return m_home.Path() / "data" / "Vestra Zezevava Software";
    }

    // The emulated peripheral's memory region as the demo state file holds it (hex text).
    std::string EmulatorRegion(const std::string& peripheral, const std::string& region) const {
        std::ifstream file(AppFolder() / "demo" / "emulator.json");
        std::stringstream text;
        text << file.rdbuf();
        return Parse(text.str())["Devices"][peripheral][region].asString();
    }

    // Imports a macro of that many key events (alternating down and up) into the library of the
    // device that deviceOption selects ("" for the keyboard, "--device mouse").
    void ImportKeyMacro(int events, const std::string& deviceOption) const {
        Json::Value macro(Json::objectValue);
        macro["Version"] = 64;
        Json::Value& list = macro["Events"] = Json::Value(Json::arrayValue);
        for (int i = 0; i < events; ++i) {
            Json::Value event(Json::objectValue);
            event["Action"] = i % 2 ? "up" : "down";
            event["Button"] = 4;
            event["Type"] = 10;
            event["Delay"] = "10";
            list.append(event);
        }
        const std::filesystem::path file = Root() / "import.mac";
        std::ofstream(file) << macro.toStyledString();
        ASSERT_EQ(Run(deviceOption + " macro import '" + file.string() + "'").exitCode, 0);
    }

private:
    ScopedDataHome m_home;
};

}  // namespace vestra::test
