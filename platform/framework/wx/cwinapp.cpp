#include "platform/framework/cwinapp.h"

#include <cstdlib>

#include <glib.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include "platform/framework/app_runner.h"
#include "platform/framework/cdialog.h"
#include "platform/framework/message_box.h"
#include "platform/framework/wx/compact_style.h"
#include "platform/framework/wx/images.h"
#include "platform/process/player_environment.h"

namespace {

// Runs the body in place of the toolkit's main loop, so that the process's
// exit status is the body's result (a false OnInit would make it 255).
class FrameworkApp : public wxApp {
  public:
    explicit FrameworkApp(std::function<int()> body) : body_(std::move(body)) {}
    // The program takes no command line: the base class would parse it.
    bool OnInit() override {
        // The windows' class (WM_CLASS on X11) is the program's name as it
        // is, which the toolkit would have capitalised: the desktop entry's.
        SetAppName(wxString::FromUTF8(AfxProgramTitle()));
        SetClassName(GetAppName());
        kvn::ApplyCompactStyle();
        return true;
    }
    int OnRun() override { return body_(); }

  private:
    std::function<int()> body_;
};

} // namespace

HICON CWinApp::LoadIcon(UINT id) {
    return kvn::LoadResourceIcon(static_cast<int>(id));
}

void AfxPostToUiThread(std::function<void()> call) {
    if (wxTheApp != nullptr)
        wxTheApp->CallAfter(std::move(call));
}

int AfxRunToolkit(int argc, char** argv, std::function<int()> body) {
    // The first GTK program on a fresh X server would otherwise probe OpenGL,
    // which this program never uses. The driver tool does not inherit it.
    kvn::SetForThisProgramOnly("GDK_GL", "disable");
    // The application id, which Wayland desktops look up as <id>.desktop for
    // the window's icon: the program's name, however it was started.
    g_set_prgname(AfxProgramTitle().c_str());
    // Start-up failures (no display) are reported on stderr: a message box
    // cannot be shown without the display.
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxApp::SetInstance(new FrameworkApp(std::move(body)));
    return wxEntry(argc, argv);
}

int AfxWinMain(int argc, char** argv) {
    // The program takes no command line: the toolkit sees only the program's
    // name, so that its options (--display, --help, ...) are not acted on.
    char fallbackName[] = "KVNConfig";
    char* programOnly[] = {argc > 0 && argv[0] ? argv[0] : fallbackName, nullptr};
    return AfxRunToolkit(1, programOnly, [] {
        CWinApp* app = AfxGetApp();
        if (app == nullptr)
            return 0;
        if (app->InitInstance() && wxTheApp != nullptr)
            wxTheApp->wxApp::OnRun();
        return app->ExitInstance();
    });
}
