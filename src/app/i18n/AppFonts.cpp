#include "app/i18n/AppFonts.h"

#include "platform/Paths.h"

namespace vestra::app {

AppFonts::AppFonts(const std::filesystem::path& folder)
    : m_fonts{MemoryFont(folder), MemoryFont(folder), MemoryFont(folder), MemoryFont(folder)} {
    for (size_t i = 0; i < m_fonts.size(); ++i) m_fonts[i].Load(kFiles[i]);
}

AppFonts::AppFonts() : AppFonts(Paths::ShippedFolder("Font")) {}

AppFonts::~AppFonts() {
    for (size_t i = m_fonts.size(); i-- > 0;) m_fonts[i].Remove();
}

}  // namespace vestra::app
