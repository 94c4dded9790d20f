// The application's private fonts: loaded at start-up, released in reverse order at exit.
#pragma once

#include <array>
#include <filesystem>

#include "app/i18n/MemoryFont.h"

namespace vestra::app {

class AppFonts {
public:
    // The font files, in load order.
    static constexpr std::array<const char*, 4> kFiles = {
        "Simplified_Chinese.ttf", "Tessaron-Regular.otf", "NotoSansThai-Regular.ttf",
        "NotoSansCJKtc-Regular.otf"};

    // Loads every file from folder (by default the shipped "Font" folder); missing ones are
    // skipped.
    explicit AppFonts(const std::filesystem::path& folder);
    AppFonts();
    ~AppFonts();
    AppFonts(const AppFonts&) = delete;
    AppFonts& operator=(const AppFonts&) = delete;

    const MemoryFont& Font(size_t index) const { return m_fonts.at(index); }

private:
    std::array<MemoryFont, kFiles.size()> m_fonts;
};

}  // namespace vestra::app
