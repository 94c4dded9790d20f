// Putting a background choice on a window's root control, and the choice to start with.
#pragma once

#include <QString>
#include <optional>

#include "app/windows/MainIni.h"
#include "app/windows/SkinChangedParam.h"

class QWidget;

namespace vestra::app {

// Gives root the colour (and no image) or the image (and no colour) of param. A relative image
// is resolved in skinFolder. Style rules root had of its own are kept.
void ApplySkin(QWidget* root, const SkinChangedParam& param, const QString& skinFolder);

// The background stored by the last preset or reset choice, nothing when none is stored.
std::optional<SkinChangedParam> RestoreSkin(const MainIni& ini = MainIni());

}  // namespace vestra::app
