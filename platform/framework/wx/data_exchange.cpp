// The data-exchange steps of CDialog that move values in and out of the
// widgets, and the failure step that puts the focus back.
#include <string>

#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "platform/framework/cdialog.h"
#include "platform/framework/exchange_rules.h"
#include "platform/framework/message_box.h"
#include "platform/framework/wx/dialog_manager.h"
#include "platform/framework/wx/handles.h"

bool CDataExchange::Radio(int firstId, int& value) {
    const std::vector<int> ids = kvn::RadioGroupIds(dialog_.TemplateControls(), firstId);
    if (from_)
        value = -1;
    for (std::size_t index = 0; index < ids.size(); ++index) {
        CWnd* item = dialog_.GetDlgItem(ids[index]);
        auto* radio = item ? dynamic_cast<wxRadioButton*>(kvn::WxWindow(item)) : nullptr;
        if (radio == nullptr)
            continue;
        if (from_) {
            if (radio->GetValue())
                value = static_cast<int>(index);
        } else {
            // The toolkit keeps one button of a group checked: clearing
            // happens by checking another.
            if (static_cast<int>(index) == value)
                radio->SetValue(true);
        }
    }
    return true;
}

bool CDataExchange::Check(int id, int& value) {
    CWnd* item = dialog_.GetDlgItem(id);
    auto* check = item ? dynamic_cast<wxCheckBox*>(kvn::WxWindow(item)) : nullptr;
    if (check == nullptr)
        return true;
    if (from_)
        value = check->GetValue() ? 1 : 0;
    else
        check->SetValue(kvn::CheckStateForControl(value) != 0);
    return true;
}

bool CDataExchange::Fail(const std::string& message, int id) {
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    if (CWnd* item = dialog_.GetDlgItem(id)) {
        // A disabled control cannot be mended where it is: the focus goes to
        // the control before it, the choice that enables it.
        if (!item->IsWindowEnabled()) {
            kvn::HandOnFocus(kvn::WxWindow(item));
            return false;
        }
        item->SetFocus();
        if (auto* edit = dynamic_cast<wxTextCtrl*>(kvn::WxWindow(item)))
            edit->SelectAll();
    }
    return false;
}
