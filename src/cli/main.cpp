// vestractl: the command-line tool over the same core as the window.
#include <iostream>
#include <optional>
#include <string>

#include "cli/CommandTable.h"
#include "emulator/DemoSetup.h"
#include "platform/DebugLog.h"

namespace {

using vestra::cli::CliContext;

void PrintUsage(std::ostream& out) {
    out << "usage: vestractl [--demo[=LIST]] [--device SEL] [--json] [--trace] COMMAND [ARGS]\n\n"
           "  --demo[=LIST]  attach emulated products instead of real ones; LIST is a comma list of\n"
           "                 keyboard, keyboard-receiver, mouse, mouse-receiver, pad, headset\n"
           "  --device SEL   keyboard, mouse, pad, headset or an index from `list`\n"
           "  --json         machine-readable output\n"
           "  --trace        print the protocol trace on standard error\n\n"
           "commands:\n";
    for (const auto& entry : vestra::cli::Commands()) out << "  " << entry.usage << '\n';
}

std::vector<std::string> SplitComma(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

int main(int argc, char** argv) {
    CliContext context;
    int i = 1;
    for (; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--json") {
            context.options.json = true;
        } else if (arg == "--trace") {
            context.options.trace = true;
        } else if (arg == "--demo") {
            context.options.demo = true;
        } else if (arg.rfind("--demo=", 0) == 0) {
            context.options.demo = true;
            context.options.demoProducts = SplitComma(arg.substr(7));
        } else if (arg == "--device" && i + 1 < argc) {
            context.options.device = argv[++i];
        } else if (arg.rfind("--device=", 0) == 0) {
            context.options.device = arg.substr(9);
        } else if (arg == "-h" || arg == "--help") {
            PrintUsage(std::cout);
            return 0;
        } else if (arg.rfind("--", 0) == 0) {
            context.PrintError("unknown option " + arg);
            PrintUsage(std::cerr);
            return 2;
        } else {
            break;
        }
    }
    if (i >= argc) {
        PrintUsage(std::cerr);
        return 2;
    }
    context.command = argv[i++];
    for (; i < argc; ++i) context.args.emplace_back(argv[i]);

    if (context.options.trace) vestra::DebugLog::SetTarget("-");

    const vestra::cli::CommandEntry* command = nullptr;
    for (const auto& entry : vestra::cli::Commands()) {
        if (entry.name == context.command) command = &entry;
    }
    if (!command) {
        context.PrintError("unknown command " + context.command);
        PrintUsage(std::cerr);
        return 2;
    }

    // The emulator stands in for the HID backend during the command; what the command wrote
    // to the emulated devices is saved for the next --demo run.
    std::optional<vestra::emulator::DemoSetup> demo;
    if (context.options.demo) {
        std::string warning, error;
        demo.emplace();
        if (!demo->Start(context.options.demoProducts, warning, error)) {
            context.PrintError(error);
            return 2;
        }
        if (!warning.empty()) context.PrintError(warning);
    }
    int result = command->run(context);
    if (demo) {
        std::string error;
        if (!demo->Finish(error)) {
            context.PrintError("demo state not saved: " + error);
            if (result == 0) result = 1;
        }
    }
    return result;
}
