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
// The file is the first of ProgramPathCandidates that exists; the search
// path is never consulted. A batch file (".bat", ".cmd") is run by the
// command interpreter with the arguments after the name, so that the batch
// file itself runs: on Windows as `cmd.exe /s /c ""<its path>" <arguments>"`.
//
// Off Windows the program gets the argument vector that the runtime would
// build from `commandLine` (SplitCommandLine). A file that begins with "MZ" is
// a Windows program and is run by the `wine` found on PATH, as
// {"wine", its absolute path, the arguments after the name}; a batch file by
// Wine's command interpreter, as {"wine", "cmd", "/c", its Windows path, the
// arguments after the name}. A program ended by a signal gives 128 plus the
// signal's number. It runs in a session of its own, so that signals meant for
// this program's terminal do not reach it. It gets the environment that this
// one received (see SetForThisProgramOnly), the current directory and the
// standard streams, and nothing else.
//
// The call holds no lock while it waits, so the calling thread may be
// abandoned and the process may exit at any time meanwhile: the program is
// not stopped with it and runs on by itself.
int StartProgramAndWait(const std::string& windowsPath, const std::string& commandLine);

#ifndef _WIN32
// The file on this system that StartProgramAndWait would start for
// `windowsPath`, or "" when there is none: the first of ProgramPathCandidates
// that is a regular file, its components matched without regard to case
// (kvn::ToHostPath).
std::string ResolveProgramPath(std::string_view windowsPath);
#endif

} // namespace kvn
