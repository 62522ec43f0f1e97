// CConfigApp: the application object. Its start-up step runs the graphics
// dialog; the process ends when the dialog closes.
#pragma once

#include "platform/framework/cwinapp.h"

class CConfigApp : public CWinApp {
  public:
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
