#include "platform/framework/win32/pictures.h"

#include <cstdint>
#include <vector>

#include "platform/framework/picture_fit.h"
#include "platform/framework/picture_scale.h"

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

// A bitmap of `size` filled with `source`, of size `natural`, scaled
// smoothly (ScalePixels); nullptr where the pixels cannot be had. Not GDI's
// HALFTONE stretching, which Wine does slowly: 8.5 ms for the dialog's
// picture, where this takes 1.2 ms.
HBITMAP Compose(HBITMAP source, const BITMAP& natural, SIZE size) {
    if (natural.bmWidth <= 0 || natural.bmHeight <= 0 || size.cx <= 0 || size.cy <= 0)
        return nullptr;
    // Both as 32 bits a pixel, top row first.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = natural.bmWidth;
    info.bmiHeader.biHeight = -natural.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(natural.bmWidth) *
                                     static_cast<std::size_t>(natural.bmHeight) * 4);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, source, 0, static_cast<UINT>(natural.bmHeight),
                               pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != natural.bmHeight)
        return nullptr;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    void* bits = nullptr;
    HBITMAP composed = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (composed == nullptr)
        return nullptr;
    const PictureSize place{static_cast<int>(size.cx), static_cast<int>(size.cy)};
    ScalePixels({pixels.data(), natural.bmWidth * 4},
                CropToFill({natural.bmWidth, natural.bmHeight}, place),
                {static_cast<std::uint8_t*>(bits), size.cx * 4}, place);
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
            if (HBITMAP composed = Compose(source, natural, place)) {
                DeleteObject(source);
                shown = composed;
            }
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
