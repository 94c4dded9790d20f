// Loads a skin layout into a widget: windows build their content with it, and so do the parts of
// a window (tab entries, pages) that are not windows of their own.
#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

namespace vestra::ui {

class ResourceIndex;

// Builds the layout named by a resource id (or file) as the only child of host, filling it.
// Returns the built content, or null with error set when the layout is unknown or broken (host
// is then left as it was).
QWidget* LoadLayoutInto(QWidget* host, const ui::ResourceIndex& resources, const QString& layoutId,
                        QString& error);

// The picture an image string ("file='power/power.png'" or a bare file name) names, read from
// the skin folder; null when it cannot be read.
QPixmap SkinPixmap(const QString& skinFolder, const QString& imageString);

}  // namespace vestra::ui
