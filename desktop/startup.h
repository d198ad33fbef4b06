// What start-up does before the application object exists: the command line,
// and a clear word instead of a crash when there is no display to open.
#pragma once

#include <QStringList>

#include <optional>

namespace veltara {

// The version the program reports.
QString VersionText();

// Reads the command line. --help and --version print to the standard output
// and end the program with status 0; an unknown option or a stray argument
// prints one line on the standard error and ends it with status 2. The
// toolkit's own options (-platform, -display, -style and the like) are let
// through for the application object. Returns the exit status when the
// program must end, nothing when it goes on.
std::optional<int> HandleCommandLine(const QStringList &arguments);
std::optional<int> HandleCommandLine(int argc, char *argv[]);

// Watches the making of the application object. Where the toolkit finds no
// display it would abort the program; while this object lives, that turns
// into one line on the standard error naming the display that is missing or
// could not be opened, and exit status 1, before anything is written. The
// toolkit's other messages meanwhile are held back and passed on when the
// object ends.
class DisplayWatch {
public:
    DisplayWatch(int argc, char *argv[]);
    ~DisplayWatch();
    DisplayWatch(const DisplayWatch &) = delete;
    DisplayWatch &operator=(const DisplayWatch &) = delete;
};

// The line DisplayWatch prints, for a platform named on the command line or in
// QT_QPA_PLATFORM (empty: the default), the -display argument and the
// environment's DISPLAY and WAYLAND_DISPLAY.
QString DisplayFailure(const QString &platform, const QString &displayArgument, const QString &x11Display,
                       const QString &waylandDisplay);

} // namespace veltara
