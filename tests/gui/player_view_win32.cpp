// What the player sees on Windows: captions as the platform's controls draw
// them, and the room they need measured with the platform's own text metrics
// in each control's font.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include <oleacc.h>

#include "platform/framework/win32/handles.h"
#include "tests/gui/player_view.h"

namespace kvn::test {

namespace {

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

// Static texts with SS_NOPREFIX show "&" as it stands; every other caption
// reads "&x" as a mnemonic and "&&" as one "&".
bool UsesPrefix(HWND window) {
    return ClassOf(window) != L"Static" || (StyleOf(window) & SS_NOPREFIX) == 0;
}

ShownControl::Kind KindOf(HWND window) {
    const std::wstring name = ClassOf(window);
    const LONG_PTR style = StyleOf(window);
    if (name == L"Button")
        return (style & BS_TYPEMASK) == BS_GROUPBOX ? ShownControl::kGroupBox
                                                    : ShownControl::kButton;
    if (name == L"Edit")
        return ShownControl::kEdit;
    const LONG_PTR type = style & SS_TYPEMASK;
    if (name == L"Static" && (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT ||
                              type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP))
        return ShownControl::kText;
    return ShownControl::kOther;
}

RECT InParent(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Fills in the room a control's caption needs: its text drawn on one line in
// the control's own font, plus what the control draws around it.
void MeasureCaption(ShownControl& c, HWND window) {
    HDC dc = GetDC(window);
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring text = TextOf(window);
    RECT r{};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_SINGLELINE | (UsesPrefix(window) ? 0 : DT_NOPREFIX));
    int zeroWidth = 0;
    GetCharWidth32W(dc, L'0', L'0', &zeroWidth);
    SelectObject(dc, oldFont);
    ReleaseDC(window, dc);

    const int textWidth = text.empty() ? 0 : static_cast<int>(r.right - r.left);
    const int lineHeight = static_cast<int>(metrics.tmHeight);
    const int edgeX = GetSystemMetrics(SM_CXEDGE), edgeY = GetSystemMetrics(SM_CYEDGE);
    const LONG_PTR type = StyleOf(window) & BS_TYPEMASK;
    switch (c.kind) {
    case ShownControl::kButton:
        if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
            // The raised edge, and the focus rectangle one pixel inside it.
            c.neededWidth = textWidth + 2 * (edgeX + 1);
            c.neededHeight = lineHeight + 2 * (edgeY + 1);
        } else {
            // The box, a gap of half a digit's width, the text.
            c.neededWidth = GetSystemMetrics(SM_CXMENUCHECK) + zeroWidth / 2 + textWidth;
            c.neededHeight = std::max(lineHeight, GetSystemMetrics(SM_CYMENUCHECK));
        }
        break;
    case ShownControl::kGroupBox:
        // The caption sits on the etched frame, a character's width in from
        // either side.
        c.neededWidth = text.empty() ? 0 : textWidth + 2 * (edgeX + metrics.tmAveCharWidth);
        c.neededHeight = lineHeight;
        break;
    case ShownControl::kText:
        c.neededWidth = textWidth;
        c.neededHeight = lineHeight;
        break;
    case ShownControl::kEdit: {
        // One line of text inside the border.
        RECT outer{}, inner{};
        GetWindowRect(window, &outer);
        GetClientRect(window, &inner);
        c.neededHeight = lineHeight + static_cast<int>((outer.bottom - outer.top) - inner.bottom);
        break;
    }
    case ShownControl::kOther:
        break;
    }
}

} // namespace

std::string ShownText(const CWnd& control) {
    HWND window = Hwnd(&control);
    if (window == nullptr)
        return "<no window>";
    const std::wstring text = TextOf(window);
    if (!UsesPrefix(window))
        return Utf8FromWide(text);
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        // The mark itself is not drawn ("&&" draws the second one); a lone
        // "&" at the end is drawn as it stands.
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return Utf8FromWide(shown);
}

unsigned MnemonicKey(const CWnd& control) {
    HWND window = Hwnd(&control);
    if (window == nullptr || !UsesPrefix(window))
        return 0;
    const std::wstring text = TextOf(window);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] != L'&') {
            wchar_t key = text[i + 1];
            CharLowerBuffW(&key, 1);
            return key;
        }
        ++i;
    }
    return 0;
}

namespace {

BOOL CALLBACK AddToolTip(HWND window, LPARAM tips) {
    if (ClassOf(window) == TOOLTIPS_CLASSW)
        reinterpret_cast<std::vector<HWND>*>(tips)->push_back(window);
    return TRUE;
}

} // namespace

std::string ToolTipText(const CWnd& control) {
    std::vector<HWND> tips;
    EnumThreadWindows(GetCurrentThreadId(), AddToolTip, reinterpret_cast<LPARAM>(&tips));
    for (HWND tip : tips) {
        wchar_t text[256] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = GetParent(Hwnd(&control));
        tool.uId = reinterpret_cast<UINT_PTR>(Hwnd(&control));
        tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        if (text[0] != L'\0')
            return Utf8FromWide(text);
    }
    return "";
}

std::string AccessibleName(const CWnd& control) {
    // The accessibility objects are COM objects of this thread.
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    (void)com;
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(Hwnd(&control), OBJID_CLIENT, __uuidof(IAccessible),
                                          reinterpret_cast<void**>(&object))))
        return "";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string text;
    if (object->get_accName(self, &name) == S_OK && name != nullptr) {
        text = Utf8FromWide(name);
        SysFreeString(name);
    }
    object->Release();
    return text;
}

std::vector<ShownControl> ShownControls(const CWnd& dialog) {
    std::vector<ShownControl> controls;
    for (HWND w = GetWindow(Hwnd(&dialog), GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w))
            continue; // such as the screen readers' hidden labels
        ShownControl c;
        c.kind = KindOf(w);
        c.window = ToNative(w);
        c.id = GetDlgCtrlID(w);
        c.rect = InParent(w);
        RECT client{};
        GetClientRect(w, &client);
        c.frameWidth = static_cast<int>((c.rect.right - c.rect.left) - client.right);
        if (ClassOf(w) == UPDOWN_CLASSW)
            c.drawnOnto = ToNative(reinterpret_cast<HWND>(SendMessageW(w, UDM_GETBUDDY, 0, 0)));
        if (c.kind != ShownControl::kOther && c.kind != ShownControl::kEdit) {
            CWnd wrapper;
            wrapper.Attach(c.window);
            c.text = ShownText(wrapper);
        }
        MeasureCaption(c, w);
        if (ClassOf(w) == L"Static" && (StyleOf(w) & SS_TYPEMASK) == SS_BITMAP) {
            BITMAP image{};
            if (auto* bitmap =
                    reinterpret_cast<HBITMAP>(SendMessageW(w, STM_GETIMAGE, IMAGE_BITMAP, 0)))
                GetObjectW(bitmap, sizeof image, &image);
            c.imageWidth = image.bmWidth;
            c.imageHeight = image.bmHeight;
            c.roomWidth = client.right;
            c.roomHeight = client.bottom;
        }
        controls.push_back(c);
    }
    return controls;
}

RECT RectInParent(const CWnd& control) {
    return InParent(Hwnd(&control));
}

RECT ScreenRect(const CWnd& dialog) {
    RECT r{};
    GetWindowRect(Hwnd(&dialog), &r);
    return r;
}

RECT WorkArea(const CWnd& dialog) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(Hwnd(&dialog), MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

RECT DialogUnitsToPixels(const CWnd& dialog, int x, int y, int w, int h) {
    RECT at{0, 0, x, y};
    RECT size{0, 0, w, h};
    MapDialogRect(Hwnd(&dialog), &at);
    MapDialogRect(Hwnd(&dialog), &size);
    return RECT{at.right, at.bottom, at.right + size.right, at.bottom + size.bottom};
}

namespace {

BOOL CALLBACK CountVisible(HWND window, LPARAM counter) {
    if (IsWindowVisible(window))
        ++*reinterpret_cast<std::size_t*>(counter);
    return TRUE;
}

} // namespace

std::size_t TopLevelWindowCount() {
    std::size_t count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisible, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace kvn::test
