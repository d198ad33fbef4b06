// The application folder (the folder of the running program file) and the
// pictures that lie in its picture folder.
#pragma once

#include <QPixmap>
#include <QString>
#include <QStringView>

namespace veltara {

// The folder of the running program file, with symbolic links resolved, so
// the pictures are found whatever the working directory or the link used to
// start the program.
QString ApplicationFolder();
// Points the application folder elsewhere (tests); an empty path restores it.
void SetApplicationFolder(const QString &folder);

// The application folder followed directly by a relative path that begins
// with a backslash, such as "\pu\sun.jpg"; the backslashes become the
// platform's separators.
QString AppPath(QStringView relative);

// Loads a picture of the picture folder from its file, afresh on each call.
// A null pixmap when the file is missing or cannot be read as a picture.
QPixmap LoadPicture(QStringView relative);

} // namespace veltara
