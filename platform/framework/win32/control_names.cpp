#include "platform/framework/win32/control_names.h"

#include <string>
#include <string_view>

#include "platform/framework/win32/shortened_caption.h"

namespace kvn {

namespace {

std::wstring ClassOf(HWND window) {
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    return name;
}

bool IsGroupBox(HWND window) {
    return ClassOf(window) == L"Button" &&
           (GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

} // namespace

std::wstring Unmarked(std::wstring_view caption) {
    std::wstring shown;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && ++i == caption.size())
            break;
        shown += caption[i];
    }
    return shown;
}

void LabelEditsForScreenReaders(HWND dialog) {
    std::wstring caption;
    HWND before = nullptr;
    for (HWND w = GetWindow(dialog, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        const std::wstring kind = ClassOf(w);
        if (kind == L"Edit" && !caption.empty() &&
            (before == nullptr || ClassOf(before) != L"Static")) {
            HWND label =
                CreateWindowExW(0, L"Static", caption.c_str(), WS_CHILD | SS_NOPREFIX, 0, 0, 0, 0,
                                dialog, reinterpret_cast<HMENU>(-1), nullptr, nullptr);
            // Just before the edit; the label is created last, after it.
            SetWindowPos(label, before != nullptr ? before : HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        } else if (kind != L"Edit" && !IsGroupBox(w) && GetWindowTextLengthW(w) > 0) {
            caption = Unmarked(WholeCaption(w));
        }
        before = w;
    }
}

} // namespace kvn
