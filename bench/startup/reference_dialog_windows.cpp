// The Windows counterpart of reference_dialog: a plain Win32 dialog, run by
// DialogBoxIndirectParamW from an in-memory template (DLGTEMPLATEEX), with the
// graphics dialog's controls, styles and dialog-unit layout: 3 push buttons,
// 1 check box, 3 group boxes, 5 radio buttons in two groups, 1 digits-only
// edit, 1 up-down control (msctls_updown32) and a sunken static picture of the
// dialog picture's size (100 x 159, 24 bits, drawn here). Common controls 6
// and the DPI awareness come from its manifest, as for KVNConfig.exe. It is
// the floor KVNConfig.exe's start-up under Wine is compared with
// (startup_bench_windows.sh). It closes itself once painted; with --stay it
// stays open. With --hold it shows nothing and waits until killed: a Wine
// program that holds the desktop, so that Wine's desktop process
// (explorer.exe) lives on between the timed runs.
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr UINT kPaintedMessage = WM_APP + 1;
constexpr int kPictureId = 1100;

struct Control {
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    short x, y, cx, cy;
    DWORD id;
};

// Template order, which is also the tab order and decides the radio groups.
const Control kControls[] = {
    {L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 95, 145, 50, 14, IDOK},
    {L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 183, 145, 50, 14, IDCANCEL},
    {L"BUTTON", L"Low Graphic Quality", BS_AUTOCHECKBOX | WS_TABSTOP, 137, 28, 109, 10, 1000},
    {L"BUTTON", L"MipMapping", BS_GROUPBOX, 261, 34, 58, 67, 1037},
    {L"BUTTON", L"On", BS_AUTORADIOBUTTON | WS_GROUP, 277, 55, 38, 10, 1002},
    {L"BUTTON", L"Off", BS_AUTORADIOBUTTON, 277, 69, 39, 10, 1003},
    {L"BUTTON", L"Auto", BS_AUTORADIOBUTTON, 277, 84, 39, 10, 1004},
    {L"BUTTON", L"", BS_GROUPBOX, 7, 7, 326, 127, 1035},
    {L"BUTTON", L"AGP", BS_GROUPBOX, 107, 50, 138, 51, 1038},
    {L"BUTTON", L"Auto", BS_AUTORADIOBUTTON | WS_GROUP, 112, 66, 55, 10, 1005},
    {L"BUTTON", L"Specify (Mb)", BS_AUTORADIOBUTTON, 112, 82, 55, 10, 1006},
    {L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_NUMBER | ES_AUTOHSCROLL, 179, 79, 48, 14, 1009},
    {UPDOWN_CLASSW, L"Spin1", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 225,
     79, 9, 14, 1013},
    {L"STATIC", L"", SS_BITMAP | SS_SUNKEN, 20, 23, 68, 99, kPictureId},
    {L"BUTTON", L"DrvPicker", BS_PUSHBUTTON | WS_TABSTOP, 107, 111, 210, 14, 1045},
};

// Appends the items of a DLGTEMPLATEEX as WORDs, with the DWORD alignment
// every control's header needs.
class TemplateWriter {
  public:
    void Word(WORD value) { words_.push_back(value); }
    void Dword(DWORD value) {
        Word(LOWORD(value));
        Word(HIWORD(value));
    }
    void Text(const wchar_t* text) {
        for (; *text != L'\0'; ++text) {
            Word(static_cast<WORD>(*text));
        }
        Word(0);
    }
    void AlignDword() {
        if (words_.size() % 2 != 0) {
            Word(0);
        }
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    std::vector<WORD> words_;
};

void WriteTemplate(TemplateWriter& out) {
    out.Word(1);      // dlgVer
    out.Word(0xFFFF); // signature: DLGTEMPLATEEX
    out.Dword(0);     // helpID
    out.Dword(WS_EX_APPWINDOW);
    out.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT |
              DS_FIXEDSYS | DS_CENTER);
    out.Word(static_cast<WORD>(std::size(kControls)));
    out.Word(0); // x, y: centred
    out.Word(0);
    out.Word(341);
    out.Word(175);
    out.Word(0); // no menu
    out.Word(0); // the standard dialog class
    out.Text(L"Reference dialog");
    out.Word(8); // point size, weight, italic, charset
    out.Word(FW_NORMAL);
    out.Word(0);
    out.Text(L"MS Shell Dlg");
    for (const Control& control : kControls) {
        out.AlignDword();
        out.Dword(0); // helpID
        out.Dword(0); // exStyle
        out.Dword(WS_CHILD | WS_VISIBLE | control.style);
        out.Word(static_cast<WORD>(control.x));
        out.Word(static_cast<WORD>(control.y));
        out.Word(static_cast<WORD>(control.cx));
        out.Word(static_cast<WORD>(control.cy));
        out.Dword(control.id);
        out.Text(control.cls);
        out.Text(control.text);
        out.Word(0); // no creation data
    }
}

// A 24-bit picture of the dialog picture's size: a vertical gradient.
HBITMAP MakePicture() {
    constexpr int kWidth = 100, kHeight = 159;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        return nullptr;
    }
    constexpr int kStride = (kWidth * 3 + 3) & ~3;
    auto* row = static_cast<BYTE*>(bits);
    for (int y = 0; y < kHeight; ++y, row += kStride) {
        for (int x = 0; x < kWidth; ++x) {
            row[3 * x] = static_cast<BYTE>(80 + y);
            row[3 * x + 1] = static_cast<BYTE>(40 + y / 2);
            row[3 * x + 2] = static_cast<BYTE>(120 + x);
        }
    }
    return bitmap;
}

HBITMAP g_picture = nullptr;
bool g_stay = false;
bool g_painted = false;

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
        SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        SendDlgItemMessageW(dialog, kPictureId, STM_SETIMAGE, IMAGE_BITMAP,
                            reinterpret_cast<LPARAM>(g_picture));
        SendDlgItemMessageW(dialog, 1013, UDM_SETRANGE32, 0, 9999);
        SetDlgItemInt(dialog, 1009, 0, FALSE);
        CheckRadioButton(dialog, 1002, 1004, 1004);
        CheckRadioButton(dialog, 1005, 1006, 1005);
        return TRUE;
    }
    case WM_PAINT:
        if (!g_stay && !g_painted) {
            g_painted = true;
            PostMessageW(dialog, kPaintedMessage, 0, 0);
        }
        return FALSE;
    case kPaintedMessage:
        EndDialog(dialog, IDOK);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

} // namespace

// A window that is never shown: it ties the process to the desktop.
int Hold(HINSTANCE instance) {
    HWND window = CreateWindowExW(0, L"STATIC", L"Holding the desktop", WS_POPUP, 0, 0, 1, 1,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    for (int i = 1; i < __argc; ++i) {
        g_stay = g_stay || std::strcmp(__argv[i], "--stay") == 0;
        if (std::strcmp(__argv[i], "--hold") == 0) {
            return Hold(instance);
        }
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    g_picture = MakePicture();

    TemplateWriter writer;
    WriteTemplate(writer);
    const INT_PTR result = DialogBoxIndirectParamW(instance, writer.Get(), nullptr, DialogProc, 0);
    if (g_picture != nullptr) {
        DeleteObject(g_picture);
    }
    return result == IDOK || result == IDCANCEL ? 0 : 1;
}
