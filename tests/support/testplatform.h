// What the suites meet differently on each operating system: a suite asks
// here instead of testing for the platform itself, and CMake builds
// testplatform_posix.cpp or testplatform_windows.cpp into the test support.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace testplatform {

// File names that differ only in letter case name one file (Windows).
bool FileNamesIgnoreCase();
// QFile::link makes a shortcut, a file of its own that opening a file does
// not follow (Windows), not a symbolic link.
bool LinksAreShortcuts();
// The native settings store is the per-user registry (Windows), not a file
// in the folder that QSettings::setPath gives; the program's own files lie
// in the user's local application data then.
bool SettingsInRegistry();

// The home folder the password database holds for this user, empty when it
// holds none; nullopt where there is no password database (Windows).
std::optional<QByteArray> PasswordDatabaseHome();

// Why this process cannot give a file to another user (only root can, on
// Linux), or null when it can.
const char *CannotGiveFilesAway();
// Gives the file to the user nobody; true when done.
bool GiveToAnotherUser(const QString &file);

// Tells whether a file of the folders it watches was opened, read, written,
// created or removed. Nothing is watched on Windows: watch() is false.
class FolderWatch {
public:
    FolderWatch();
    ~FolderWatch();
    FolderWatch(const FolderWatch &) = delete;
    FolderWatch &operator=(const FolderWatch &) = delete;

    bool watch(const QString &folder);
    // True when anything happened since the last call.
    bool touched();

private:
    int m_fd = -1;
};

} // namespace testplatform
