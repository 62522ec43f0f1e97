#include "launcher/driver_tool_launcher.h"

#include <future>
#include <mutex>
#include <system_error>
#include <utility>

namespace {

// The tool sees its own name followed by one argument that names the game.
constexpr const char* kToolCommandLine = "DrvPicker.exe -app:ZOLT";

} // namespace

struct DriverToolLauncher::Run {
    std::string toolPath;                      // copied before the worker starts
    PostToUiThread post;                       // how the worker reports
    Finished finished;                         // runs on the user-interface thread
    std::optional<kvn::MissingProton> missing; // written by the worker before it posts

    std::mutex mutex;
    // Set on the user-interface thread under `mutex`; read by the worker
    // under it, and by the posted report, which runs on that thread too.
    bool abandoned = false;
};

DriverToolLauncher::~DriverToolLauncher() {
    Abandon();
}

std::optional<std::thread::id> DriverToolLauncher::Start(const std::string& toolPath,
                                                         Finished finished) {
    auto run = std::make_shared<Run>();
    run->toolPath = toolPath;
    run->post = post_;
    run->finished = std::move(finished);
    try {
        // Detach only once the worker runs: under Wine a thread detached
        // before it had started was sometimes never run (about one start in
        // 25 under load), which left the three buttons disabled for good.
        std::promise<void> started;
        std::future<void> running = started.get_future();
        std::thread worker([run, &started] {
            started.set_value();
            DriverToolThreadProc(run);
        });
        running.wait();
        const std::thread::id id = worker.get_id();
        worker.detach();
        run_ = std::move(run);
        return id;
    } catch (const std::system_error&) {
        return std::nullopt; // no worker, nothing to wait for
    }
}

void DriverToolLauncher::Abandon() {
    if (!run_)
        return;
    std::lock_guard lock(run_->mutex);
    run_->abandoned = true;
}

void DriverToolLauncher::DriverToolThreadProc(std::shared_ptr<Run> run) {
    // A tool that cannot be started ends the wait at once; the result is not
    // examined either way.
    kvn::StartProgramAndWait(run->toolPath, kToolCommandLine, run->missing);

    // Posting under the lock: once the launcher has abandoned the run, this
    // thread no longer posts: the user-interface thread may be gone with the
    // process.
    std::lock_guard lock(run->mutex);
    if (!run->abandoned) {
        run->post([run] {
            if (!run->abandoned)
                run->finished(run->missing);
        });
    }
}
