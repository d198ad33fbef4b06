// The application icon, drawn at every size the desktop asks for, kept in the
// program's resources so that each window and every platform shows the same.
#pragma once

#include <QIcon>

namespace veltara {

// The icon with its 16, 24, 32, 48, 64, 128 and 256 pixel drawings.
QIcon ApplicationIcon();

} // namespace veltara
