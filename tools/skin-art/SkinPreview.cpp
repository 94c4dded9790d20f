#include "SkinPreview.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QWidget>
#include <memory>

#include "ui/Language.h"
#include "ui/UiLoader.h"
#include "ui/WindowBase.h"

namespace vestra::skinart {

bool RenderPreview(const PreviewRequest& request, QString* error) {
    const QDir skin(request.skinFolder);
    QFile styleFile(skin.filePath("style.qss"));
    if (styleFile.open(QIODevice::ReadOnly)) {
        qApp->setStyleSheet(QString::fromUtf8(styleFile.readAll()));
    }

    QFile layout(skin.filePath(request.layoutFile));
    if (!layout.open(QIODevice::ReadOnly)) {
        *error = QString("cannot open %1: %2").arg(layout.fileName(), layout.errorString());
        return false;
    }
    ui::UiLoader loader;
    loader.setWorkingDirectory(skin);
    std::unique_ptr<QWidget> root(loader.load(&layout));
    if (!root) {
        *error = QString("cannot load %1: %2").arg(layout.fileName(), loader.errorString());
        return false;
    }

    if (!request.languageFile.isEmpty()) {
        ui::Language language;
        if (!language.LoadLanguage(skin.filePath(request.languageFile))) {
            *error = language.Error();
            return false;
        }
        language.ApplyLanguage(root.get());
    }
    for (const QString& name : request.shown) {
        if (QWidget* control = ui::WindowBase::FindSubControlByName(root.get(), name)) {
            control->show();
        }
    }
    for (const QString& name : request.hidden) {
        if (QWidget* control = ui::WindowBase::FindSubControlByName(root.get(), name)) {
            control->hide();
        }
    }

    // The program paints the chosen background on the top control; show the default one.
    const QString background = skin.filePath("common/background.png");
    if (QFile::exists(background)) {
        root->setStyleSheet(
            QString("#%1 { border-image: url(%2); }").arg(root->objectName(), background));
    }
    root->show();
    QApplication::processEvents();
    const QImage picture = root->grab().toImage();
    if (!picture.save(request.outputFile)) {
        *error = QString("cannot write %1").arg(request.outputFile);
        return false;
    }
    return true;
}

}  // namespace vestra::skinart
