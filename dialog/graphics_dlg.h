// CGraphicsDlg: the graphics settings dialog, template 102.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "platform/framework/cdialog.h"
#include "platform/framework/controls.h"
#include "settings/game_settings.h"

struct DriverToolRun;

class CGraphicsDlg : public CDialog {
  public:
    explicit CGraphicsDlg(CWnd* parent = nullptr);

    GameSettings settings;
    std::string toolPath;                        // the driver tool, from the caption file
    std::optional<std::thread::id> workerThread; // the driver-tool worker; none when idle

    CButton toolButton;
    CButton specifyRadio;
    CButton mipAutoRadio;
    CButton agpAutoRadio;
    CButton offRadio;
    CButton onRadio;
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

    // Relabels the controls from the caption file; nothing yet, so the
    // template's captions stay.
    void ApplyCaptions();

    void OnSystemCommand(UINT command, LPARAM parameter);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnAgpModeClicked();
    void OnSpinDeltaPos(NMHDR* notification, LRESULT* result);

    // The driver tool (launcher/driver_tool.cpp). The worker gets the run it
    // shares with the dialog, so that it never needs the dialog once that is
    // destroyed.
    void OnDriverToolClicked();
    static unsigned DriverToolThreadProc(CGraphicsDlg* dialog, std::shared_ptr<DriverToolRun> run);
    void OnDriverToolFinished();
    void OnDestroyWindow();
    bool NoControlHasFocus() const;
    std::shared_ptr<DriverToolRun> toolRun; // the running worker's share; set with workerThread

    DECLARE_MESSAGE_MAP()
};
