// The shipped skin for the small windows' tests, and a language with a few of their texts.
#pragma once

#include <QString>
#include <cstdlib>

#include "app/windows/WindowContext.h"
#include "support/TempFolder.h"
#include "ui/Language.h"
#include "ui/ResourceIndex.h"

namespace vestra::test {

inline QString ShippedSkinFolder() {
    const char* source = std::getenv("VESTRA_SOURCE_DIR");
    return QString::fromUtf8(source ? source : ".") + "/skin";
}

class WindowsTestSkin {
public:
    WindowsTestSkin() {
        m_resourcesLoaded = m_resources.Load(ShippedSkinFolder());
        const auto file = m_folder.Write("lan_test.xml", R"(<Language name="test">
  <Text id="message_text_5" value="Delete this profile?"/>
  <Text id="software_rev_text" value="版本 "/>
  <Text id="msgwnd_confirm" value="Yes"/>
  <Text id="msgwnd_title" value="Attention"/>
</Language>)");
        m_languageLoaded = m_language.LoadLanguage(QString::fromStdString(file.string()));
    }

    bool Loaded() const { return m_resourcesLoaded && m_languageLoaded; }
    app::WindowContext Context(bool withLanguage = true) const {
        return {&m_resources, withLanguage ? &m_language : nullptr};
    }

private:
    TempFolder m_folder;
    ui::ResourceIndex m_resources;
    ui::Language m_language;
    bool m_resourcesLoaded = false;
    bool m_languageLoaded = false;
};

}  // namespace vestra::test
