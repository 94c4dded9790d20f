#include "cli/CliContext.h"

#include <json/writer.h>

#include <iostream>
#include <memory>

namespace vestra::cli {

void CliContext::PrintJson(const Json::Value& value) const {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "  ";
    std::unique_ptr<Json::StreamWriter> writer(builder.newStreamWriter());
    writer->write(value, &std::cout);
    std::cout << '\n';
}

void CliContext::PrintError(const std::string& message) const {
    std::cerr << "vestractl: " << message << '\n';
}

}  // namespace vestra::cli
