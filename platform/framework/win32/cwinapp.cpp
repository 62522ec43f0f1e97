// The application's session on the platform: common controls, the window that
// receives calls posted from other threads, icons from the program's resources.
#include "platform/framework/cwinapp.h"

#include <deque>
#include <map>
#include <mutex>

#include "platform/framework/app_runner.h"
#include "platform/framework/win32/handles.h"
#include "platform/framework/win32/icons.h"

namespace {

// A private message: "calls are waiting in the queue".
constexpr UINT kRunPostedCalls = WM_APP + 1;

std::mutex postedMutex;
std::deque<std::function<void()>> postedCalls;
HWND postTarget = nullptr; // a message-only window of the user-interface thread

LRESULT CALLBACK PostTargetProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kRunPostedCalls)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard lock(postedMutex);
            if (postedCalls.empty())
                break;
            call = std::move(postedCalls.front());
            postedCalls.pop_front();
        }
        call();
    }
    return 0;
}

HWND CreatePostTarget() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PostTargetProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KVNConfigPostTarget";
    RegisterClassW(&windowClass);
    return CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           windowClass.hInstance, nullptr);
}

} // namespace

namespace {

// The icons LoadIcon has given out, by resource number.
std::map<HICON, UINT>& LoadedIcons() {
    static std::map<HICON, UINT> icons;
    return icons;
}

HICON LoadIconResource(UINT id, int width, int height) {
    // Shared icons live as long as the process.
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_ICON, width, height, LR_SHARED));
}

} // namespace

// The large icon's size at the system's DPI, picked from the sizes the
// resource holds.
HICON CWinApp::LoadIcon(UINT id) {
    HICON icon = LoadIconResource(id, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    if (icon != nullptr)
        LoadedIcons()[icon] = id;
    return icon;
}

HICON kvn::SmallIconFor(HICON icon) {
    const auto it = LoadedIcons().find(icon);
    if (it == LoadedIcons().end())
        return icon;
    HICON small =
        LoadIconResource(it->second, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    return small != nullptr ? small : icon;
}

void AfxPostToUiThread(std::function<void()> call) {
    std::lock_guard lock(postedMutex);
    if (postTarget == nullptr)
        return;
    postedCalls.push_back(std::move(call));
    // The modal loops of dialogs and message boxes dispatch it too.
    PostMessageW(postTarget, kRunPostedCalls, 0, 0);
}

int AfxRunToolkit(int, char**, std::function<int()> body) {
    // ICC_BAR_CLASSES for the tooltips of shortened captions.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    HWND target = CreatePostTarget();
    {
        std::lock_guard lock(postedMutex);
        postTarget = target;
    }
    const int result = body();
    {
        std::lock_guard lock(postedMutex);
        postTarget = nullptr;
        postedCalls.clear();
    }
    DestroyWindow(target);
    return result;
}

int AfxWinMain(int argc, char** argv) {
    // The program takes no command line.
    return AfxRunToolkit(argc, argv, [] {
        CWinApp* app = AfxGetApp();
        if (app == nullptr)
            return 0;
        if (app->InitInstance()) {
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        return app->ExitInstance();
    });
}
