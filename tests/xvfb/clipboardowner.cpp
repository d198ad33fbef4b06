// Owns the X clipboard for a test: puts a text of the given length on it
// (the pattern repeated and cut), reports "ready <length>" on standard output
// and serves the text to other programs until standard input closes.
//
// Usage: xvfb_clipboardowner <length> <pattern>

#include <QClipboard>
#include <QGuiApplication>
#include <QSocketNotifier>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool valid = false;
    const qsizetype length = arguments.size() == 3 ? arguments.at(1).toLongLong(&valid) : 0;
    const QString pattern = arguments.size() == 3 ? arguments.at(2) : QString();
    if (!valid || length < 0 || pattern.isEmpty()) {
        std::fputs("usage: xvfb_clipboardowner <length> <pattern>\n", stderr);
        return 2;
    }

    QString text = pattern.repeated(length / pattern.size() + 1);
    text.truncate(length);
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, QClipboard::Clipboard);
    if (!clipboard->ownsClipboard()) {
        std::fputs("could not take the clipboard\n", stderr);
        return 1;
    }

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    QObject::connect(clipboard, &QClipboard::dataChanged, &app, [clipboard] {
        if (!clipboard->ownsClipboard())
            QCoreApplication::exit(3);
    });

    QTextStream(stdout) << "ready " << text.size() << Qt::endl;
    return QCoreApplication::exec();
}
