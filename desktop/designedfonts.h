// The faces the windows were designed with, where the system lacks them:
// the metric twin of "Tahoma" registered from its folder, and the closest
// installed faces for the rest.
#pragma once

#include <QString>

namespace veltara {

// Folder where the metric twin of "Tahoma" (regular and bold) is looked
// for; the desktop's font configuration does not index it. Empty on
// Windows, which has Tahoma and MS Sans Serif themselves.
QString DesignedFontFolder();
// Registers the twin's faces found in a folder with the application, and
// reports whether "Tahoma" now resolves to its twin.
bool RegisterDesignedFonts(const QString &folder);

// Registers the twin of "Tahoma" where it is installed ("MS Sans Serif"
// then takes it too), and lets every designed face without one fall back to
// the closest installed sans-serif face. Runs once.
void InstallDesignedFonts();

} // namespace veltara
