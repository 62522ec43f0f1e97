#include "platform/framework/win32/template_builder.h"

#include <cstring>

#include "platform/framework/win32/handles.h"

namespace kvn {

namespace {

// Appends WORDs, strings and DWORDs to a buffer of bytes.
class TemplateWriter {
  public:
    void Word(WORD value) { Append(&value, sizeof value); }
    void Dword(DWORD value) { Append(&value, sizeof value); }
    void Short(short value) { Append(&value, sizeof value); }
    void Byte(BYTE value) { Append(&value, sizeof value); }
    void Text(const std::wstring& text) {
        Append(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    }
    // A class or resource named by number.
    void Ordinal(WORD value) {
        Word(0xFFFF);
        Word(value);
    }
    void AlignDword() {
        while (bytes_.size() % 4 != 0)
            bytes_.push_back(0);
    }
    std::vector<DWORD> Take() {
        AlignDword();
        std::vector<DWORD> out(bytes_.size() / 4);
        std::memcpy(out.data(), bytes_.data(), bytes_.size());
        return out;
    }

  private:
    void Append(const void* data, std::size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    std::vector<unsigned char> bytes_;
};

DWORD WindowStyleOf(const ControlTemplate& c) {
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (c.styles & kGroup)
        style |= WS_GROUP;
    if (c.styles & kTabStop)
        style |= WS_TABSTOP;
    if (c.styles & kBorder)
        style |= WS_BORDER;
    switch (c.kind) {
    case ControlKind::PushButton:
        style |= (c.styles & kDefaultButton) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        break;
    case ControlKind::CheckBox:
        style |= BS_AUTOCHECKBOX;
        break;
    case ControlKind::RadioButton:
        style |= BS_AUTORADIOBUTTON;
        break;
    case ControlKind::GroupBox:
        style |= BS_GROUPBOX;
        break;
    case ControlKind::Edit:
        style |= ES_LEFT;
        if (c.styles & kDigitsOnly)
            style |= ES_NUMBER;
        if (c.styles & kAutoHScroll)
            style |= ES_AUTOHSCROLL;
        break;
    case ControlKind::UpDown:
        if (c.styles & kSetBuddyInt)
            style |= UDS_SETBUDDYINT;
        if (c.styles & kAlignRight)
            style |= UDS_ALIGNRIGHT;
        if (c.styles & kAutoBuddy)
            style |= UDS_AUTOBUDDY;
        if (c.styles & kArrowKeys)
            style |= UDS_ARROWKEYS;
        break;
    case ControlKind::Picture:
        // Centred at its size; the control keeps the template's size, which
        // ShowPictures fills.
        style |= SS_BITMAP | SS_CENTERIMAGE;
        break;
    case ControlKind::Icon:
        style |= SS_ICON;
        break;
    case ControlKind::Text:
        style |= SS_LEFT;
        break;
    }
    if ((c.styles & kSunken) && (c.kind == ControlKind::Picture || c.kind == ControlKind::Icon ||
                                 c.kind == ControlKind::Text))
        style |= SS_SUNKEN;
    return style;
}

void WriteClass(TemplateWriter& out, ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
    case ControlKind::GroupBox:
        out.Ordinal(0x0080); // button
        break;
    case ControlKind::Edit:
        out.Ordinal(0x0081); // edit
        break;
    case ControlKind::UpDown:
        out.Text(UPDOWN_CLASSW);
        break;
    case ControlKind::Picture:
    case ControlKind::Icon:
    case ControlKind::Text:
        out.Ordinal(0x0082); // static
        break;
    }
}

} // namespace

std::vector<DWORD> BuildDialogTemplate(const DialogTemplate& tmpl) {
    TemplateWriter out;
    DWORD style = WS_POPUP | DS_SHELLFONT | DS_CENTER;
    if (tmpl.styles & kCaption)
        style |= WS_CAPTION;
    if (tmpl.styles & kSystemMenu)
        style |= WS_SYSMENU;
    if (tmpl.styles & kMinimizeBox)
        style |= WS_MINIMIZEBOX;
    if (tmpl.styles & kModalFrame)
        style |= DS_MODALFRAME;
    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature: the extended template
    out.Dword(0);     // helpID
    out.Dword((tmpl.styles & kAppWindow) ? WS_EX_APPWINDOW : 0);
    out.Dword(style);
    out.Word(static_cast<WORD>(tmpl.controls.size()));
    out.Short(0);
    out.Short(0);
    out.Short(static_cast<short>(tmpl.w));
    out.Short(static_cast<short>(tmpl.h));
    out.Word(0); // no menu
    out.Word(0); // the dialog class
    out.Text(WideFromAnsi(tmpl.title));
    // DS_SHELLFONT: the platform's dialog font at 8 points.
    out.Word(8);
    out.Word(FW_NORMAL);
    out.Byte(FALSE);
    out.Byte(DEFAULT_CHARSET);
    out.Text(L"MS Shell Dlg");

    ControlKind previous = ControlKind::Text;
    for (const ControlTemplate& c : tmpl.controls) {
        DWORD controlStyle = WindowStyleOf(c);
        // A radio group is its run of radio buttons: the dialog manager's
        // arrow keys would otherwise walk on into the group boxes after it,
        // where the focus is lost from sight.
        if (previous == ControlKind::RadioButton && c.kind != ControlKind::RadioButton)
            controlStyle |= WS_GROUP;
        previous = c.kind;
        out.AlignDword();
        out.Dword(0); // helpID
        out.Dword(0); // exStyle
        out.Dword(controlStyle);
        out.Short(static_cast<short>(c.x));
        out.Short(static_cast<short>(c.y));
        out.Short(static_cast<short>(c.w));
        out.Short(static_cast<short>(c.h));
        out.Dword(static_cast<DWORD>(c.id));
        WriteClass(out, c.kind);
        if (c.kind == ControlKind::Icon)
            out.Ordinal(static_cast<WORD>(c.resource)); // the icon resource
        else if (c.kind == ControlKind::Picture)
            out.Text(L""); // its bitmap comes from ShowPictures, drawn for the DPI
        else
            out.Text(WideFromAnsi(c.text));
        out.Word(0); // no creation data
    }
    return out.Take();
}

} // namespace kvn
