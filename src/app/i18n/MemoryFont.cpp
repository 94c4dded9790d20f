#include "app/i18n/MemoryFont.h"

#include <QFontDatabase>
#include <QString>
#include <system_error>

#include "platform/Paths.h"

namespace vestra::app {

MemoryFont::MemoryFont(std::filesystem::path folder) : m_folder(std::move(folder)) {}

MemoryFont::MemoryFont() : MemoryFont(Paths::ShippedFolder("Font")) {}

MemoryFont::~MemoryFont() {
    Remove();
}

bool MemoryFont::Load(const std::string& relativeName) {
    Remove();
    if (m_folder.empty()) return false;
    const std::filesystem::path file = m_folder / relativeName;
    std::error_code ec;
    // A missing font is skipped quietly; the toolkit falls back to another family.
    if (!std::filesystem::is_regular_file(file, ec)) return false;
    m_fontId = QFontDatabase::addApplicationFont(QString::fromStdString(file.string()));
    return m_fontId >= 0;
}

void MemoryFont::Remove() {
    if (m_fontId < 0) return;
    QFontDatabase::removeApplicationFont(m_fontId);
    m_fontId = -1;
}

}  // namespace vestra::app
