#include "startup.h"

#include "messages.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QList>
#include <QMutex>

#include <cstdlib>

namespace veltara {

namespace {

// The toolkit's own options, which the application object takes out of the
// command line for itself.
const char *const ToolkitValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "display", "style", "stylesheet", "session",
    "qwindowgeometry", "geometry", "qwindowtitle", "title", "qwindowicon", "icon", "name", "qmljsdebugger",
};
const char *const ToolkitFlagOptions[] = {"reverse", "widgetcount", "sync", "nograb", "dograb", "testability"};

// The value that follows a toolkit option such as -platform (or --platform).
QString ToolkitArgument(int argc, char *argv[], const char *name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const char *argument = argv[i];
        if (argument[0] != '-')
            continue;
        if (argument[1] == '-')
            ++argument;
        if (qstrcmp(argument + 1, name) == 0)
            return QString::fromLocal8Bit(argv[i + 1]);
    }
    return QString();
}

// --- the display watch --------------------------------------------------------

struct HeldMessage {
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

struct Watch {
    QtMessageHandler previous = nullptr;
    QString failure;
    QMutex heldLock; // the toolkit may start threads of its own meanwhile
    QList<HeldMessage> held;
};

Watch *activeWatch = nullptr;

void WatchMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg) {
        // Nothing has been written yet; end before the toolkit aborts.
        Diagnostic(activeWatch->failure);
        std::_Exit(1);
    }
    const QMutexLocker locked(&activeWatch->heldLock);
    activeWatch->held.append({type, QByteArray(context.file), context.line, QByteArray(context.function),
                              QByteArray(context.category), text});
}

} // namespace

QString VersionText()
{
    return ApplicationTitle() + u' ' + QLatin1String(ProgramVersion);
}

std::optional<int> HandleCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        VersionText() + QStringLiteral(": the name number, birth number and zodiac sign of a name and birth date."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                                  QStringLiteral("Shows this help and ends."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and ends."));
    parser.addOption(help);
    parser.addOption(version);

    // The three toolkit options most wanted are shown; the others are only
    // let through.
    parser.addOption({QStringLiteral("platform"),
                      QStringLiteral("Display platform: xcb (X11), wayland, offscreen, ..."), QStringLiteral("name")});
    parser.addOption({QStringLiteral("display"), QStringLiteral("The X display to open (xcb), instead of DISPLAY."),
                      QStringLiteral("display")});
    parser.addOption({QStringLiteral("style"), QStringLiteral("Widget style, such as Fusion."), QStringLiteral("style")});
    const QStringList shown{QStringLiteral("platform"), QStringLiteral("display"), QStringLiteral("style")};
    const auto letThrough = [&parser](const char *name, const QString &valueName) {
        QCommandLineOption hidden(QString::fromLatin1(name), QString(), valueName);
        hidden.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(hidden);
    };
    for (const char *name : ToolkitValueOptions) {
        if (!shown.contains(QString::fromLatin1(name)))
            letThrough(name, QStringLiteral("value"));
    }
    for (const char *name : ToolkitFlagOptions)
        letThrough(name, QString());

    if (!parser.parse(arguments)) {
        Diagnostic(parser.errorText() + QStringLiteral(" (see --help)"));
        return 2;
    }
    if (parser.isSet(help)) {
        // Without an application object the parser cannot name the program.
        QString text = parser.helpText();
        text.replace(QStringLiteral("<executable_name>"), QFileInfo(arguments.value(0)).fileName());
        PrintText(text);
        return 0;
    }
    if (parser.isSet(version)) {
        PrintText(VersionText() + u'\n');
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        Diagnostic(QStringLiteral("unexpected argument '%1' (see --help)").arg(parser.positionalArguments().constFirst()));
        return 2;
    }
    return std::nullopt;
}

std::optional<int> HandleCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    // The name the lines of diagnostics begin with, before the application
    // object gives it.
    if (argc > 0 && QCoreApplication::applicationName().isEmpty())
        QCoreApplication::setApplicationName(QFileInfo(arguments.constFirst()).completeBaseName());
    return HandleCommandLine(arguments);
}

QString DisplayFailure(const QString &platform, const QString &displayArgument, const QString &x11Display,
                       const QString &waylandDisplay)
{
    // "xcb:option=value" and "wayland;xcb" both start with the platform tried first.
    const QString first = platform.section(u';', 0, 0).section(u':', 0, 0).trimmed();
    const bool x11 = first == u"xcb";
    const bool wayland = first.startsWith(u"wayland");
    const QString display = displayArgument.isEmpty() ? x11Display : displayArgument;
    if ((first.isEmpty() || x11 || wayland) && display.isEmpty() && waylandDisplay.isEmpty())
        return QStringLiteral("cannot start: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    if (x11 && display.isEmpty())
        return QStringLiteral("cannot start: no X display (DISPLAY is not set)");
    if (wayland || (first.isEmpty() && display.isEmpty()))
        return QStringLiteral("cannot start: cannot open the Wayland display \"%1\"")
            .arg(waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : waylandDisplay);
    if (x11 || first.isEmpty())
        return QStringLiteral("cannot start: cannot open the X display \"%1\"").arg(display);
    return QStringLiteral("cannot start: the display platform \"%1\" cannot be started").arg(first);
}

DisplayWatch::DisplayWatch(int argc, char *argv[])
{
    QString platform = ToolkitArgument(argc, argv, "platform");
    if (platform.isEmpty())
        platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    static Watch watch;
    watch.failure = DisplayFailure(platform, ToolkitArgument(argc, argv, "display"),
                                   qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY"));
    activeWatch = &watch;
    watch.previous = qInstallMessageHandler(WatchMessages);
}

DisplayWatch::~DisplayWatch()
{
    qInstallMessageHandler(activeWatch->previous);
    QList<HeldMessage> held;
    {
        const QMutexLocker locked(&activeWatch->heldLock);
        held.swap(activeWatch->held);
    }
    for (const HeldMessage &message : held) {
        const QMessageLogContext context(message.file.isNull() ? nullptr : message.file.constData(), message.line,
                                         message.function.isNull() ? nullptr : message.function.constData(),
                                         message.category.isNull() ? nullptr : message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

} // namespace veltara
