#include "platform/framework/win32/dialog_layout.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/framework/widen_layout.h"
#include "platform/framework/win32/shortened_caption.h"

namespace kvn {

namespace {

// The width of `window`'s caption in the dialog's font, "&" marks left out.
int TextWidth(HWND window, HDC dc) {
    const std::wstring text = WholeCaption(window);
    RECT r{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

// What a control draws around its caption, in pixels; -1 for controls
// without one. The margins are those the platform's controls draw around
// their text with the 8-point dialog font at 96 dots per inch (4 dialog units
// are 6 pixels there), scaled with `baseX`, the pixels per 4 dialog units.
int CaptionMargins(HWND window, int baseX) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    const std::wstring_view kind(name);
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const auto scaled = [baseX](int pixels) { return pixels * baseX / 6; };
    if (kind == L"Button") {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return scaled(12);
        case BS_GROUPBOX:
            return scaled(16);
        default: // check boxes and radio buttons: the box, a gap, the text
            return GetSystemMetrics(SM_CXMENUCHECK) + scaled(6);
        }
    }
    if (kind == L"Static" && (style & SS_TYPEMASK) == SS_LEFT)
        return 0;
    return -1;
}

// The work area of the monitor the dialog lies on.
RECT WorkArea(HWND dialog) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTOPRIMARY), &monitor);
    return monitor.rcWork;
}

} // namespace

void FitToCaptions(HWND dialog) {
    HDC dc = GetDC(dialog);
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
    RECT units{0, 0, 4, 8};
    MapDialogRect(dialog, &units);
    const int baseX = std::max(1, static_cast<int>(units.right));
    std::vector<HWND> windows;
    std::vector<int> margins;
    std::vector<LayoutItem> layout;
    for (HWND w = GetWindow(dialog, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        wchar_t name[16] = {};
        GetClassNameW(w, name, 16);
        const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
        const bool button =
            std::wstring_view(name) == L"Button" &&
            ((style & BS_TYPEMASK) == BS_PUSHBUTTON || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        const int margin = CaptionMargins(w, baseX);
        const int text = margin < 0 ? 0 : TextWidth(w, dc);
        windows.push_back(w);
        margins.push_back(margin);
        layout.push_back(LayoutItem{r.left, r.top, r.right - r.left, r.bottom - r.top,
                                    text > 0 ? text + margin : 0, button});
    }
    SelectObject(dc, oldFont);
    ReleaseDC(dialog, dc);
    const std::vector<LayoutItem> placed = layout;

    const RECT area = WorkArea(dialog);
    RECT frame;
    GetWindowRect(dialog, &frame);
    const int room =
        std::max(0, static_cast<int>((area.right - area.left) - (frame.right - frame.left)));
    const int growth = WidenToFit(layout, room);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const LayoutItem& item = layout[i];
        // Only the controls the widening moved: each move is a round trip
        // to the window server.
        if (item.x != placed[i].x || item.y != placed[i].y || item.w != placed[i].w ||
            item.h != placed[i].h)
            SetWindowPos(windows[i], nullptr, item.x, item.y, item.w, item.h,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        // A caption that still needs more room ends in "…".
        if (item.neededWidth > 0)
            ShortenCaption(windows[i],
                           item.neededWidth > item.w ? std::max(0, item.w - margins[i]) : -1);
    }
    if (growth != 0)
        SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + growth,
                     frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceOnScreen(HWND dialog) {
    const RECT area = WorkArea(dialog);
    RECT frame;
    GetWindowRect(dialog, &frame);
    // Centred in the work area, and wholly inside it where it fits.
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = std::max(area.left, area.left + (area.right - area.left - width) / 2);
    const int y = std::max(area.top, area.top + (area.bottom - area.top - height) / 2);
    // Where the dialog manager has centred it already, a move would only cost
    // a round trip to the window server.
    if (x != frame.left || y != frame.top)
        SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace kvn
