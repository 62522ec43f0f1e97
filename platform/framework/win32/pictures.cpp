#include "platform/framework/win32/pictures.h"

#include "platform/framework/picture_fit.h"

namespace kvn {

namespace {

// The picture controls with their template rows, in z-order.
template <typename Visit>
void ForEachPicture(HWND dialog, std::span<const ControlTemplate> controls, Visit visit) {
    HWND window = GetWindow(dialog, GW_CHILD);
    for (const ControlTemplate& c : controls) {
        if (window == nullptr)
            return;
        if (c.kind == ControlKind::Picture)
            visit(window, c);
        window = GetWindow(window, GW_HWNDNEXT);
    }
}

// A bitmap of `size` filled with `source`, scaled smoothly: HALFTONE
// averages the pixels each target pixel covers instead of picking one.
HBITMAP Compose(HBITMAP source, SIZE size) {
    BITMAP natural{};
    GetObjectW(source, sizeof natural, &natural);
    const PictureCrop crop = CropToFill({natural.bmWidth, natural.bmHeight},
                                        {static_cast<int>(size.cx), static_cast<int>(size.cy)});
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP composed = CreateCompatibleBitmap(screen, size.cx, size.cy);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, composed);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    StretchBlt(to, 0, 0, size.cx, size.cy, from, crop.x, crop.y, crop.w, crop.h, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    return composed;
}

} // namespace

void ShowPictures(HWND dialog, std::span<const ControlTemplate> controls) {
    ForEachPicture(dialog, controls, [](HWND window, const ControlTemplate& c) {
        auto* source =
            static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(c.resource),
                                            IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (source == nullptr)
            return;
        RECT client;
        GetClientRect(window, &client);
        const SIZE place{client.right, client.bottom};
        BITMAP natural{};
        GetObjectW(source, sizeof natural, &natural);
        HBITMAP shown = source;
        if (!ShowsAsDrawn({natural.bmWidth, natural.bmHeight},
                          {static_cast<int>(place.cx), static_cast<int>(place.cy)})) {
            shown = Compose(source, place);
            DeleteObject(source);
        }
        if (HGDIOBJ old = reinterpret_cast<HGDIOBJ>(
                SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown))))
            DeleteObject(old);
    });
}

void ReleasePictures(HWND dialog, std::span<const ControlTemplate> controls) {
    ForEachPicture(dialog, controls, [](HWND window, const ControlTemplate&) {
        if (HGDIOBJ old =
                reinterpret_cast<HGDIOBJ>(SendMessageW(window, STM_SETIMAGE, IMAGE_BITMAP, 0)))
            DeleteObject(old);
    });
}

} // namespace kvn
