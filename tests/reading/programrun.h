// Runs the built veltara-reading with arguments and standard input, and
// keeps what it printed and its exit status.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

struct ProgramRun {
    int exitCode = -1; // -1: did not start, crashed or did not end in time
    QByteArray out;
    QByteArray err;
};

// outputFile, when given, takes the standard output instead of a pipe.
inline ProgramRun RunProgram(const QStringList &arguments, const QByteArray &input = QByteArray(),
                             const QString &outputFile = QString())
{
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(VELTARA_READING_PROGRAM), arguments);
    ProgramRun run;
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}
