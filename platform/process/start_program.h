// Starting a program from a Windows path and a command line, and waiting for
// its end, by the rules of the Windows C runtime's spawn functions.
#pragma once

#include <string>
#include <string_view>

namespace kvn {

// Starts the program that `windowsPath` names and waits, without time limit,
// until it has ended. The program sees `commandLine` as its command line,
// verbatim. Returns its exit code, or -1 when nothing could be started.
//
// Off Windows the program gets the argument vector that the runtime would
// build from `commandLine` (SplitCommandLine). A file that begins with "MZ" is
// a Windows program and is run by the `wine` found on PATH, as
// {"wine", its absolute path, the arguments after the name}. A batch file
// (".bat", ".cmd") is run by Wine's command interpreter, as {"wine", "cmd",
// "/c", its Windows path, the arguments after the name}, so that the batch
// file itself runs (Windows would hand the command line to its interpreter,
// which would run the program the line names). A program ended by a signal
// gives 128 plus the signal's number. It runs in a session of its own, so that
// signals meant for this program's terminal do not reach it.
//
// The path is resolved as the runtime does (see ResolveProgramPath); the
// search path is never consulted. The program gets the environment that this
// one received (see SetForThisProgramOnly), the current directory and the
// standard streams, and nothing else.
//
// The call holds no lock while it waits, so the calling thread may be
// abandoned and the process may exit at any time meanwhile: the program is
// not stopped with it and runs on by itself.
int StartProgramAndWait(const std::string& windowsPath, const std::string& commandLine);

#ifndef _WIN32
// The file on this system that StartProgramAndWait would start for
// `windowsPath`, or "" when there is none. A path without "\", "/" and ":" is
// taken as ".\" followed by it. When the file name (what follows the last "\"
// or "/", failing both the ":") contains a ".", the path itself is taken if
// that file exists; otherwise ".com", ".exe", ".bat" and ".cmd" are tried in
// that order and the first that exists is taken. Only regular files count;
// components match without regard to case (kvn::ToHostPath).
std::string ResolveProgramPath(std::string_view windowsPath);
#endif

} // namespace kvn
