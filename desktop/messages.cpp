#include "messages.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace veltara {

namespace {

MessageHandler &handler()
{
    static MessageHandler installed;
    return installed;
}

int ShowMessageBox(const QString &text, int style, const QString &title)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    const int icon = style & (MsgStyle::Critical | MsgStyle::Information);
    box.setIcon(icon == MsgStyle::Critical      ? QMessageBox::Critical
                : icon == MsgStyle::Information ? QMessageBox::Information
                                                : QMessageBox::NoIcon);
    if ((style & 7) == MsgStyle::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    const int pressed = box.exec();
    if (pressed == QMessageBox::Yes)
        return MsgAnswer::Yes;
    if (pressed == QMessageBox::No)
        return MsgAnswer::No;
    return MsgAnswer::Ok;
}

DiagnosticHandler &diagnosticHandler()
{
    static DiagnosticHandler installed;
    return installed;
}

} // namespace

int MsgBox(const QString &text, int style, const QString &title)
{
    const QString shownTitle = title.isEmpty() ? ApplicationTitle() : title;
    if (handler())
        return handler()(text, style, shownTitle);
    return ShowMessageBox(text, style, shownTitle);
}

void SetMessageHandler(MessageHandler newHandler)
{
    handler() = std::move(newHandler);
}

void Diagnostic(const QString &line)
{
    if (diagnosticHandler()) {
        diagnosticHandler()(line);
        return;
    }
    // Also before the application object exists, when the name comes from the
    // command line.
    QString program = QCoreApplication::applicationName();
    if (program.isEmpty())
        program = QStringLiteral("veltara");
    std::fprintf(stderr, "%s: %s\n", program.toLocal8Bit().constData(), line.toLocal8Bit().constData());
    std::fflush(stderr);
}

void PrintText(const QString &text)
{
    if (PrintOutsideStandardOutput(text))
        return;
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void SetDiagnosticHandler(DiagnosticHandler newHandler)
{
    diagnosticHandler() = std::move(newHandler);
}

} // namespace veltara
