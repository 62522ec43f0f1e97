// The message box as the platform shows it, over wxWidgets.
#include "platform/framework/backend.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "platform/framework/cdialog.h"
#include "platform/framework/wx/handles.h"

namespace {

// The icon that MB_ICON* names, as the desktop theme draws it.
wxArtID IconFor(UINT type) {
    switch (type & 0xF0) {
    case MB_ICONHAND:
        return wxART_ERROR;
    case MB_ICONQUESTION:
        return wxART_QUESTION;
    case MB_ICONEXCLAMATION:
        return wxART_WARNING;
    case MB_ICONASTERISK:
        return wxART_INFORMATION;
    default:
        return wxArtID();
    }
}

// An alert laid out as the platform's message box: icon and text side by
// side, a button of normal size centred below them. The toolkit's own
// message dialog shows no icon and stretches its button across the box.
class AlertBox : public wxDialog {
  public:
    AlertBox(wxWindow* parent, const wxString& text, const wxString& title, UINT type)
        : wxDialog(parent, wxID_ANY, title) {
        const int gap = FromDIP(12);
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        const wxArtID art = IconFor(type);
        if (!art.empty()) {
            const wxBitmap icon = wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX);
            if (icon.IsOk())
                row->Add(new wxStaticBitmap(this, wxID_ANY, icon), 0, wxRIGHT, gap);
        }
        auto* label = new wxStaticText(this, wxID_ANY, text);
        label->Wrap(FromDIP(400));
        row->Add(label, 1, wxALIGN_CENTER_VERTICAL);

        auto* ok = new wxButton(this, wxID_OK, "OK");
        ok->SetDefault();
        SetAffirmativeId(wxID_OK);
        SetEscapeId(wxID_OK); // Escape and the close box dismiss it as OK does

        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(row, 1, wxALL | wxEXPAND, gap);
        column->Add(ok, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT | wxBOTTOM, gap);
        SetSizerAndFit(column);
        CentreOnParent();
        ok->SetFocus();
    }
};

} // namespace

int ShowMessageBox(const std::string& text, const std::string& title, UINT type) {
    CDialog* active = CDialog::GetActiveDialog();
    AlertBox box(kvn::WxWindow(active), kvn::FromAnsi(text.c_str()), wxString::FromUTF8(title),
                 type);
    box.ShowModal();
    return IDOK;
}
