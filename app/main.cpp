// Start-up: the command line, the display, the single-instance guard, the
// update reminder, then the main window, loaded and shown. Closing the main
// window ends the program.
#include "appicon.h"
#include "appstyle.h"
#include "form1.h"
#include "settings.h"
#include "singleinstance.h"
#include "startup.h"
#include "updatereminder.h"

#include <QApplication>

#include <memory>

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
    veltara::CheckUpdateReminder();

    veltara::Form1 window;
    if (!window.Load())
        return 0;
    window.show();
    return QApplication::exec();
}
