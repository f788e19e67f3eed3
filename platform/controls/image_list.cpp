// Image lists: each image kept as top-down BGRA pixels with a transparency mask; drawing goes
// through an icon made of both, so that masks and alpha behave as they do for icons.
#include "win32/image_list.h"
#include "gdi/pixel_rows.h"
#include "win32/errors.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

struct Image {
    std::vector<std::uint32_t> pixels;     // BGRA, top-down
    std::vector<std::uint8_t> transparent; // 1 where the mask lets the background through
};

struct ImageList {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    std::vector<Image> images;

    Image empty() const {
        const auto n = static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy);
        return Image{std::vector<std::uint32_t>(n, 0), std::vector<std::uint8_t>(n, 1)};
    }
};

std::mutex g_lock;
std::unordered_map<HIMAGELIST, std::unique_ptr<ImageList>>& lists() {
    static std::unordered_map<HIMAGELIST, std::unique_ptr<ImageList>> table;
    return table;
}

// The live list behind a handle, or null (with the error set). Callers hold g_lock.
ImageList* find(HIMAGELIST handle) {
    const auto it = lists().find(handle);
    if (it == lists().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return it->second.get();
}

// The images that `image` (and `mask`) hold: one per `cx` columns, at least one.
bool cut_images(const ImageList& list, HBITMAP image, HBITMAP mask, std::vector<Image>& out) {
    std::vector<std::uint32_t> colour, shape;
    int width = 0, height = 0, mask_width = 0, mask_height = 0;
    if (!lv::gdi::read_rows(image, colour, width, height))
        return false;
    const bool masked = mask && (list.flags & ILC_MASK);
    if (masked && !lv::gdi::read_rows(mask, shape, mask_width, mask_height))
        return false;
    const int count = std::max(1, width / list.cx);
    for (int n = 0; n < count; ++n) {
        Image cut = list.empty();
        for (int y = 0; y < std::min(list.cy, height); ++y) {
            for (int x = 0; x < list.cx; ++x) {
                const int sx = n * list.cx + x;
                if (sx >= width)
                    break;
                const auto at = static_cast<std::size_t>(y * list.cx + x);
                bool clear = false;
                if (masked && sx < mask_width && y < mask_height)
                    clear = (shape[static_cast<std::size_t>(y * mask_width + sx)] & 0xFFFFFF) != 0;
                cut.transparent[at] = clear ? 1 : 0;
                cut.pixels[at] =
                    clear ? 0 : (colour[static_cast<std::size_t>(y * width + sx)] & 0xFFFFFF);
            }
        }
        out.push_back(std::move(cut));
    }
    return true;
}

bool image_of_icon(const ImageList& list, HICON icon, Image& out) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    std::vector<std::uint32_t> shape, colour;
    int mask_width = 0, mask_height = 0, width = 0, height = 0;
    bool read = lv::gdi::read_rows(info.hbmMask, shape, mask_width, mask_height);
    // Without a colour part the mask's lower half holds the image.
    const int shape_height = info.hbmColor ? mask_height : mask_height / 2;
    if (read && info.hbmColor) {
        read = lv::gdi::read_rows(info.hbmColor, colour, width, height);
    } else if (read) {
        width = mask_width;
        height = shape_height;
        colour.assign(shape.begin() + static_cast<std::ptrdiff_t>(width) * height, shape.end());
    }
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (!read || shape_height <= 0 || width != mask_width || height < shape_height)
        return false;
    const bool alpha = std::any_of(colour.begin(), colour.end(),
                                   [](std::uint32_t pixel) { return (pixel >> 24) != 0; });
    // Scaled to the list's size, nearest pixel.
    out = list.empty();
    for (int y = 0; y < list.cy; ++y) {
        for (int x = 0; x < list.cx; ++x) {
            const auto at = static_cast<std::size_t>(y * list.cx + x);
            const auto from =
                static_cast<std::size_t>(y * shape_height / list.cy * width + x * width / list.cx);
            const std::uint32_t pixel = colour[from];
            const bool clear = alpha ? (pixel >> 24) == 0 : (shape[from] & 0xFFFFFF) != 0;
            out.transparent[at] = clear ? 1 : 0;
            out.pixels[at] = clear ? 0 : (alpha ? pixel : pixel & 0xFFFFFF);
        }
    }
    return true;
}

bool valid_index(const ImageList& list, int index) {
    return index >= 0 && index < static_cast<int>(list.images.size());
}

} // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow) {
    if (cx <= 0 || cy <= 0 || initial < 0 || grow < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto list = std::make_unique<ImageList>();
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    list->images.reserve(static_cast<std::size_t>(initial));
    auto handle = reinterpret_cast<HIMAGELIST>(list.get());
    std::lock_guard guard(g_lock);
    lists().emplace(handle, std::move(list));
    return handle;
}

BOOL ImageList_Destroy(HIMAGELIST handle) {
    std::lock_guard guard(g_lock);
    if (!find(handle))
        return FALSE;
    lists().erase(handle);
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST handle) {
    std::lock_guard guard(g_lock);
    const ImageList* list = find(handle);
    return list ? static_cast<int>(list->images.size()) : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST handle, UINT count) {
    std::lock_guard guard(g_lock);
    ImageList* list = find(handle);
    if (!list)
        return FALSE;
    list->images.resize(count, list->empty());
    return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy) {
    std::lock_guard guard(g_lock);
    const ImageList* list = find(handle);
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

int ImageList_Add(HIMAGELIST handle, HBITMAP image, HBITMAP mask) {
    std::lock_guard guard(g_lock);
    ImageList* list = find(handle);
    std::vector<Image> cut;
    if (!list || !cut_images(*list, image, mask, cut))
        return -1;
    const int first = static_cast<int>(list->images.size());
    for (Image& one : cut)
        list->images.push_back(std::move(one));
    return first;
}

BOOL ImageList_Replace(HIMAGELIST handle, int index, HBITMAP image, HBITMAP mask) {
    std::lock_guard guard(g_lock);
    ImageList* list = find(handle);
    std::vector<Image> cut;
    if (!list || !valid_index(*list, index) || !cut_images(*list, image, mask, cut))
        return FALSE;
    list->images[static_cast<std::size_t>(index)] = std::move(cut.front());
    return TRUE;
}

int ImageList_ReplaceIcon(HIMAGELIST handle, int index, HICON icon) {
    std::lock_guard guard(g_lock);
    ImageList* list = find(handle);
    Image image;
    if (!list || (index != -1 && !valid_index(*list, index)) || !image_of_icon(*list, icon, image))
        return -1;
    if (index == -1) {
        list->images.push_back(std::move(image));
        return static_cast<int>(list->images.size()) - 1;
    }
    list->images[static_cast<std::size_t>(index)] = std::move(image);
    return index;
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
    std::lock_guard guard(g_lock);
    ImageList* list = find(handle);
    if (!list)
        return FALSE;
    if (index == -1) {
        list->images.clear();
        return TRUE;
    }
    if (!valid_index(*list, index))
        return FALSE;
    list->images.erase(list->images.begin() + index);
    return TRUE;
}

HICON ImageList_GetIcon(HIMAGELIST handle, int index, UINT) {
    Image image;
    int cx = 0, cy = 0;
    {
        std::lock_guard guard(g_lock);
        const ImageList* list = find(handle);
        if (!list || !valid_index(*list, index))
            return nullptr;
        image = list->images[static_cast<std::size_t>(index)];
        cx = list->cx;
        cy = list->cy;
    }
    std::vector<std::uint32_t> shape(image.transparent.size());
    std::transform(image.transparent.begin(), image.transparent.end(), shape.begin(),
                   [](std::uint8_t clear) { return clear ? 0x00FFFFFFu : 0u; });
    return lv::gdi::icon_of_rows(cx, cy, image.pixels, shape);
}

BOOL ImageList_Draw(HIMAGELIST handle, int index, HDC dc, int x, int y, UINT style) {
    HICON icon = ImageList_GetIcon(handle, index, style);
    if (!icon)
        return FALSE;
    const BOOL drawn = DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
    return drawn;
}
