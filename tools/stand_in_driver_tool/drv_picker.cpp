// Stand-in for the display-driver tool, for the Windows demo (copied into the
// demo folder as DrvPicker.exe, where the dialog's DrvPicker button starts
// ".\DrvPicker.exe -app:ZOLT"). There are no drivers to pick: the window shows
// what the tool received, so a player can see it: the command line as
// GetCommandLineW returns it, the arguments it splits into, and the current
// directory. It ends, with status 0, when its window is closed (the close box,
// the Close button, Enter or Escape).
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

constexpr int kCloseId = IDCANCEL;
constexpr int kMargin = 12;
constexpr int kWidth = 520;
constexpr int kHeight = 340;

HFONT g_font = nullptr;

std::wstring CurrentDirectory() {
    std::wstring dir(GetCurrentDirectoryW(0, nullptr), L'\0');
    dir.resize(GetCurrentDirectoryW(static_cast<DWORD>(dir.size()), dir.data()));
    return dir;
}

// The application named by "-app:NAME", or empty.
std::wstring AppName(int argc, wchar_t** argv) {
    for (int i = 1; i < argc; ++i) {
        if (_wcsnicmp(argv[i], L"-app:", 5) == 0) {
            return argv[i] + 5;
        }
    }
    return {};
}

std::wstring Report(int argc, wchar_t** argv) {
    std::wstring text = L"Command line:\r\n";
    text += GetCommandLineW();
    text += L"\r\n\r\nArguments:";
    for (int i = 0; i < argc; ++i) {
        text += L"\r\n  [" + std::to_wstring(i) + L"] " + argv[i];
    }
    text += L"\r\n\r\nCurrent directory:\r\n" + CurrentDirectory();
    return text;
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w,
           int h, int id = 0, DWORD exStyle = 0) {
    HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
    return child;
}

void CreateControls(HWND window) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    const std::wstring app = argv != nullptr ? AppName(argc, argv) : L"";
    const std::wstring heading =
        L"Display driver selection for " + (app.empty() ? L"the game" : app) +
        L".\r\nThis demo stands in for the driver tool: there are no drivers to choose from "
        L"here.";
    const std::wstring report = argv != nullptr ? Report(argc, argv) : GetCommandLineW();
    if (argv != nullptr) {
        LocalFree(argv);
    }

    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right - 2 * kMargin;
    Child(window, L"STATIC", heading.c_str(), SS_LEFT, kMargin, kMargin, width, 36);
    Child(window, L"EDIT", report.c_str(),
          ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, kMargin,
          kMargin + 44, width, client.bottom - 2 * kMargin - 44 - 34, 0, WS_EX_CLIENTEDGE);
    HWND close = Child(window, L"BUTTON", L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP,
                       client.right - kMargin - 88, client.bottom - kMargin - 26, 88, 26, kCloseId);
    SetFocus(close);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateControls(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kCloseId || LOWORD(wParam) == IDOK) {
            DestroyWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        g_font = CreateFontIndirectW(&metrics.lfMessageFont);
    }

    WNDCLASSW cls{};
    cls.lpfnWndProc = WindowProc;
    cls.hInstance = instance;
    cls.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    cls.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = L"KvnStandInDriverTool";
    if (RegisterClassW(&cls) == 0) {
        return 1;
    }
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kWidth, kHeight};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"Direct Draw driver", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab, Enter and Escape as in a dialog.
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (g_font != nullptr) {
        DeleteObject(g_font);
    }
    return 0;
}
