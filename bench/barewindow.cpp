// A bare Qt Widgets window, built like the program: the yardstick for the
// program's start-up time and memory. With --text it shows one line of text,
// so that the cost of loading fonts is on both sides of the comparison.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool withText = QApplication::arguments().contains(QStringLiteral("--text"));
    QWidget window;
    window.setWindowTitle(withText ? QStringLiteral("Bare Qt Window With Text") : QStringLiteral("Bare Qt Window"));
    window.resize(263, 202);
    if (withText)
        (new QLabel(QStringLiteral("Your Full Name"), &window))->move(8, 8);
    window.show();
    return QApplication::exec();
}
