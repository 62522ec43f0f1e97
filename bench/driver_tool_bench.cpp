// Time from the driver tool's exit to OK, Cancel and the tool button enabled
// again, with the dialog idle in its modal loop meanwhile; against a floor
// measured in the same run: the same exit seen by a thread that only waits
// for the tool. Needs a display:
//   xvfb-run -a build/bench/kvn_bench_driver_tool
//
// The stand-in tool waits for a line on a pipe; "exit" is the moment the
// line is written, so both figures include the tool's own exit.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/timer.h>

#include "dialog/program_resources.h"
#include "platform/framework/app_runner.h"
#include "platform/framework/wx/handles.h"
#include "platform/process/start_program.h"
#include "tests/gui/dialog_driver.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
using kvn::test::WriteFile;
namespace fs = std::filesystem;

constexpr int kRuns = 21;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Micros(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// ".\DrvPicker.exe" in the current directory: notes each start, then exits
// when a line arrives on the pipe "release" (or after 30 s).
class Tool {
  public:
    Tool() {
        WriteFile("DrvPicker.exe", "#!/bin/bash\nexec >/dev/null 2>&1\necho $$ >> starts\n"
                                   "read -r -t 30 _ <> release\n");
        fs::permissions("DrvPicker.exe", fs::perms(0755));
        ::mkfifo("release", 0600);
        fd_ = ::open("release", O_RDWR | O_CLOEXEC);
    }
    ~Tool() { ::close(fd_); }
    std::size_t Starts() const {
        std::error_code ec;
        return fs::exists("starts", ec) ? fs::file_size("starts") : 0;
    }
    bool WaitForStart(std::size_t before) const {
        for (int i = 0; i < 500 && Starts() == before; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        // Let the tool reach its read.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return Starts() != before;
    }
    void Release() const {
        if (::write(fd_, "go\n", 3) != 3)
            std::perror("release");
    }

  private:
    int fd_ = -1;
};

bool ButtonsEnabled(CGraphicsDlg& dialog) {
    return dialog.okButton.IsWindowEnabled() && dialog.cancelButton.IsWindowEnabled() &&
           dialog.toolButton.IsWindowEnabled();
}

// The button's click notification, handled before this returns.
void SendClick(CButton& button) {
    wxWindow* window = kvn::WxWindow(button);
    wxCommandEvent click(wxEVT_BUTTON, window->GetId());
    click.SetEventObject(window);
    window->ProcessWindowEvent(click);
}

std::vector<double> MeasureFloor(const Tool& tool) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        Clock::time_point ended;
        const std::size_t before = tool.Starts();
        std::thread waiter([&] {
            kvn::StartProgramAndWait(".\\DrvPicker.exe", "DrvPicker.exe -app:ZOLT");
            ended = Clock::now();
        });
        if (!tool.WaitForStart(before)) {
            tool.Release();
            waiter.join();
            continue;
        }
        const auto released = Clock::now();
        tool.Release();
        waiter.join();
        times.push_back(Micros(ended - released));
    }
    return times;
}

std::vector<double> MeasureDialog(const Tool& tool) {
    std::vector<double> times;
    CGraphicsDlg dialog;
    kvn::test::RunDialog(
        dialog,
        [&] {
            dialog.toolPath = ".\\DrvPicker.exe";
            for (int i = 0; i < kRuns; ++i) {
                const std::size_t before = tool.Starts();
                SendClick(dialog.toolButton);
                if (!tool.WaitForStart(before))
                    break;
                // The dialog's own loop, idle until the completion arrives.
                wxGUIEventLoop loop;
                Clock::time_point enabled;
                auto onIdle = [&](wxIdleEvent& event) {
                    event.Skip();
                    if (ButtonsEnabled(dialog) && loop.IsRunning()) {
                        enabled = Clock::now();
                        loop.Exit();
                    }
                };
                wxTimer limit;
                limit.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { loop.Exit(); });
                limit.StartOnce(5000);
                wxTheApp->Bind(wxEVT_IDLE, onIdle);
                const auto released = Clock::now();
                tool.Release();
                loop.Run();
                wxTheApp->Unbind(wxEVT_IDLE, onIdle);
                if (enabled == Clock::time_point())
                    break;
                times.push_back(Micros(enabled - released));
            }
        },
        120);
    return times;
}

void Report(const char* name, const std::vector<double>& times) {
    std::printf("%-34s runs %2zu  median %8.1f us  min %8.1f us  max %8.1f us\n", name,
                times.size(), times.empty() ? 0.0 : Median(times),
                times.empty() ? 0.0 : *std::min_element(times.begin(), times.end()),
                times.empty() ? 0.0 : *std::max_element(times.begin(), times.end()));
}

} // namespace

int main(int argc, char** argv) {
    ::setenv("NO_AT_BRIDGE", "1", 0);
    RegisterProgramResources();
    return AfxRunToolkit(argc, argv, [] {
        kvn::test::TempPrefix prefix;
        WriteFile(prefix.settingsFile(), "[ZOLT]\r\nDDDriver=Primary Display Driver\r\n");
        kvn::test::TempDir dir;
        kvn::test::ScopedCurrentDir cwd(dir.path());
        Tool tool;
        const std::vector<double> floor = MeasureFloor(tool);
        const std::vector<double> dialog = MeasureDialog(tool);
        Report("floor: a thread waiting for it", floor);
        Report("dialog: buttons enabled again", dialog);
        if (floor.empty() || dialog.size() != static_cast<std::size_t>(kRuns)) {
            std::fprintf(stderr, "some runs did not complete\n");
            return 1;
        }
        std::printf("ratio of medians (dialog / floor): %.2f\n", Median(dialog) / Median(floor));
        return 0;
    });
}
