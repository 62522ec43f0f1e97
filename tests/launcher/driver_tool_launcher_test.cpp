#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "launcher/driver_tool_launcher.h"

namespace {

// The user-interface thread's queue: workers post, the test runs what came.
class UiQueue {
  public:
    DriverToolLauncher::PostToUiThread Poster() {
        return [this](std::function<void()> call) {
            std::lock_guard lock(mutex_);
            calls_.push_back(std::move(call));
            arrived_.notify_all();
        };
    }
    // Waits for the next posted call without running it; false after 10 s.
    bool WaitForPost() {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, std::chrono::seconds(10),
                                 [this] { return !calls_.empty(); });
    }
    void RunPosted() {
        std::deque<std::function<void()>> calls;
        {
            std::lock_guard lock(mutex_);
            calls.swap(calls_);
        }
        for (auto& call : calls)
            call();
    }

  private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::function<void()>> calls_;
};

constexpr const char* kMissingTool = ".\\no-such-driver-tool.exe";

TEST(DriverToolLauncher, AMissingToolIsReportedOnceOnTheThreadThatRunsThePosts) {
    UiQueue ui;
    DriverToolLauncher launcher(ui.Poster());
    int reports = 0;
    std::optional<std::thread::id> reportedOn;
    const std::optional<std::thread::id> worker = launcher.Start(kMissingTool, [&](const auto&) {
        ++reports;
        reportedOn = std::this_thread::get_id();
    });
    ASSERT_TRUE(worker.has_value());
    EXPECT_NE(*worker, std::this_thread::get_id());
    EXPECT_EQ(reports, 0); // nothing runs before the queue is drained
    ASSERT_TRUE(ui.WaitForPost());
    ui.RunPosted();
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(reportedOn, std::this_thread::get_id());

    // The launcher can run the tool again once the report has come.
    ASSERT_TRUE(launcher.Start(kMissingTool, [&](const auto&) { ++reports; }).has_value());
    ASSERT_TRUE(ui.WaitForPost());
    ui.RunPosted();
    EXPECT_EQ(reports, 2);
}

TEST(DriverToolLauncher, AReportPostedBeforeAbandonOrDestructionIsDropped) {
    UiQueue ui;
    int reports = 0;
    {
        DriverToolLauncher launcher(ui.Poster());
        ASSERT_TRUE(launcher.Start(kMissingTool, [&](const auto&) { ++reports; }).has_value());
        ASSERT_TRUE(ui.WaitForPost());
        launcher.Abandon(); // the window is destroyed before the report runs
        ui.RunPosted();
        EXPECT_EQ(reports, 0);

        ASSERT_TRUE(launcher.Start(kMissingTool, [&](const auto&) { ++reports; }).has_value());
        ASSERT_TRUE(ui.WaitForPost());
    } // the launcher goes with its dialog; the posted report still runs later
    ui.RunPosted();
    EXPECT_EQ(reports, 0);
}

} // namespace
