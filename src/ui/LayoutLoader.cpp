#include "ui/LayoutLoader.h"

#include <QDir>
#include <QFile>
#include <QVBoxLayout>
#include <QWidget>

#include "ui/ResourceIndex.h"
#include "ui/UiLoader.h"
#include "ui/controls/ImageString.h"

namespace vestra::ui {

QWidget* LoadLayoutInto(QWidget* host, const ResourceIndex& resources, const QString& layoutId,
                        QString& error) {
    error.clear();
    const QString path = resources.Resolve(layoutId);
    if (path.isEmpty()) {
        error = resources.Error();
        return nullptr;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QString("cannot open %1: %2").arg(path, file.errorString());
        return nullptr;
    }
    UiLoader loader;
    // Image paths in layouts are relative to the skin folder.
    loader.setWorkingDirectory(QDir(resources.SkinFolder()));
    QWidget* content = loader.load(&file, host);
    if (!content) {
        error = QString("cannot load layout %1: %2").arg(path, loader.errorString());
        return nullptr;
    }
    delete host->layout();
    auto* box = new QVBoxLayout(host);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(content);
    return content;
}

QPixmap SkinPixmap(const QString& skinFolder, const QString& imageString) {
    const QString file = ImageString::Parse(imageString).file;
    if (file.isEmpty() || skinFolder.isEmpty()) return {};
    return QPixmap(QDir(skinFolder).filePath(file));
}

}  // namespace vestra::ui
