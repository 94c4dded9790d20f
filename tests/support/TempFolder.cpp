#include "support/TempFolder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vestra::test {
namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "vestra-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

fs::path TempFolder::Write(const std::string& relative, const std::string& text) const {
    fs::path file = m_path / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file;
}

std::string TempFolder::Read(const std::string& relative) const {
    std::ifstream in(m_path / relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

namespace {
bool Save(const char* name, std::string& value) {
    const char* old = std::getenv(name);
    if (old) value = old;
    return old != nullptr;
}
void Restore(const char* name, bool had, const std::string& value) {
    if (had) setenv(name, value.c_str(), 1);
    else unsetenv(name);
}
}  // namespace

ScopedDataHome::ScopedDataHome()
    : m_hadData(Save("XDG_DATA_HOME", m_oldData)), m_hadConfig(Save("XDG_CONFIG_HOME", m_oldConfig)) {
    setenv("XDG_DATA_HOME", (m_folder.Path() / "data").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_folder.Path() / "config").c_str(), 1);
}

ScopedDataHome::~ScopedDataHome() {
    Restore("XDG_DATA_HOME", m_hadData, m_oldData);
    Restore("XDG_CONFIG_HOME", m_hadConfig, m_oldConfig);
}

}  // namespace vestra::test
