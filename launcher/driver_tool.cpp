// The driver-tool members of CGraphicsDlg: the tool is started and awaited on
// a worker thread while OK, Cancel and the tool button are disabled.
//
// The worker never touches a widget: it posts its completion to the
// user-interface thread. So the completion always runs after the click
// handler has recorded workerThread, and never undoes that. A thread cannot
// be stopped from outside here, so a dialog destroyed while the worker waits
// abandons it: the worker keeps waiting for the tool on its own, posts
// nothing, and the process may exit meanwhile.
#include <initializer_list>
#include <system_error>
#include <utility>

#include "dialog/graphics_dlg.h"
#include "launcher/driver_tool_run.h"
#include "platform/framework/cwinapp.h"
#include "platform/process/start_program.h"

namespace {

constexpr const char* kToolCommandLine = "DrvPicker.exe -app:ZOLT";

} // namespace

bool CGraphicsDlg::NoControlHasFocus() const {
    const std::initializer_list<const CWnd*> controls = {
        &okButton, &cancelButton, &toolButton,      &specifyRadio, &mipAutoRadio, &agpAutoRadio,
        &offRadio, &onRadio,      &lowQualityCheck, &memoryEdit,   &memorySpin};
    for (const CWnd* control : controls)
        if (control->HasFocus())
            return false;
    return true;
}

void CGraphicsDlg::OnDriverToolClicked() {
    // The disabled button takes no second click; a click sent as a message
    // must not start a second tool either.
    if (workerThread)
        return;
    auto run = std::make_shared<DriverToolRun>();
    run->toolPath = toolPath;
    run->buttonHadFocus = toolButton.HasFocus();
    toolRun = run;

    okButton.EnableWindow(FALSE);
    cancelButton.EnableWindow(FALSE);
    toolButton.EnableWindow(FALSE);
    try {
        std::thread worker(&CGraphicsDlg::DriverToolThreadProc, this, std::move(run));
        workerThread = worker.get_id();
        worker.detach();
    } catch (const std::system_error&) {
        // No worker, nothing to wait for.
        OnDriverToolFinished();
    }
}

unsigned CGraphicsDlg::DriverToolThreadProc(CGraphicsDlg* dialog,
                                            std::shared_ptr<DriverToolRun> run) {
    // A tool that cannot be started ends the wait at once; the result is not
    // examined either way.
    kvn::StartProgramAndWait(run->toolPath, kToolCommandLine);

    // Posting under the lock: once the dialog has set `abandoned`, this
    // thread no longer touches the toolkit, which may be gone with the process.
    std::lock_guard lock(run->mutex);
    if (!run->abandoned) {
        AfxPostToUiThread([dialog, run] {
            if (!run->abandoned)
                dialog->OnDriverToolFinished();
        });
    }
    return 0;
}

void CGraphicsDlg::OnDriverToolFinished() {
    const bool giveFocusBack = toolRun && toolRun->buttonHadFocus;
    workerThread.reset();
    toolRun.reset();
    okButton.EnableWindow(TRUE);
    cancelButton.EnableWindow(TRUE);
    toolButton.EnableWindow(TRUE);
    // Disabling the focused button left the keyboard with no control; unless
    // the player has chosen another one meanwhile, it goes back to the button.
    if (giveFocusBack && NoControlHasFocus())
        toolButton.SetFocus();
}

void CGraphicsDlg::OnDestroyWindow() {
    if (toolRun) {
        std::lock_guard lock(toolRun->mutex);
        toolRun->abandoned = true;
    }
    CDialog::OnDestroy();
}
