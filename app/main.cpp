// Start-up: the command line, the display, the single-instance guard, the
// update reminder, then the main window, loaded and shown. Closing the main
// window ends the program.
//
// A build for a distribution, whose package manager brings the updates,
// leaves the reminder out (VELTARA_UPDATE_REMINDER=OFF): nothing is asked and
// nothing is written to the settings at start-up then.
#include "appicon.h"
#include "appstyle.h"
#include "mainwindow.h"
#include "settings.h"
#include "singleinstance.h"
#include "startup.h"
#include "updatereminder.h"

#include <QApplication>

#include <memory>

namespace {
constexpr bool StartupUpdateReminder = VELTARA_STARTUP_UPDATE_REMINDER;
}

int main(int argc, char *argv[])
{
    // --help and --version need no display, and nothing is touched on disk
    // until the display is open.
    if (const std::optional<int> status = veltara::HandleCommandLine(argc, argv))
        return *status;
    veltara::UseHomeFromPasswordDatabase();

    auto displayWatch = std::make_unique<veltara::DisplayWatch>(argc, argv);
    QApplication app(argc, argv);
    displayWatch.reset();
    veltara::UseApplicationStyle();

    QApplication::setApplicationName(veltara::ApplicationName());
    QApplication::setOrganizationName(veltara::ApplicationName());
    // The desktop entry's name, which Wayland desktops match the windows by,
    // and the icon every window of the program shows, message boxes included.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.quorvale.Veltara"));
    QApplication::setWindowIcon(veltara::ApplicationIcon());

    if (!veltara::EnsureSingleInstance())
        return 0;
    if constexpr (StartupUpdateReminder)
        veltara::CheckUpdateReminder();

    veltara::MainWindow window;
    if (!window.load())
        return 0;
    window.show();
    return QApplication::exec();
}
