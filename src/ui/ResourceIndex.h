// The skin's resource index: which layout file a resource id ("XML_MAIN", "XML_MSG") names.
#pragma once

#include <QHash>
#include <QString>

namespace vestra::ui {

// res.xml in the skin folder:
//     <Resources>
//       <Resource id="XML_MAIN" file="main.ui"/>
//     </Resources>
// File names are relative to the skin folder and may not leave it.
class ResourceIndex {
public:
    // Reads <skinFolder>/res.xml; on failure false, the index stays empty and Error() says why.
    bool Load(const QString& skinFolder);

    // The absolute path of the layout named by a resource id or by a file name in the skin
    // folder; empty (and Error() set) for an unknown id or a file that does not exist.
    QString Resolve(const QString& idOrFile) const;

    QString SkinFolder() const { return m_skinFolder; }
    QString Error() const { return m_error; }

private:
    QString PathInSkin(const QString& file) const;

    QString m_skinFolder;
    QHash<QString, QString> m_files;
    mutable QString m_error;
};

}  // namespace vestra::ui
