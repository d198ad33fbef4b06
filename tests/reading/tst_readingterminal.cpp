// veltara-reading as a process among others, on Linux: output that cannot be
// written (a full device, a closed standard output, a pipe whose reader has
// gone) and the text on a terminal. Linux-only by nature: it needs
// /dev/full, the signal dispositions a child inherits, and pseudo-terminals,
// so CMake builds it on Linux only.
#include "programrun.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray Rows(int count)
{
    QByteArray rows;
    for (int i = 0; i < count; ++i)
        rows += "Ann,1980-01-05\n";
    return rows;
}

enum class Destination { FullDevice, Closed, BrokenPipe, BrokenPipeDefault, Terminal };

struct Ended {
    bool exited = false;
    int status = -1; // the exit status, or the signal that ended it
    QByteArray out;  // what a terminal showed
    QByteArray err;
};

// Reads a descriptor to its end (or to the hang-up of a terminal).
QByteArray ReadAll(int descriptor)
{
    QByteArray all;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got > 0) {
            all.append(buffer, got);
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            return all; // 0 at the end, EIO once a terminal's last writer has gone
        }
    }
}

// Starts the program with standard input from `input`, standard error into a
// pipe and standard output as `destination` says, and waits for its end.
Ended RunTo(Destination destination, const QStringList &arguments, const QString &input, int columns = 0)
{
    Ended ended;
    std::vector<QByteArray> words{QByteArray(VELTARA_READING_PROGRAM)};
    for (const QString &argument : arguments)
        words.push_back(argument.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    int errPipe[2];
    if (pipe2(errPipe, O_CLOEXEC) != 0)
        return ended;
    const int in = open(QFile::encodeName(input).constData(), O_RDONLY | O_CLOEXEC);
    int out = -1;
    int terminal = -1; // the controlling side of a pseudo-terminal
    switch (destination) {
    case Destination::FullDevice:
        out = open("/dev/full", O_WRONLY | O_CLOEXEC);
        break;
    case Destination::Closed:
        break;
    case Destination::BrokenPipe:
    case Destination::BrokenPipeDefault: {
        int outPipe[2];
        if (pipe2(outPipe, O_CLOEXEC) == 0) {
            close(outPipe[0]); // the reader is gone before the first write
            out = outPipe[1];
        }
        break;
    }
    case Destination::Terminal: {
        winsize size{};
        size.ws_row = 24;
        size.ws_col = static_cast<unsigned short>(columns);
        if (openpty(&terminal, &out, nullptr, nullptr, &size) == 0) {
            fcntl(terminal, F_SETFD, FD_CLOEXEC);
            fcntl(out, F_SETFD, FD_CLOEXEC);
        }
        break;
    }
    }
    if (in < 0 || (destination != Destination::Closed && out < 0))
        return ended;

    const pid_t child = fork();
    if (child == 0) {
        // Only calls that are safe between fork and exec.
        signal(SIGPIPE, destination == Destination::BrokenPipeDefault ? SIG_DFL : SIG_IGN);
        dup2(in, 0);
        dup2(errPipe[1], 2);
        if (destination == Destination::Closed)
            close(1);
        else
            dup2(out, 1);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(in);
    close(errPipe[1]);
    if (out >= 0)
        close(out);
    if (child < 0) {
        close(errPipe[0]);
        return ended;
    }
    if (terminal >= 0) {
        ended.out = ReadAll(terminal);
        close(terminal);
    }
    ended.err = ReadAll(errPipe[0]);
    close(errPipe[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    ended.exited = WIFEXITED(status);
    ended.status = ended.exited ? WEXITSTATUS(status) : WIFSIGNALED(status) ? WTERMSIG(status) : -1;
    return ended;
}

} // namespace

class TestReadingTerminal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void failedWrites_data();
    void failedWrites();
    void brokenPipeEndsThePipeline();
    void wrappedOnATerminal();

private:
    QTemporaryDir m_dir;
    QString m_rows10;
    QString m_rows3000;
    QString m_empty;
};

void TestReadingTerminal::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const std::pair<QString *, QByteArray> files[] = {{&m_rows10, Rows(10)}, {&m_rows3000, Rows(3000)}, {&m_empty, {}}};
    int n = 0;
    for (const auto &[path, content] : files) {
        *path = m_dir.filePath(QStringLiteral("input%1.csv").arg(++n));
        QFile file(*path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }
}

void TestReadingTerminal::failedWrites_data()
{
    QTest::addColumn<int>("destination");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("input"); // 10, 3000 or no rows on standard input
    QTest::addColumn<int>("error");

    const QStringList batch{QStringLiteral("--batch"), QStringLiteral("-")};
    const QStringList reading{QStringLiteral("Ann"), QStringLiteral("1980-01-05")};
    const QStringList json{QStringLiteral("--json"), QStringLiteral("Ann"), QStringLiteral("1980-01-05")};
    const QStringList help{QStringLiteral("-h")};
    const QStringList version{QStringLiteral("--version")};
    const QStringList batchFromFile{QStringLiteral("--batch"), m_rows10};
    const QStringList twoJobs = QStringList{QStringLiteral("--jobs"), QStringLiteral("2")} + batch;
    const QStringList chartOnSeven = QStringList{QStringLiteral("--chart"), QStringLiteral("--jobs=7")} + batch;
    const QStringList csvOnTwo = QStringList{QStringLiteral("--csv")} + twoJobs;
    const QStringList csvChartOnSeven = QStringList{QStringLiteral("--csv")} + chartOnSeven;
    struct Case {
        const char *tag;
        Destination destination;
        QStringList arguments;
        QString input;
        int error;
    };
    const Case cases[] = {
        {"10 rows to /dev/full", Destination::FullDevice, batch, m_rows10, ENOSPC},
        {"3000 rows to /dev/full", Destination::FullDevice, batch, m_rows3000, ENOSPC},
        {"reading to /dev/full", Destination::FullDevice, reading, m_empty, ENOSPC},
        {"help to /dev/full", Destination::FullDevice, help, m_empty, ENOSPC},
        {"10 rows to a closed output", Destination::Closed, batch, m_rows10, EBADF},
        {"3000 rows to a closed output", Destination::Closed, batch, m_rows3000, EBADF},
        {"rows of a file to a closed output", Destination::Closed, batchFromFile, m_empty, EBADF},
        {"JSON reading to a closed output", Destination::Closed, json, m_empty, EBADF},
        {"10 rows to a broken pipe", Destination::BrokenPipe, batch, m_rows10, EPIPE},
        {"3000 rows to a broken pipe", Destination::BrokenPipe, batch, m_rows3000, EPIPE},
        {"3000 rows on 2 jobs to /dev/full", Destination::FullDevice, twoJobs, m_rows3000, ENOSPC},
        {"3000 charts on 7 jobs to a closed output", Destination::Closed, chartOnSeven, m_rows3000, EBADF},
        {"3000 rows on 2 jobs to a broken pipe", Destination::BrokenPipe, twoJobs, m_rows3000, EPIPE},
        {"3000 rows as CSV on 2 jobs to /dev/full", Destination::FullDevice, csvOnTwo, m_rows3000, ENOSPC},
        {"the CSV header alone to a closed output", Destination::Closed, csvOnTwo, m_empty, EBADF},
        {"3000 charts as CSV on 7 jobs to a broken pipe", Destination::BrokenPipe, csvChartOnSeven, m_rows3000, EPIPE},
        {"reading to a broken pipe", Destination::BrokenPipe, reading, m_empty, EPIPE},
        {"version to a broken pipe", Destination::BrokenPipe, version, m_empty, EPIPE},
    };
    for (const Case &c : cases)
        QTest::newRow(c.tag) << static_cast<int>(c.destination) << c.arguments << c.input << c.error;
}

void TestReadingTerminal::failedWrites()
{
    QFETCH(int, destination);
    QFETCH(QStringList, arguments);
    QFETCH(QString, input);
    QFETCH(int, error);
    if (destination == static_cast<int>(Destination::FullDevice) && !QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here");
    // The output is lost: said once, with its cause, and status 2.
    const Ended ended = RunTo(static_cast<Destination>(destination), arguments, input);
    QVERIFY2(ended.exited, "the program did not end by itself");
    QCOMPARE(ended.err, "veltara-reading: cannot write the output: " + QByteArray(std::strerror(error)) + '\n');
    QCOMPARE(ended.status, 2);
}

void TestReadingTerminal::brokenPipeEndsThePipeline()
{
    // Where SIGPIPE is not ignored, a closed pipe ends the program as it
    // ends any other program of a pipeline, without a word.
    const Ended ended = RunTo(Destination::BrokenPipeDefault, {QStringLiteral("--batch"), QStringLiteral("-")}, m_rows10);
    QVERIFY(!ended.exited);
    QCOMPARE(ended.status, SIGPIPE);
    QCOMPARE(ended.err, QByteArray());
}

void TestReadingTerminal::wrappedOnATerminal()
{
    const QStringList reading{QStringLiteral("John Smith"), QStringLiteral("1999-09-29")};
    const Ended narrow = RunTo(Destination::Terminal, reading, m_empty, 60);
    QCOMPARE(narrow.status, 0);
    // The terminal turns each line break into CR LF.
    const QList<QByteArray> lines = QByteArray(narrow.out).replace("\r\n", "\n").split('\n');
    QVERIFY2(lines.size() > 25, narrow.out.constData());
    for (const QByteArray &line : lines)
        QVERIFY2(QString::fromUtf8(line).size() <= 60, line.constData());
    QCOMPARE(lines.at(2), QByteArray("Character         Inclined to be cold and pessimistic.  Not"));
    QCOMPARE(lines.at(3), QByteArray("                  much sense of humor.  Often slow getting"));

    // Not on a terminal, every value stays on its line, for scripts.
    const ProgramRun piped = RunProgram(reading);
    QCOMPARE(piped.exitCode, 0);
    QVERIFY(piped.out.contains("\nCharacter         Inclined to be cold and pessimistic.  Not much sense of humor.  "));
    QCOMPARE(piped.out.count('\n'), 22);
    QCOMPARE(QByteArray(narrow.out).replace("\r\n", "\n").simplified(), piped.out.simplified());

    // JSON is never wrapped.
    const Ended json = RunTo(Destination::Terminal, QStringList{QStringLiteral("--json")} + reading, m_empty, 60);
    QCOMPARE(json.status, 0);
    QCOMPARE(json.out.count('\n'), 1);
    QVERIFY(json.out.endsWith("}\r\n"));

    // A terminal that gives no width: COLUMNS, here unset, or 80.
    qunsetenv("COLUMNS");
    const Ended unknown = RunTo(Destination::Terminal, reading, m_empty, 0);
    for (const QByteArray &line : QByteArray(unknown.out).replace("\r\n", "\n").split('\n'))
        QVERIFY2(line.size() <= 80, line.constData());
    QVERIFY(unknown.out.contains("Character         Inclined to be cold and pessimistic.  Not much sense of humor.\r\n"));
}

QTEST_MAIN(TestReadingTerminal)
#include "tst_readingterminal.moc"
