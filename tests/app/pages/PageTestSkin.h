// The shipped skin for the page tests, and the application they need.
#pragma once

#include <QString>
#include <cstdlib>

#include "support/QtTestApp.h"
#include "ui/ResourceIndex.h"

namespace vestra::test {

inline QString ShippedSkinFolder() {
    const char* source = std::getenv("VESTRA_SOURCE_DIR");
    return QString::fromUtf8(source ? source : ".") + "/skin";
}

// The resource index of the shipped skin; the test fails when it cannot be read.
inline ui::ResourceIndex ShippedSkin() {
    QtTestApp();
    ui::ResourceIndex resources;
    EXPECT_TRUE(resources.Load(ShippedSkinFolder())) << resources.Error().toStdString();
    return resources;
}

}  // namespace vestra::test
