// What the operating system gives veltara-reading differently: the
// arguments, the standard streams and the opening of a named file. The
// program reads and writes UTF-8 with LF line ends everywhere.
#pragma once

#include "dates.h"

#include <cstdio>
#include <string>
#include <vector>

namespace veltara::reading {

// The command line without the program's name, in UTF-8. On Windows it is
// read from the wide command line, whatever the console's code page.
std::vector<std::string> CommandLineArguments(int argc, char *argv[]);

// Standard input, output and error as bytes: on Windows no LF becomes CRLF
// on the way out and no CRLF becomes LF on the way in.
void UseBinaryStandardStreams();

// Opens a file named in UTF-8 for reading bytes; nullptr with errno set
// when it cannot be opened.
std::FILE *OpenForReading(const std::string &path);

// Larger pipe buffers mean fewer program switches in a pipeline; elsewhere a no-op.
void WidenPipe(std::FILE *stream);

// Today's date in the local time of the system.
Date LocalToday();

} // namespace veltara::reading
