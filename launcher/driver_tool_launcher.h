// DriverToolLauncher: starts the driver tool on a worker thread, waits there
// for its end, and then reports the end on the user-interface thread.
//
// The worker never touches a window: it posts its report with the function
// it was given (the framework's AfxPostToUiThread in the program), so the
// report always runs on the user-interface thread after Start has returned. A thread
// cannot be stopped from outside here, so an abandoned worker keeps waiting
// for the tool on its own and reports nothing; the process may exit meanwhile.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "platform/process/start_program.h"

class DriverToolLauncher {
  public:
    // Runs a call on the user-interface thread, soon; safe from any thread.
    using PostToUiThread = std::function<void(std::function<void()>)>;
    // Runs on the user-interface thread when the tool has ended or could not
    // start; names the missing Proton when that kept the tool from starting.
    using Finished = std::function<void(const std::optional<kvn::MissingProton>& missing)>;

    // What a worker and its launcher share. Both hold it, so it outlives
    // whichever of them ends first.
    struct Run;

    explicit DriverToolLauncher(PostToUiThread post) : post_(std::move(post)) {}
    DriverToolLauncher(const DriverToolLauncher&) = delete;
    DriverToolLauncher& operator=(const DriverToolLauncher&) = delete;
    // Abandons a worker that still waits.
    ~DriverToolLauncher();

    // Starts a worker that starts the program at `toolPath` with the tool's
    // command line and waits for it without time limit; then `finished` runs
    // on the user-interface thread, unless Abandon came first. Returns the
    // worker's id, or none when no thread could be created (then `finished`
    // never runs). One run at a time: the caller starts the next one only
    // after `finished`.
    std::optional<std::thread::id> Start(const std::string& toolPath, Finished finished);

    // From now on the worker's end is not reported, and a report already
    // posted is dropped. For the user-interface thread, when the window that
    // would take the report is destroyed.
    void Abandon();

    // The worker's entry: starts the tool, waits for it, reports.
    static void DriverToolThreadProc(std::shared_ptr<Run> run);

  private:
    PostToUiThread post_;
    std::shared_ptr<Run> run_; // the latest run; none before the first
};
