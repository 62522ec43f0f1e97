// The shell driver over the Windows API: thread timers, notifications sent as
// window messages, and MessageBoxW's own window, found among the thread's
// windows.
#include "tests/gui/shell_driver.h"

#include <map>

#include <gtest/gtest.h>

#include "platform/framework/win32/handles.h"
#include "tests/gui/dialog_driver_win32.h"

namespace kvn::test {

namespace {

// The running timers by id: a thread timer's procedure gets only its id.
std::map<UINT_PTR, RepeatingTimer::Impl*>& Timers() {
    static std::map<UINT_PTR, RepeatingTimer::Impl*> timers;
    return timers;
}

} // namespace

struct RepeatingTimer::Impl {
    std::function<void()> tick;
    UINT_PTR id = 0;
    bool running = false;

    static void CALLBACK Procedure(HWND, UINT, UINT_PTR id, DWORD) {
        auto it = Timers().find(id);
        if (it == Timers().end() || it->second->running)
            return;
        Impl* timer = it->second;
        timer->running = true;
        timer->tick();
        timer->running = false;
    }
};

RepeatingTimer::RepeatingTimer(int ms, std::function<void()> tick)
    : impl_(std::make_unique<Impl>()) {
    impl_->tick = std::move(tick);
    // A thread timer: every modal loop of the thread dispatches its WM_TIMER.
    impl_->id = SetTimer(nullptr, 0, static_cast<UINT>(ms), &Impl::Procedure);
    Timers()[impl_->id] = impl_.get();
}

RepeatingTimer::~RepeatingTimer() {
    KillTimer(nullptr, impl_->id);
    Timers().erase(impl_->id);
}

void SendClick(CButton& button) {
    HWND window = Handle(button);
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
}

void DoubleClick(CWnd& control) {
    HWND window = Handle(control);
    ASSERT_NE(window, nullptr);
    RECT r{};
    GetClientRect(window, &r);
    MouseTo(window, POINT{r.right / 2, r.bottom / 2});
    Pump(30);
    INPUT input{};
    input.type = INPUT_MOUSE;
    for (int i = 0; i < 2; ++i) {
        input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        Send(input);
        input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        Send(input);
    }
    Pump(40);
}

bool RepaintsAfterInvalidate(CWnd& window) {
    HWND hwnd = Handle(window);
    InvalidateRect(hwnd, nullptr, TRUE);
    // The update region is empty again once the window has painted.
    return WaitUntil([&] { return !GetUpdateRect(hwnd, nullptr, FALSE); });
}

int IconWidth(CDialog& dialog) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(Handle(dialog), WM_GETICON, ICON_BIG, 0));
    ICONINFO info{};
    if (icon == nullptr || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

int SystemIconWidth() {
    return GetSystemMetrics(SM_CXICON);
}

namespace {

// A message box of the dialog's thread owned by `owner`.
struct BoxSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<BoxSearch*>(data);
    wchar_t name[16] = {};
    if (GetWindow(window, GW_OWNER) == search->owner && IsWindowVisible(window) &&
        GetClassNameW(window, name, 16) > 0 && std::wstring(name) == L"#32770")
        search->found = window;
    return search->found == nullptr;
}

} // namespace

struct MessageBoxWatcher::Impl {
    HWND owner = nullptr;
    HWND box = nullptr; // the box on screen, as last seen
    int opened = 0;
    int closed = 0;
    std::string title;

    // Notes a box that has appeared or gone since the last look.
    void Update() {
        BoxSearch search{owner, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found == box)
            return;
        if (box != nullptr)
            ++closed;
        box = search.found;
        if (box == nullptr)
            return;
        ++opened;
        wchar_t text[256] = {};
        GetWindowTextW(box, text, 256);
        title = kvn::Utf8FromWide(text);
    }
};

MessageBoxWatcher::MessageBoxWatcher() : impl_(std::make_unique<Impl>()) {
    CDialog* active = CDialog::GetActiveDialog();
    impl_->owner = active ? Handle(*active) : nullptr;
}

MessageBoxWatcher::~MessageBoxWatcher() = default;

int MessageBoxWatcher::Opened() const {
    impl_->Update();
    return impl_->opened;
}

int MessageBoxWatcher::Closed() const {
    impl_->Update();
    return impl_->closed;
}

bool MessageBoxWatcher::IsOpen() const {
    impl_->Update();
    return impl_->box != nullptr;
}

std::string MessageBoxWatcher::Title() const {
    impl_->Update();
    return impl_->title;
}

MessageBoxWatcher::Look MessageBoxWatcher::LookAtBox() const {
    Look look;
    if (!IsOpen())
        return look;
    HWND box = impl_->box;
    const HICON warning = LoadIconA(nullptr, IDI_EXCLAMATION);
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)) == warning)
            look.warningIcon = true;
    }
    HWND ok = GetDlgItem(box, IDOK);
    if (ok == nullptr)
        return look;
    look.okFocused = GetFocus() == ok;
    const LRESULT defId = SendMessageW(box, DM_GETDEFID, 0, 0);
    look.okDefault = HIWORD(defId) == DC_HASDEFID && LOWORD(defId) == IDOK;
    RECT button{};
    RECT client{};
    GetWindowRect(ok, &button);
    GetClientRect(box, &client);
    look.okNarrow = (button.right - button.left) * 2 < client.right;
    return look;
}

void MessageBoxWatcher::PressKey(int keyCode) {
    if (IsOpen())
        SetForegroundWindow(impl_->box);
    kvn::test::PressKey(keyCode);
}

} // namespace kvn::test
