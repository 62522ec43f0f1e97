// CAboutBox: the About box, template 100.
#pragma once

#include "platform/framework/cdialog.h"

class CAboutBox : public CDialog {
  public:
    CAboutBox();

  protected:
    bool ExchangeData(CDataExchange& exchange) override;

    DECLARE_MESSAGE_MAP()
};
