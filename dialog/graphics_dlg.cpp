#include "dialog/graphics_dlg.h"

#include <cstdio>

#include "dialog/about_box.h"
#include "platform/framework/cwinapp.h"
#include "platform/framework/message_box.h"
#include "resources/message_texts.h"
#include "resources/resource_ids.h"
#include "settings/caption_file.h"
#include "settings/save_failure.h"
#include "settings/settings_file.h"

namespace {

constexpr UINT kAboutCommand = 0x0010;
// The memory box's range, in megabytes: the exchange's validation and the
// spin control's steps.
constexpr std::int32_t kMinMemoryMb = 0;
constexpr std::int32_t kMaxMemoryMb = 128;

} // namespace

CGraphicsDlg::CGraphicsDlg(CWnd* parent)
    : CDialog(IDD_GRAPHICS_DIALOG, parent), icon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)),
      toolLauncher(AfxPostToUiThread) {}

bool CGraphicsDlg::ExchangeData(CDataExchange& dx) {
    CDialog::ExchangeData(dx);
    dx.Control(IDC_DRIVER_TOOL, toolButton);
    dx.Control(IDC_AGP_SPECIFY, agpSpecifyRadio);
    dx.Control(IDC_MIP_AUTO, mipAutoRadio);
    dx.Control(IDC_AGP_AUTO, agpAutoRadio);
    dx.Control(IDC_MIP_OFF, mipOffRadio);
    dx.Control(IDC_MIP_ON, mipOnRadio);
    dx.Control(IDC_AGP_GROUP, agpGroup);
    dx.Control(IDC_LOW_QUALITY, lowQualityCheck);
    dx.Control(IDC_MIP_GROUP, mipGroup);
    dx.Control(IDOK, okButton);
    dx.Control(IDCANCEL, cancelButton);
    dx.Control(IDC_TITLE_GROUP, titleGroup);
    dx.Control(IDC_MEMORY_SPIN, memorySpin);
    dx.Control(IDC_MEMORY_EDIT, memoryEdit);
    return dx.Radio(IDC_MIP_ON, settings.mipMapping) &&
           dx.Check(IDC_LOW_QUALITY, settings.lowGraphicMode) &&
           dx.Radio(IDC_AGP_AUTO, settings.agpMode) &&
           dx.Integer(IDC_MEMORY_EDIT, settings.agpMemoryMb) &&
           dx.Range(settings.agpMemoryMb, kMinMemoryMb, kMaxMemoryMb);
}

INT_PTR CGraphicsDlg::DoModal() {
    // Read before the window is made, so that the controls are made with
    // their captions rather than relabelled once made.
    LoadSettings(settings);
    LoadCaptions(settings.language, toolPath,
                 [this](int id, const char* text) { SetDlgItemText(id, text); });
    return CDialog::DoModal();
}

BOOL CGraphicsDlg::OnOpen() {
    CDialog::OnOpen();
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    // The platform's range is the maximum in the low word and the minimum in
    // the high word: so here 128 is the minimum and 0 the maximum, and
    // OnSpinDeltaPos turns the steps round.
    SendDlgItemMessage(IDC_MEMORY_SPIN, UDM_SETRANGE, 0, MAKELONG(kMinMemoryMb, kMaxMemoryMb));

    // Which file this is shows in the title group's tooltip, and in a line on
    // standard error, which launchers keep in their logs.
    const std::string file = SettingsFileHostPath();
    titleGroup.SetToolTip(SettingsFileToolTip(file).c_str());
    std::fputs(SettingsFileLogLine(AfxProgramTitle(), file).c_str(), stderr);
    memoryEdit.EnableWindow(settings.agpMode != AgpMemoryMode::Auto);
    toolButton.EnableWindow(settings.driverConfigured != 0);
    workerThread = false;
    UpdateData(FALSE);
    return TRUE;
}

void CGraphicsDlg::OnConfirm() {
    if (!UpdateData(TRUE))
        return;
    if (const SaveResult saved = SaveSettings(settings); !saved) {
        // The dialog stays open with the player's choices: OK tries again,
        // Cancel leaves without saving.
        AfxMessageBox(SaveFailureMessage(saved).c_str(), MB_ICONEXCLAMATION);
        return;
    }
    CDialog::OnConfirm();
}

void CGraphicsDlg::OnAgpModeClicked() {
    UpdateData(TRUE);
    // A failed exchange may just have put the focus into the box that is
    // now disabled: it goes to the choice that enables the box again.
    const bool boxHadFocus = memoryEdit.HasFocus();
    memoryEdit.EnableWindow(settings.agpMode != AgpMemoryMode::Auto);
    if (boxHadFocus && settings.agpMode == AgpMemoryMode::Auto)
        agpSpecifyRadio.SetFocus();
}

void CGraphicsDlg::OnSpinDeltaPos(NMHDR* notification, LRESULT* result) {
    auto* change = reinterpret_cast<NMUPDOWN*>(notification);
    change->iDelta = -change->iDelta;
    *result = 0;
}

void CGraphicsDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, dc.GetSafeHdc(), 0);
    RECT rect;
    GetClientRect(&rect);
    const int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, icon);
}

HCURSOR CGraphicsDlg::OnQueryDragIcon() {
    return icon;
}

void CGraphicsDlg::OnSystemCommand(UINT command, LPARAM parameter) {
    if ((command & 0xFFF0) == kAboutCommand) {
        CAboutBox about;
        about.DoModal();
        return;
    }
    CDialog::OnSysCommand(command, parameter);
}

BEGIN_MESSAGE_MAP(CGraphicsDlg, CDialog)
ON_WM_SYSCOMMAND(&CGraphicsDlg::OnSystemCommand)
ON_WM_PAINT(&CGraphicsDlg::OnPaint)
ON_WM_QUERYDRAGICON(&CGraphicsDlg::OnQueryDragIcon)
ON_BN_CLICKED(IDC_AGP_AUTO, &CGraphicsDlg::OnAgpModeClicked)
ON_BN_CLICKED(IDC_DRIVER_TOOL, &CGraphicsDlg::OnDriverToolClicked)
ON_NOTIFY(UDN_DELTAPOS, IDC_MEMORY_SPIN, &CGraphicsDlg::OnSpinDeltaPos)
ON_BN_CLICKED(IDC_AGP_SPECIFY, &CGraphicsDlg::OnAgpModeClicked)
ON_WM_DESTROY(&CGraphicsDlg::OnDestroyWindow)
END_MESSAGE_MAP()
