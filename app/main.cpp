// Start-up: the single-instance guard, the update reminder, then the main
// window, loaded and shown. Closing the main window ends the program.
#include "form1.h"
#include "settings.h"
#include "singleinstance.h"
#include "updatereminder.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(veltara::ApplicationName());
    QApplication::setOrganizationName(veltara::ApplicationName());

    if (!veltara::EnsureSingleInstance())
        return 0;
    veltara::CheckUpdateReminder();

    veltara::Form1 window;
    if (!window.Load())
        return 0;
    window.show();
    return QApplication::exec();
}
