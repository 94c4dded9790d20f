#include "ui/ResourceIndex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace vestra::ui {

bool ResourceIndex::Load(const QString& skinFolder) {
    m_skinFolder = QDir(skinFolder).absolutePath();
    m_files.clear();
    m_error.clear();
    QFile file(QDir(m_skinFolder).filePath("res.xml"));
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QString("cannot open %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    QHash<QString, QString> files;
    QXmlStreamReader xml(&file);
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == u"Resource") {
            const QString id = xml.attributes().value("id").toString();
            const QString name = xml.attributes().value("file").toString();
            if (id.isEmpty() || name.isEmpty()) {
                xml.raiseError("a Resource needs an id and a file");
                break;
            }
            files.insert(id, name);
        }
    }
    if (xml.hasError()) {
        m_error = QString("%1 line %2: %3")
                      .arg(file.fileName())
                      .arg(xml.lineNumber())
                      .arg(xml.errorString());
        return false;
    }
    m_files = std::move(files);
    return true;
}

QString ResourceIndex::Resolve(const QString& idOrFile) const {
    m_error.clear();
    const auto it = m_files.constFind(idOrFile);
    const QString path = PathInSkin(it != m_files.constEnd() ? *it : idOrFile);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_error = it != m_files.constEnd()
                      ? QString("resource %1: no layout file %2").arg(idOrFile, *it)
                      : QString("unknown resource id or layout file: %1").arg(idOrFile);
        return {};
    }
    return path;
}

QString ResourceIndex::PathInSkin(const QString& file) const {
    if (m_skinFolder.isEmpty() || file.isEmpty() || QDir::isAbsolutePath(file)) return {};
    const QString path = QDir::cleanPath(QDir(m_skinFolder).filePath(file));
    if (!path.startsWith(m_skinFolder + '/')) return {};
    return path;
}

}  // namespace vestra::ui
