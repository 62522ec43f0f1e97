// CWinApp: the one application object. It is constructed statically; the
// framework's entry runs its start-up step and, after it, its exit step.
#pragma once

#include <functional>

#include "platform/framework/cwnd.h"

class CWinApp : public CCmdTarget {
  public:
    CWinApp();
    ~CWinApp() override;

    // The start-up step. False: no message loop follows.
    virtual BOOL InitInstance() { return FALSE; }
    // The exit step; its result is the process's exit status.
    virtual int ExitInstance() { return 0; }

    // Icon `id` of the program's resources; the framework keeps it.
    HICON LoadIcon(UINT id);

    // Asks the help engine for `context` of the program's help file.
    void WinHelp(DWORD context);
    // The help command: the help for m_dwHelpContext.
    void OnHelp();

    CWnd* m_pMainWnd = nullptr;
    // What the help command asks help for: a dialog that passes it the
    // command sets its own context (kHelpContextBase + its template's number)
    // for that command.
    static constexpr DWORD kHelpContextBase = 0x20000;
    DWORD m_dwHelpContext = kHelpContextBase;
};

CWinApp* AfxGetApp();

// Hosting of embedded controls: nothing to switch on with this toolkit.
void AfxEnableControlContainer();

// Runs `call` on the user-interface thread, soon. Safe from any thread.
void AfxPostToUiThread(std::function<void()> call);

// The framework's entry: runs the application object. Used by main().
int AfxWinMain(int argc, char** argv);
