// A plain wxWidgets dialog with the same kinds and number of controls as the
// graphics dialog (3 push buttons, 1 check box, 4 group boxes, 5 radio
// buttons, 1 text entry, 1 up-down control, 1 picture), laid out from the
// same dialog units, with the same icon and picture. It is what KVNConfig's
// start-up is compared with. It closes itself once it has been painted;
// with --stay it stays open.
#include <cstring>

#include <wx/dialog.h>
#include <wx/mstream.h>
#include <wx/wx.h>

#include <wx/spinbutt.h>
#include <wx/statbmp.h>

#include "resources/art/image_resources.h"

namespace {

wxImage LoadImage(int id) {
    kvn::RegisterImages(ImageResources());
    const ImageResource* resource = kvn::FindImage(id);
    if (resource == nullptr) {
        return {};
    }
    wxMemoryInputStream stream(resource->png, resource->size);
    return wxImage(stream, wxBITMAP_TYPE_PNG);
}

class ReferenceDialog : public wxDialog {
  public:
    explicit ReferenceDialog(bool stay)
        : wxDialog(nullptr, wxID_ANY, "Reference dialog", wxDefaultPosition, wxDefaultSize,
                   wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX) {
        // Template order, which is also the tab order.
        new wxButton(this, wxID_OK, "OK", At(95, 145), Size(50, 14));
        new wxButton(this, wxID_CANCEL, "Cancel", At(183, 145), Size(50, 14));
        new wxCheckBox(this, 1000, "Low Graphic Quality", At(137, 28), Size(109, 10));
        new wxStaticBox(this, 1037, "MipMapping", At(261, 34), Size(58, 67));
        new wxRadioButton(this, 1002, "On", At(277, 55), Size(38, 10), wxRB_GROUP);
        new wxRadioButton(this, 1003, "Off", At(277, 69), Size(39, 10));
        new wxRadioButton(this, 1004, "Auto", At(277, 84), Size(39, 10));
        new wxStaticBox(this, 1035, "", At(7, 7), Size(326, 127));
        new wxStaticBox(this, 1038, "AGP", At(107, 50), Size(138, 51));
        new wxRadioButton(this, 1005, "Auto", At(112, 66), Size(55, 10), wxRB_GROUP);
        new wxRadioButton(this, 1006, "Specify (Mb)", At(112, 82), Size(55, 10));
        new wxTextCtrl(this, 1009, "0", At(179, 79), Size(48, 14));
        // GTK's spin button cannot shrink to 9 x 14 units; a plain dialog
        // takes its natural size.
        new wxSpinButton(this, 1013, At(225, 79), wxDefaultSize, wxSP_VERTICAL);
        new wxStaticBitmap(this, wxID_ANY, wxBitmap(LoadImage(136)), At(20, 23), Size(68, 99),
                           wxBORDER_SUNKEN);
        new wxButton(this, 1045, "DrvPicker", At(107, 111), Size(210, 14));

        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(LoadImage(128)));
        SetIcon(icon);
        SetClientSize(Size(341, 175));
        Centre();

        if (!stay) {
            Bind(wxEVT_PAINT, &ReferenceDialog::OnFirstPaint, this);
        }
    }

  private:
    wxPoint At(int x, int y) { return ConvertDialogToPixels(wxPoint(x, y)); }
    wxSize Size(int w, int h) { return ConvertDialogToPixels(wxSize(w, h)); }

    void OnFirstPaint(wxPaintEvent& event) {
        event.Skip();
        Unbind(wxEVT_PAINT, &ReferenceDialog::OnFirstPaint, this);
        CallAfter([this] { EndModal(wxID_OK); });
    }
};

class ReferenceApp : public wxApp {
  public:
    bool OnInit() override {
        wxImage::AddHandler(new wxPNGHandler);
        return true;
    }

    // Runs the dialog instead of a main loop, so the exit status is 0.
    int OnRun() override {
        const bool stay = argc > 1 && std::strcmp(argv[1].c_str(), "--stay") == 0;
        ReferenceDialog dialog(stay);
        dialog.ShowModal();
        return 0;
    }
};

} // namespace

wxIMPLEMENT_APP(ReferenceApp);
