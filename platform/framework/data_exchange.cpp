// The data-exchange steps of CDialog that need no toolkit: binding, integers
// and ranges. The rules live in exchange_rules.cpp.
#include <string>

#include "platform/framework/cdialog.h"
#include "platform/framework/exchange_rules.h"

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

bool CDataExchange::Integer(int id, std::int32_t& value) {
    lastEditId_ = id;
    CWnd* item = dialog_.GetDlgItem(id);
    if (item == nullptr)
        return true;
    if (!from_) {
        item->SetWindowText(std::to_string(value).c_str());
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
