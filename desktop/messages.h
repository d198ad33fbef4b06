// Every message the user is told goes through MsgBox: a modal box with a
// fixed text, title and style. Tests install a handler to answer it.
#pragma once

#include "version.h"

#include <QString>

#include <functional>

namespace veltara {

// Title of every message box that is given no title of its own.
inline QString ApplicationTitle() { return QStringLiteral("Veltara Numerology Software"); }
// Title of the program's windows: the application title and the version.
inline QString WindowTitle() { return ApplicationTitle() + QStringLiteral(" v") + QLatin1String(ProgramVersion); }

// Style values: a button set plus an icon.
namespace MsgStyle {
inline constexpr int OkOnly = 0;
inline constexpr int YesNo = 4;
inline constexpr int Critical = 16;
inline constexpr int Information = 64;
} // namespace MsgStyle

// Answers.
namespace MsgAnswer {
inline constexpr int Ok = 1;
inline constexpr int Yes = 6;
inline constexpr int No = 7;
} // namespace MsgAnswer

// Shows a modal message box and returns the answer. An empty title shows the
// application title. A carriage return in the text (alone or before a line
// feed) starts a new line.
int MsgBox(const QString &text, int style = MsgStyle::OkOnly, const QString &title = QString());

// Receives every message instead of a real box: the text as given, the style
// and the title as shown. Returns the answer. An empty handler restores the
// real boxes.
using MessageHandler = std::function<int(const QString &text, int style, const QString &title)>;
void SetMessageHandler(MessageHandler handler);

// One line of diagnostics on the standard error, for what the user is not
// asked about: the program's name, a colon and the text. Used where there is
// no window to show a box in, or where a box would stand in the user's way.
void Diagnostic(const QString &line);

// Writes a text the user asked for (--help, --version) to the standard
// output. On Windows the window's program has no console of its own: the text
// goes to the console it was started from, or, when there is none, into a
// message box.
void PrintText(const QString &text);
// The operating system's part of PrintText (messages_posix.cpp,
// messages_windows.cpp): shows the text elsewhere than on the standard
// output and returns true, or returns false to have it written there.
bool PrintOutsideStandardOutput(const QString &text);

// Receives every line of diagnostics instead of the standard error; an empty
// handler restores it.
using DiagnosticHandler = std::function<void(const QString &line)>;
void SetDiagnosticHandler(DiagnosticHandler handler);

} // namespace veltara
