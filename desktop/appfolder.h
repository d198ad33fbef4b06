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

// Loads a picture of the picture folder "pu" in the application folder by
// its file name ("sun.jpg"), afresh on each call. A null pixmap when the file
// is missing or cannot be read as a picture.
QPixmap LoadPicture(QStringView fileName);

} // namespace veltara
