#include <iostream>

#include "cli/CommandTable.h"

namespace vestra::cli {

int RunList(CliContext& context) {
    if (context.options.json) {
        Json::Value root(Json::objectValue);
        root["devices"] = Json::Value(Json::arrayValue);
        context.PrintJson(root);
    } else {
        std::cout << "No supported device is connected.\n";
    }
    return 0;
}

}  // namespace vestra::cli
