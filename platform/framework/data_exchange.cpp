// The data-exchange steps of CDialog, over the control wrappers. The rules
// live in exchange_rules.cpp.
#include <string>

#include "platform/framework/backend.h"
#include "platform/framework/cdialog.h"
#include "platform/framework/exchange_rules.h"
#include "platform/framework/message_box.h"

bool CDataExchange::Control(int id, CWnd& control) {
    if (!control.IsBound()) {
        CWnd* item = dialog_.GetDlgItem(id);
        if (item == nullptr)
            return true;
        control.Attach(item->GetNativeWindow());
        dialog_.RememberBound(control);
    }
    return true;
}

bool CDataExchange::Radio(int firstId, int& value) {
    const std::vector<int> ids = kvn::RadioGroupIds(dialog_.TemplateControls(), firstId);
    if (from_)
        value = -1;
    for (std::size_t index = 0; index < ids.size(); ++index) {
        CWnd* item = dialog_.GetDlgItem(ids[index]);
        if (item == nullptr)
            continue;
        CButton radio;
        radio.Attach(item->GetNativeWindow());
        if (from_) {
            if (radio.GetCheck() == 1)
                value = static_cast<int>(index);
        } else {
            // A value outside the group clears every button where the
            // platform lets it (CButton::SetCheck). A button already so is
            // left alone: checking a radio button walks its whole group.
            const int check = static_cast<int>(index) == value ? 1 : 0;
            if (radio.GetCheck() != check)
                radio.SetCheck(check);
        }
    }
    return true;
}

bool CDataExchange::Check(int id, int& value) {
    CWnd* item = dialog_.GetDlgItem(id);
    if (item == nullptr)
        return true;
    CButton check;
    check.Attach(item->GetNativeWindow());
    if (from_) {
        value = check.GetCheck() == 0 ? 0 : 1;
    } else {
        // Unchanged is left alone: each change redraws the box.
        const int state = kvn::CheckStateForControl(value) != 0 ? 1 : 0;
        if (check.GetCheck() != state)
            check.SetCheck(state);
    }
    return true;
}

bool CDataExchange::Integer(int id, std::int32_t& value) {
    lastEditId_ = id;
    CWnd* item = dialog_.GetDlgItem(id);
    if (item == nullptr)
        return true;
    if (!from_) {
        // Unchanged is left alone: setting the text redraws the box and
        // notifies the dialog of a change.
        const std::string text = std::to_string(value);
        if (item->GetWindowText() != text)
            item->SetWindowText(text.c_str());
        return true;
    }
    const std::optional<std::int32_t> parsed = kvn::ParseExchangeInteger(item->GetWindowText());
    if (!parsed)
        return Fail(kvn::kEnterIntegerMessage, id);
    value = *parsed;
    return true;
}

bool CDataExchange::Range(std::int32_t value, std::int32_t low, std::int32_t high) {
    if (!from_ || (value >= low && value <= high))
        return true;
    return Fail(kvn::FormatRangeMessage(kvn::kEnterIntegerRangeMessage, low, high), lastEditId_);
}

bool CDataExchange::Fail(const std::string& message, int id) {
    AfxMessageBox(message.c_str(), MB_ICONEXCLAMATION);
    CWnd* item = dialog_.GetDlgItem(id);
    if (item == nullptr)
        return false;
    // A disabled control cannot be mended where it is: the focus goes to the
    // control before it, the choice that enables it.
    if (!item->IsWindowEnabled()) {
        dialog_.Native()->HandOnFocus(item->GetNativeWindow());
        return false;
    }
    item->SetFocus();
    CEdit edit;
    edit.Attach(item->GetNativeWindow());
    edit.SetSel(0, -1);
    return false;
}
