// What every vestractl command gets: the parsed global options, its arguments and the output.
#pragma once

#include <json/value.h>

#include <string>
#include <vector>

namespace vestra::cli {

struct CliOptions {
    bool demo = false;
    std::vector<std::string> demoProducts;  // empty with --demo: every emulated product
    std::string device;                     // --device SEL
    bool json = false;
    bool trace = false;
};

struct CliContext {
    CliOptions options;
    std::string command;
    std::vector<std::string> args;  // the words after the command

    // Prints a JSON document on standard output in the indented form.
    void PrintJson(const Json::Value& value) const;
    // Prints an error line on standard error, prefixed with "vestractl: ".
    void PrintError(const std::string& message) const;
};

}  // namespace vestra::cli
