// CGraphicsDlg: the graphics settings dialog, template 102.
#pragma once

#include <string>

#include "launcher/driver_tool_launcher.h"
#include "platform/framework/cdialog.h"
#include "platform/framework/controls.h"
#include "settings/game_settings.h"

class CGraphicsDlg : public CDialog {
  public:
    explicit CGraphicsDlg(CWnd* parent = nullptr);

    // Reads the settings file and the caption file, then runs the dialog.
    INT_PTR DoModal() override;

    GameSettings settings;
    std::string toolPath;      // the driver tool, from the caption file
    bool workerThread = false; // a driver-tool worker runs; false when idle

    CButton toolButton;
    CButton agpSpecifyRadio;
    CButton mipAutoRadio;
    CButton agpAutoRadio;
    CButton mipOffRadio;
    CButton mipOnRadio;
    CButton agpGroup;
    CButton lowQualityCheck;
    CButton mipGroup;
    CButton okButton;
    CButton cancelButton;
    CButton titleGroup;
    CSpinButtonCtrl memorySpin;
    CEdit memoryEdit;

  protected:
    HICON icon;

    bool ExchangeData(CDataExchange& exchange) override;
    BOOL OnOpen() override;
    void OnConfirm() override;

    void OnSystemCommand(UINT command, LPARAM parameter);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnAgpModeClicked();
    void OnSpinDeltaPos(NMHDR* notification, LRESULT* result);

    // The driver-tool button (dialog/driver_tool_button.cpp).
    void OnDriverToolClicked();
    void OnDriverToolFinished(const std::optional<kvn::MissingProton>& missing);
    void OnDestroyWindow();
    DriverToolLauncher toolLauncher;
    bool toolButtonHadFocus = false; // when clicked; for giving the focus back at the end

    DECLARE_MESSAGE_MAP()
};
