// Starting a program from a Windows path and a command line, and waiting for
// its end, by the rules of the Windows C runtime's spawn functions.
#pragma once

#include <optional>
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
// standard streams, and nothing else; WINEPREFIX is added when the game's
// prefix (FindGamePrefix) was found rather than given, so that the tool runs
// in the same prefix as the game. In a Proton prefix a Windows program or
// batch file is started by that Proton's own script, never by another Wine
// (which would update the prefix to its own version): as
// {"<Proton>/proton", "run", what wine would get}, with
// STEAM_COMPAT_DATA_PATH naming the prefix's compatdata folder and
// STEAM_COMPAT_CLIENT_INSTALL_PATH the Steam folder.
//
// The call holds no lock while it waits, so the calling thread may be
// abandoned and the process may exit at any time meanwhile: the program is
// not stopped with it and runs on by itself.
int StartProgramAndWait(const std::string& windowsPath, const std::string& commandLine);

// Why a Windows program was not started in the game's prefix: the prefix is
// Proton's, a program in it runs only with the Proton that last ran it, and
// that one is not there.
struct MissingProton {
    std::string prefix; // the game's prefix, as a path of this system
    std::string proton; // the Proton folder looked for; empty when the prefix names none
};

// As above; when nothing was started for want of the prefix's Proton,
// `missing` says which, and is empty otherwise. On Windows it stays empty.
int StartProgramAndWait(const std::string& windowsPath, const std::string& commandLine,
                        std::optional<MissingProton>& missing);

#ifndef _WIN32
// The file on this system that StartProgramAndWait would start for
// `windowsPath`, or "" when there is none: the first of ProgramPathCandidates
// that is a regular file, its components matched without regard to case
// (kvn::ToHostPath).
std::string ResolveProgramPath(std::string_view windowsPath);
#endif

} // namespace kvn
