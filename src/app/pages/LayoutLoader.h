// Loads a skin layout into a plain widget: the tab entries and pages are widgets of the main
// window, not windows of their own, so they cannot use WindowBase::Create.
#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

namespace vestra::ui {
class ResourceIndex;
}

namespace vestra::app {

// Builds the layout named by a resource id (or file) as the only child of host, filling it.
// Returns the built content, or null with error set when the layout is unknown or broken.
QWidget* LoadLayoutInto(QWidget* host, const ui::ResourceIndex& resources, const QString& layoutId,
                        QString& error);

// The picture an image string ("file='power/power.png'" or a bare file name) names, read from
// the skin folder; null when it cannot be read.
QPixmap SkinPixmap(const QString& skinFolder, const QString& imageString);

}  // namespace vestra::app
