// A bare Qt Widgets window, built like the program: the yardstick for the
// program's start-up time and memory.
#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare Qt Window"));
    window.resize(263, 202);
    window.show();
    return QApplication::exec();
}
