#include "platform/framework/win32/shortened_caption.h"

#include <map>
#include <string_view>

#include "platform/framework/win32/control_names.h"
#include "platform/framework/win32/named_accessible.h"

namespace kvn {

namespace {

// The dialog's tooltip, once ShowToolTips has made it.
constexpr wchar_t kToolTip[] = L"KVNToolTip";

// A control that shows its caption shortened is subclassed: its state holds
// its own window procedure, the whole caption, the room, the program's own
// tooltip text and the text its tooltip shows. A control with a tooltip of
// the program's is subclassed the same way, with no room.
struct Shortened {
    WNDPROC procedure = nullptr;
    std::wstring whole;
    int room = -1;
    std::wstring own;
    std::wstring tipText;
};

// The subclassed controls' states, kept here rather than in window
// properties: each look-up of a property is a call to the window server,
// and the state is looked up at every message and for every control fitted.
// Controls live on the dialog's thread only.
std::map<HWND, Shortened*>& States() {
    static std::map<HWND, Shortened*> states;
    return states;
}

Shortened* StateOf(HWND control) {
    const auto it = States().find(control);
    return it != States().end() ? it->second : nullptr;
}

int Width(HDC dc, std::wstring_view text) {
    RECT r{};
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    return r.right - r.left;
}

// The end of the character at `i`: a mnemonic mark stays with its letter, a
// surrogate pair stays whole.
std::size_t NextCut(std::wstring_view caption, std::size_t i) {
    if (caption[i] == L'&' && i + 1 < caption.size())
        ++i;
    if (IS_HIGH_SURROGATE(caption[i]) && i + 1 < caption.size() && IS_LOW_SURROGATE(caption[i + 1]))
        ++i;
    return i + 1;
}

// `caption` whole where it fits in `room` pixels in the control's font, else
// its longest start that fits followed by "…" (blanks before it dropped).
std::wstring Fitted(HWND control, const std::wstring& caption, int room) {
    if (room < 0)
        return caption;
    HDC dc = GetDC(control);
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    std::wstring shown = caption;
    if (Width(dc, caption) > room) {
        shown = L"\u2026";
        for (std::size_t cut = NextCut(caption, 0); cut < caption.size();
             cut = NextCut(caption, cut)) {
            std::wstring start = caption.substr(0, cut);
            while (start.size() > 1 && start.back() == L' ' && start[start.size() - 2] != L'&')
                start.pop_back();
            start += L'\u2026';
            if (Width(dc, start) > room)
                break;
            shown = std::move(start);
        }
    }
    SelectObject(dc, oldFont);
    ReleaseDC(control, dc);
    return shown;
}

// The tooltip's two tools for a control: the control, and its place in the
// dialog, which gets the mouse input where the control takes none (a
// disabled control, the caption's line of a group box).
void DescribeTools(HWND control, const Shortened& state, TOOLINFOW (&tools)[2]) {
    HWND dialog = GetParent(control);
    for (TOOLINFOW& tool : tools) {
        tool = TOOLINFOW{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = dialog;
    }
    tools[0].uFlags |= TTF_IDISHWND;
    tools[0].uId = reinterpret_cast<UINT_PTR>(control);
    tools[1].uId = reinterpret_cast<UINT_PTR>(&state);
    RECT& place = tools[1].rect;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    // A group box's own tooltip covers the whole box; its caption's, the line.
    if ((GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX && state.own.empty()) {
        RECT line{0, 0, 0, 8}; // a line of the dialog's font
        MapDialogRect(dialog, &line);
        place.bottom = place.top + line.bottom;
    }
}

// The dialog's tooltip, or nullptr before ShowToolTips.
HWND ToolTipOf(HWND control) {
    return static_cast<HWND>(GetPropW(GetParent(control), kToolTip));
}

// Gives the control's tooltip text to the dialog's tooltip, once there is one.
void UpdateTools(HWND control, Shortened& state) {
    HWND tip = ToolTipOf(control);
    if (tip == nullptr)
        return;
    TOOLINFOW tools[2];
    DescribeTools(control, state, tools);
    for (TOOLINFOW& tool : tools) {
        tool.lpszText = state.tipText.data();
        SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        if (!state.tipText.empty())
            SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Shows the caption fitted to its room; while it is cut, the tooltip shows
// it whole, then the program's own text.
void Show(HWND control, Shortened& state) {
    const std::wstring shown = Fitted(control, state.whole, state.room);
    CallWindowProcW(state.procedure, control, WM_SETTEXT, 0,
                    reinterpret_cast<LPARAM>(shown.c_str()));
    state.tipText = shown != state.whole ? Unmarked(state.whole) : std::wstring();
    if (!state.own.empty())
        state.tipText += (state.tipText.empty() ? L"" : L"\n") + state.own;
    UpdateTools(control, state);
}

LRESULT CALLBACK ShortenedProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    Shortened* state = StateOf(control);
    const WNDPROC procedure = state->procedure;
    switch (message) {
    case WM_SETTEXT: // the program's caption, shown to fit
        state->whole = lParam != 0 ? reinterpret_cast<const wchar_t*>(lParam) : L"";
        Show(control, *state);
        return TRUE;
    case WM_GETOBJECT: // screen readers read the whole caption
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT))
            if (const LRESULT answer = AnswerWithName(control, wParam, Unmarked(state->whole)))
                return answer;
        break;
    case WM_WINDOWPOSCHANGED: { // the tooltip follows the control's place
        HWND tip = ToolTipOf(control);
        if (tip == nullptr)
            break;
        TOOLINFOW tools[2];
        DescribeTools(control, *state, tools);
        SendMessageW(tip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tools[1]));
        break;
    }
    case WM_NCDESTROY:
        States().erase(control);
        delete state;
        break;
    default:
        break;
    }
    return CallWindowProcW(procedure, control, message, wParam, lParam);
}

// The control's state, subclassing it first.
Shortened& Subclass(HWND control) {
    if (Shortened* state = StateOf(control))
        return *state;
    auto* state = new Shortened;
    state->whole = WholeCaption(control);
    state->procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
    States()[control] = state;
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ShortenedProcedure));
    return *state;
}

} // namespace

void ShortenCaption(HWND control, int room) {
    if (StateOf(control) == nullptr && room < 0)
        return;
    Shortened& state = Subclass(control);
    state.room = room;
    Show(control, state);
}

void SetOwnToolTip(HWND control, const std::wstring& text) {
    if (StateOf(control) == nullptr && text.empty())
        return;
    Shortened& state = Subclass(control);
    state.own = text;
    Show(control, state);
}

void ShowToolTips(HWND dialog) {
    if (GetPropW(dialog, kToolTip) != nullptr)
        return;
    // The dialog owns its tooltip and destroys it with itself.
    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, nullptr, nullptr);
    if (tip == nullptr)
        return;
    // Long captions wrap at half the screen's width rather than run off it.
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN) / 2);
    SetPropW(dialog, kToolTip, tip);
    for (HWND w = GetWindow(dialog, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
        if (Shortened* state = StateOf(w))
            UpdateTools(w, *state);
}

void ForgetToolTips(HWND dialog) {
    RemovePropW(dialog, kToolTip);
}

std::wstring WholeCaption(HWND control) {
    if (const Shortened* state = StateOf(control))
        return state->whole;
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace kvn
