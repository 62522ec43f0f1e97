// The data-exchange steps of CDialog that move values in and out of the
// platform's buttons, and the failure step that puts the focus back.
#include <string>

#include "platform/framework/cdialog.h"
#include "platform/framework/exchange_rules.h"
#include "platform/framework/message_box.h"
#include "platform/framework/win32/handles.h"

bool CDataExchange::Radio(int firstId, int& value) {
    const std::vector<int> ids = kvn::RadioGroupIds(dialog_.TemplateControls(), firstId);
    if (from_)
        value = -1;
    for (std::size_t index = 0; index < ids.size(); ++index) {
        HWND radio = kvn::Hwnd(dialog_.GetDlgItem(ids[index]));
        if (radio == nullptr)
            continue;
        const bool mine = static_cast<int>(index) == value;
        if (from_) {
            if (SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = static_cast<int>(index);
        } else {
            // A value outside the group leaves every button unchecked.
            SendMessageW(radio, BM_SETCHECK, mine ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return true;
}

bool CDataExchange::Check(int id, int& value) {
    HWND check = kvn::Hwnd(dialog_.GetDlgItem(id));
    if (check == nullptr)
        return true;
    if (from_)
        value = SendMessageW(check, BM_GETCHECK, 0, 0) == BST_UNCHECKED ? 0 : 1;
    else
        SendMessageW(check, BM_SETCHECK,
                     kvn::CheckStateForControl(value) != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

bool CDataExchange::Fail(const std::string& message, int id) {
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    CWnd* item = dialog_.GetDlgItem(id);
    if (item == nullptr)
        return false;
    HWND hwnd = kvn::Hwnd(item);
    if (!item->IsWindowEnabled()) {
        // A disabled control cannot be mended where it is: the focus goes to
        // the nearest control before it that can take it, the choice that
        // enables it.
        for (HWND w = GetWindow(hwnd, GW_HWNDPREV); w != nullptr; w = GetWindow(w, GW_HWNDPREV)) {
            // Static texts, pictures and group boxes take no focus.
            if (IsWindowVisible(w) && ::IsWindowEnabled(w) &&
                !(SendMessageW(w, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
                SendMessageW(GetParent(hwnd), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(w), TRUE);
                break;
            }
        }
        return false;
    }
    item->SetFocus();
    SendMessageW(hwnd, EM_SETSEL, 0, -1);
    return false;
}
