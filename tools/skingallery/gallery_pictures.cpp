#include "tools/skingallery/gallery_pictures.h"

#include "skin/core/skin_manager.h"
#include "skin/skinners/glazework_menus.h"
#include "tools/skingallery/gallery_colour_items.h"
#include "tools/skingallery/gallery_frame_ids.h"

namespace gallery {
namespace {

constexpr char kPictureClass[] = "SkinGalleryPicture";
constexpr int kGridStep = 16;
constexpr COLORREF kDark = RGB(40, 44, 52);
constexpr COLORREF kGridLight = RGB(255, 255, 255);
constexpr COLORREF kGridDark = RGB(96, 104, 120);

void FillColour(HDC dc, const RECT& r, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void Paint(HWND picture) {
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(picture, &paint);
    RECT client{};
    GetClientRect(picture, &client);
    const PictureOptions& options = Pictures();
    FillColour(dc, client, options.dark ? kDark : PictureColour(picture));
    if (options.dark) {
        // The picture's own colour stays in view as a band across the dark background.
        RECT band{client.left, client.bottom / 3, client.right, client.bottom * 2 / 3};
        FillColour(dc, band, PictureColour(picture));
    }
    if (options.grid) {
        HPEN pen = CreatePen(PS_SOLID, 1, options.dark ? kGridDark : kGridLight);
        HGDIOBJ previous = SelectObject(dc, pen);
        for (int x = kGridStep; x < client.right; x += kGridStep) {
            MoveToEx(dc, x, 0, nullptr);
            LineTo(dc, x, client.bottom);
        }
        for (int y = kGridStep; y < client.bottom; y += kGridStep) {
            MoveToEx(dc, 0, y, nullptr);
            LineTo(dc, client.right, y);
        }
        SelectObject(dc, previous);
        DeleteObject(pen);
    }
    EndPaint(picture, &paint);
}

// The context menu at the point, its commands going to the frame.
void ShowContextMenu(HWND picture, POINT screen) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(picture, GWLP_HINSTANCE));
    HMENU resource = LoadMenuA(instance, MAKEINTRESOURCE(kPictureMenu));
    if (!resource)
        return;
    HMENU menu = GetSubMenu(resource, 0);
    MakeColourItemsOwnerDrawn(menu);
    HWND frame = GetParent(GetParent(picture));
    if (SkinManager::Instance().GetSkin())
        GlazeworkTrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, frame,
                                FALSE);
    else
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, frame, nullptr);
    DestroyMenu(resource);
}

LRESULT CALLBACK PictureProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        // The skinning toolkit frames sizable tool windows: so the pictures get the skin's frame.
        SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
        break;
    case WM_CREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        const auto* mdi =
            create ? static_cast<const MDICREATESTRUCTA*>(create->lpCreateParams) : nullptr;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, mdi ? mdi->lParam : 0);
        break;
    }
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        break;
    case WM_RBUTTONUP: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &at);
        ShowContextMenu(hwnd, at);
        return 0;
    }
    default:
        break;
    }
    return DefMDIChildProcA(hwnd, message, wParam, lParam);
}

} // namespace

PictureOptions& Pictures() {
    static PictureOptions options;
    return options;
}

bool RegisterPictureClass(HINSTANCE instance) {
    WNDCLASSA existing{};
    if (GetClassInfoA(instance, kPictureClass, &existing))
        return true;
    WNDCLASSA picture{};
    picture.style = CS_DBLCLKS;
    picture.lpfnWndProc = &PictureProc;
    picture.hInstance = instance;
    picture.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    picture.lpszClassName = kPictureClass;
    return RegisterClassA(&picture) != 0;
}

HWND OpenPicture(HWND client, const std::string& title) {
    static int next = 0;
    const COLORREF colour =
        ColourOfCommand(kColourFirst + next++ % (kColourLast - kColourFirst + 1));
    MDICREATESTRUCTA create{kPictureClass,
                            title.c_str(),
                            reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(client, GWLP_HINSTANCE)),
                            CW_USEDEFAULT,
                            CW_USEDEFAULT,
                            300,
                            200,
                            0,
                            static_cast<LPARAM>(colour)};
    return reinterpret_cast<HWND>(
        SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

void SetPictureColour(HWND picture, COLORREF colour) {
    SetWindowLongPtrA(picture, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    InvalidateRect(picture, nullptr, FALSE);
}

COLORREF PictureColour(HWND picture) {
    return static_cast<COLORREF>(GetWindowLongPtrA(picture, GWLP_USERDATA));
}

void RedrawPictures(HWND client) {
    RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace gallery
