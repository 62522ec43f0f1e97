#include "dialog/about_box.h"

#include "resources/resource_ids.h"

CAboutBox::CAboutBox() : CDialog(IDD_ABOUTBOX) {}

bool CAboutBox::ExchangeData(CDataExchange& exchange) {
    return CDialog::ExchangeData(exchange);
}

BEGIN_MESSAGE_MAP(CAboutBox, CDialog)
END_MESSAGE_MAP()
