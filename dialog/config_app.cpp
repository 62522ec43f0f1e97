#include "dialog/config_app.h"

#include "dialog/graphics_dlg.h"
#include "dialog/program_resources.h"

// The one application object, constructed before the entry runs.
CConfigApp theApp;

BOOL CConfigApp::InitInstance() {
    RegisterProgramResources();
    AfxEnableControlContainer();
    // No three-dimensional control drawing to register: every system this
    // runs on draws its dialogs in three dimensions itself.

    CGraphicsDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal(); // OK and Cancel end the program alike
    m_pMainWnd = nullptr;

    // No message loop: the process ends here.
    return FALSE;
}

BEGIN_MESSAGE_MAP(CConfigApp, CWinApp)
ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()
