// The application object and the help command; the backend runs the toolkit
// around them.
#include "platform/framework/cwinapp.h"

#include "platform/framework/message_box.h"

namespace {

CWinApp* theApp = nullptr;

} // namespace

CWinApp::CWinApp() {
    if (theApp == nullptr)
        theApp = this;
}

CWinApp::~CWinApp() {
    if (theApp == this)
        theApp = nullptr;
}

CWinApp* AfxGetApp() {
    return theApp;
}

void CWinApp::WinHelp(DWORD) {
    // There is no help engine on this platform.
    AfxMessageBox("Failed to launch help.", MB_ICONEXCLAMATION);
}

void CWinApp::OnHelp() {
    WinHelp(m_dwHelpContext);
}

void AfxEnableControlContainer() {}
