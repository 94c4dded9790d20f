// One private font file of the application, added to the process's font table while loaded.
#pragma once

#include <filesystem>
#include <string>

namespace vestra::app {

class MemoryFont {
public:
    // Fonts are looked up in folder (by default the shipped "Font" folder).
    explicit MemoryFont(std::filesystem::path folder);
    MemoryFont();
    ~MemoryFont();
    MemoryFont(const MemoryFont&) = delete;
    MemoryFont& operator=(const MemoryFont&) = delete;

    // Adds <folder>/<relativeName>; false when the file is missing or holds no usable font.
    // Loading again first releases the font loaded before.
    bool Load(const std::string& relativeName);
    // Releases the font; harmless when nothing is loaded.
    void Remove();

    bool IsLoaded() const { return m_fontId >= 0; }
    int FontId() const { return m_fontId; }

private:
    std::filesystem::path m_folder;
    int m_fontId = -1;  // QFontDatabase application font id, -1 when none
};

}  // namespace vestra::app
