// Renders a layout of the skin to a picture, styled and translated as the program shows it.
#pragma once

#include <QString>
#include <QStringList>

namespace vestra::skinart {

struct PreviewRequest {
    QString skinFolder;
    QString layoutFile;    // relative to the skin folder
    QString outputFile;    // the PNG to write
    QString languageFile;  // relative to the skin folder; empty for the layout's own texts
    QStringList shown;     // controls to show before grabbing (hidden in the layout)
    QStringList hidden;    // controls to hide before grabbing
};

// False with error set when the layout cannot be loaded or the picture cannot be written.
bool RenderPreview(const PreviewRequest& request, QString* error);

}  // namespace vestra::skinart
