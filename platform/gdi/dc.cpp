#include "gdi/dc.h"

#include "gdi/font.h"
#include "gdi/surface_dc.h"
#include "win32/errors.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <strings.h>

namespace lv::gdi {
namespace {

std::atomic<int> g_screen_width{1024};
std::atomic<int> g_screen_height{768};
std::atomic<Surface*> g_screen_surface{nullptr};
std::atomic<SystemColourSource> g_colour_source{nullptr};

template <typename T> std::shared_ptr<T> make_stock(std::shared_ptr<T> object) {
    object->make_stock();
    add_handle(object);
    return object;
}

std::shared_ptr<Brush> solid_stock_brush(UINT style, COLORREF colour) {
    auto brush = std::make_shared<Brush>();
    brush->style = style;
    brush->colour = colour;
    return make_stock(brush);
}

std::shared_ptr<Pen> solid_stock_pen(int style, COLORREF colour) {
    auto pen = std::make_shared<Pen>();
    pen->style = style;
    pen->colour = colour;
    return make_stock(pen);
}

std::shared_ptr<Font> stock_font_of(LONG height, LONG weight, const char* face) {
    LOGFONTA log{};
    log.lfHeight = height;
    log.lfWeight = weight;
    log.lfCharSet = DEFAULT_CHARSET;
    std::strncpy(log.lfFaceName, face, LF_FACESIZE - 1);
    return make_stock(std::make_shared<Font>(log));
}

struct StockObjects {
    std::shared_ptr<Brush> brushes[6];
    std::shared_ptr<Pen> pens[3];
    std::shared_ptr<Font> system_font;
    std::shared_ptr<Font> fixed_font;
    std::shared_ptr<Font> gui_font;
    std::shared_ptr<Palette> palette;
    std::shared_ptr<Bitmap> bitmap;

    StockObjects() {
        brushes[WHITE_BRUSH] = solid_stock_brush(BS_SOLID, RGB(255, 255, 255));
        brushes[LTGRAY_BRUSH] = solid_stock_brush(BS_SOLID, RGB(192, 192, 192));
        brushes[GRAY_BRUSH] = solid_stock_brush(BS_SOLID, RGB(128, 128, 128));
        brushes[DKGRAY_BRUSH] = solid_stock_brush(BS_SOLID, RGB(64, 64, 64));
        brushes[BLACK_BRUSH] = solid_stock_brush(BS_SOLID, RGB(0, 0, 0));
        brushes[NULL_BRUSH] = solid_stock_brush(BS_NULL, 0);
        pens[0] = solid_stock_pen(PS_SOLID, RGB(255, 255, 255));
        pens[1] = solid_stock_pen(PS_SOLID, RGB(0, 0, 0));
        pens[2] = solid_stock_pen(PS_NULL, 0);
        system_font = stock_font_of(16, FW_BOLD, "System");
        fixed_font = stock_font_of(16, FW_NORMAL, "Courier New");
        gui_font = stock_font_of(-11, FW_NORMAL, "MS Shell Dlg");
        palette = make_stock(std::make_shared<Palette>());
        palette->entries.resize(20);
        auto mono = std::make_shared<Bitmap>();
        mono->bits_pixel = 1;
        mono->pixels.resize(1, 1);
        mono->pixels.row(0)[0] = 0;
        bitmap = make_stock(mono);
    }
};

StockObjects& stock() {
    static StockObjects* objects = new StockObjects; // handles must outlive every static DC
    return *objects;
}

Region bounds_of(const Surface* surface) {
    if (!surface) {
        return Region();
    }
    return Region(RECT{0, 0, surface->width(), surface->height()});
}

std::shared_ptr<DeviceContext> new_dc(DeviceContext::Type type) {
    auto dc = std::make_shared<DeviceContext>(type);
    dc->state.brush = stock_brush(WHITE_BRUSH);
    dc->state.pen = stock_pen(BLACK_PEN);
    dc->state.font = stock_font(SYSTEM_FONT);
    dc->state.palette = stock().palette;
    if (type == DeviceContext::Type::memory) {
        dc->state.bitmap = stock_bitmap();
        dc->state.bitmap->selections++;
    }
    return dc;
}

void release_selection(DcState& state) {
    if (state.bitmap) {
        state.bitmap->selections--;
        state.bitmap.reset();
    }
}

} // namespace

std::shared_ptr<Brush> stock_brush(int index) {
    return index >= 0 && index <= NULL_BRUSH ? stock().brushes[index] : nullptr;
}

std::shared_ptr<Pen> stock_pen(int index) {
    return index >= WHITE_PEN && index <= NULL_PEN ? stock().pens[index - WHITE_PEN] : nullptr;
}

std::shared_ptr<Font> stock_font(int index) {
    switch (index) {
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        return stock().system_font;
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT:
        return stock().fixed_font;
    case ANSI_VAR_FONT:
    case DEFAULT_GUI_FONT:
        return stock().gui_font;
    default:
        return nullptr;
    }
}

std::shared_ptr<Bitmap> stock_bitmap() {
    return stock().bitmap;
}

Surface* DeviceContext::surface() const {
    if (type == Type::memory) {
        return state.bitmap ? &state.bitmap->pixels : nullptr;
    }
    if (type == Type::display) {
        return g_screen_surface.load(); // the display may set up its screen after the DC exists
    }
    return type == Type::information ? nullptr : external;
}

RECT DeviceContext::to_device(const RECT& r) const {
    POINT a = to_device(r.left, r.top);
    POINT b = to_device(r.right, r.bottom);
    return RECT{a.x, a.y, b.x, b.y};
}

Region DeviceContext::device_limit() const {
    const Surface* s = surface();
    Region limit = bounds_of(s);
    if (type == Type::surface) {
        limit = limit.intersected(visible);
    }
    if (type == Type::information) {
        SIZE screen = screen_size();
        limit = Region(RECT{0, 0, screen.cx, screen.cy});
    }
    limit.offset(-origin.x, -origin.y);
    return limit;
}

Region DeviceContext::device_clip() const {
    Region limit = device_limit();
    return state.clip ? limit.intersected(*state.clip) : limit;
}

Target DeviceContext::target() const {
    Target t;
    t.surface = surface();
    if (!t.surface) {
        return t;
    }
    t.bitmap = type == Type::memory ? state.bitmap.get() : nullptr;
    t.monochrome = t.bitmap && t.bitmap->monochrome();
    t.offset = origin;
    t.clip = device_clip();
    t.clip.offset(origin.x, origin.y);
    return t;
}

LockedDc::LockedDc(HDC dc) : m_dc(find<DeviceContext>(dc)) {
    if (m_dc) {
        m_lock = std::unique_lock(m_dc->mutex);
    } else {
        SetLastError(ERROR_INVALID_HANDLE);
    }
}

LockedDcPair::LockedDcPair(HDC dst, HDC src)
    : m_dst(find<DeviceContext>(dst)), m_src(find<DeviceContext>(src)) {
    if (!m_dst || !m_src) {
        SetLastError(ERROR_INVALID_HANDLE);
        return;
    }
    if (m_dst == m_src) {
        m_first = std::unique_lock(m_dst->mutex);
        return;
    }
    std::mutex* a = &m_dst->mutex;
    std::mutex* b = &m_src->mutex;
    if (std::less<std::mutex*>()(b, a)) {
        std::swap(a, b);
    }
    m_first = std::unique_lock(*a);
    m_second = std::unique_lock(*b);
}

// ---- What the window manager uses ---------------------------------------------------------------

HDC create_surface_dc(Surface* surface, POINT origin, const Region& visible_clip) {
    if (!surface) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto dc = new_dc(DeviceContext::Type::surface);
    dc->external = surface;
    dc->origin = origin;
    dc->visible = visible_clip;
    return static_cast<HDC>(add_handle(dc));
}

BOOL set_surface_dc_origin(HDC handle, POINT origin) {
    LockedDc dc(handle);
    if (!dc || dc->type != DeviceContext::Type::surface) {
        return FALSE;
    }
    dc->origin = origin;
    return TRUE;
}

BOOL set_surface_dc_clip(HDC handle, const Region& visible_clip) {
    LockedDc dc(handle);
    if (!dc || dc->type != DeviceContext::Type::surface) {
        return FALSE;
    }
    dc->visible = visible_clip;
    return TRUE;
}

BOOL release_surface_dc(HDC handle) {
    auto dc = find<DeviceContext>(handle);
    if (!dc || dc->type != DeviceContext::Type::surface) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(dc->mutex); // a drawing call in flight on another thread ends first
    remove_handle(handle, Kind::dc);
    return TRUE;
}

Region* region_of(HRGN region) {
    auto object = find<RegionObject>(region);
    return object ? &object->region : nullptr;
}

HRGN create_region_handle(const Region& region) {
    auto object = std::make_shared<RegionObject>();
    object->region = region;
    return static_cast<HRGN>(add_handle(object));
}

void set_screen_size(int width, int height) {
    g_screen_width = width;
    g_screen_height = height;
}

SIZE screen_size() {
    return SIZE{g_screen_width.load(), g_screen_height.load()};
}

void set_screen_surface(Surface* surface) {
    g_screen_surface = surface;
}

void set_system_colour_source(SystemColourSource source) {
    g_colour_source = source;
}

COLORREF system_colour(int index) {
    if (SystemColourSource source = g_colour_source.load()) {
        return source(index);
    }
    // The classic scheme, by COLOR_* index.
    static const COLORREF classic[] = {
        RGB(192, 192, 192), RGB(58, 110, 165),  RGB(0, 0, 128),     RGB(128, 128, 128),
        RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
        RGB(0, 0, 0),       RGB(255, 255, 255), RGB(192, 192, 192), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),
        RGB(255, 255, 225), RGB(180, 180, 180), RGB(0, 0, 255),     RGB(16, 132, 208),
        RGB(181, 181, 181), RGB(49, 106, 197),  RGB(240, 240, 240)};
    if (index < 0 || index >= static_cast<int>(std::size(classic))) {
        return 0;
    }
    return classic[index];
}

} // namespace lv::gdi

using namespace lv::gdi;

// ---- Creating and deleting DCs ------------------------------------------------------------------

HDC CreateCompatibleDC(HDC dc) {
    if (dc && !find<DeviceContext>(dc)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return static_cast<HDC>(add_handle(new_dc(DeviceContext::Type::memory)));
}

static HDC create_display_dc(LPCSTR driver, LPCSTR device, DeviceContext::Type type) {
    const char* name = driver ? driver : device;
    if (!name || strcasecmp(name, "DISPLAY") != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return static_cast<HDC>(add_handle(new_dc(type)));
}

HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR, const void*) {
    return create_display_dc(driver, device, DeviceContext::Type::display);
}

HDC CreateICA(LPCSTR driver, LPCSTR device, LPCSTR, const void*) {
    return create_display_dc(driver, device, DeviceContext::Type::information);
}

BOOL DeleteDC(HDC handle) {
    auto dc = find<DeviceContext>(handle);
    // Window DCs go back through ReleaseDC/EndPaint.
    if (!dc || dc->type == DeviceContext::Type::surface) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard lock(dc->mutex);
    remove_handle(handle, Kind::dc);
    release_selection(dc->state);
    for (DcState& saved : dc->saved) {
        release_selection(saved);
    }
    return TRUE;
}

int SaveDC(HDC handle) {
    LockedDc dc(handle);
    if (!dc) {
        return 0;
    }
    dc->saved.push_back(dc->state);
    if (dc->state.bitmap) {
        dc->state.bitmap->selections++;
    }
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC handle, int saved) {
    LockedDc dc(handle);
    if (!dc) {
        return FALSE;
    }
    int depth = static_cast<int>(dc->saved.size());
    int level = saved < 0 ? depth + saved + 1 : saved;
    if (level < 1 || level > depth) {
        return FALSE;
    }
    release_selection(dc->state);
    dc->state = std::move(dc->saved[level - 1]);
    for (int i = level; i < depth; ++i) {
        release_selection(dc->saved[i]);
    }
    dc->saved.resize(level - 1);
    return TRUE;
}

int GetDeviceCaps(HDC handle, int index) {
    LockedDc dc(handle);
    if (!dc) {
        return 0;
    }
    SIZE screen = screen_size();
    switch (index) {
    case DRIVERVERSION:
        return 0x4000;
    case TECHNOLOGY:
        return DT_RASDISPLAY;
    case HORZSIZE:
        return screen.cx * 254 / 960;
    case VERTSIZE:
        return screen.cy * 254 / 960;
    case HORZRES:
    case DESKTOPHORZRES:
        return screen.cx;
    case VERTRES:
    case DESKTOPVERTRES:
        return screen.cy;
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    case NUMCOLORS:
        return -1;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case SIZEPALETTE:
        return 0;
    case VREFRESH:
        return 60;
    default:
        return 0;
    }
}

// ---- Objects ------------------------------------------------------------------------------------

HGDIOBJ GetStockObject(int index) {
    if (auto brush = stock_brush(index)) {
        return brush->handle();
    }
    if (auto pen = stock_pen(index)) {
        return pen->handle();
    }
    if (auto font = stock_font(index)) {
        return font->handle();
    }
    if (index == DEFAULT_PALETTE) {
        return stock().palette->handle();
    }
    return nullptr;
}

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
    LockedDc dc(handle);
    if (!dc) {
        return nullptr;
    }
    auto any = find_any_handle(object);
    if (!any) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    DcState& state = dc->state;
    switch (any->kind()) {
    case Kind::brush: {
        HGDIOBJ old = state.brush->handle();
        state.brush = std::static_pointer_cast<Brush>(any);
        return old;
    }
    case Kind::pen: {
        HGDIOBJ old = state.pen->handle();
        state.pen = std::static_pointer_cast<Pen>(any);
        return old;
    }
    case Kind::font: {
        HGDIOBJ old = state.font->handle();
        state.font = std::static_pointer_cast<Font>(any);
        return old;
    }
    case Kind::bitmap: {
        auto bitmap = std::static_pointer_cast<Bitmap>(any);
        if (dc->type != DeviceContext::Type::memory) {
            return nullptr;
        }
        if (bitmap == state.bitmap) {
            return bitmap->handle();
        }
        // A bitmap lives in one memory DC at a time (the stock bitmap in all of them).
        if (bitmap->selections > 0 && !bitmap->stock()) {
            return nullptr;
        }
        HGDIOBJ old = state.bitmap->handle();
        release_selection(state);
        bitmap->selections++;
        state.bitmap = bitmap;
        return old;
    }
    case Kind::region: {
        auto region = std::static_pointer_cast<RegionObject>(any);
        state.clip = region->region;
        Region clip = dc->device_clip();
        int type = clip.empty() ? NULLREGION : clip.is_rect() ? SIMPLEREGION : COMPLEXREGION;
        return reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(type));
    }
    default:
        return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
    LockedDc dc(handle);
    if (!dc) {
        return nullptr;
    }
    switch (type) {
    case OBJ_BRUSH:
        return dc->state.brush->handle();
    case OBJ_PEN:
        return dc->state.pen->handle();
    case OBJ_FONT:
        return dc->state.font->handle();
    case OBJ_PAL:
        return dc->state.palette->handle();
    case OBJ_BITMAP:
        return dc->state.bitmap ? dc->state.bitmap->handle() : nullptr;
    default:
        return nullptr;
    }
}

BOOL DeleteObject(HGDIOBJ object) {
    auto any = find_any_handle(object);
    if (!any || any->kind() == Kind::dc || any->kind() == Kind::icon) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (any->stock()) {
        return TRUE;
    }
    if (any->kind() == Kind::bitmap && std::static_pointer_cast<Bitmap>(any)->selections > 0) {
        return FALSE;
    }
    // A pen, brush or font still selected stays alive in its DC until replaced.
    remove_handle(object, any->kind());
    return TRUE;
}

DWORD GetObjectType(HGDIOBJ object) {
    auto any = find_any_handle(object);
    if (!any) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    switch (any->kind()) {
    case Kind::dc:
        return std::static_pointer_cast<DeviceContext>(any)->type == DeviceContext::Type::memory
                   ? OBJ_MEMDC
                   : OBJ_DC;
    case Kind::bitmap:
        return OBJ_BITMAP;
    case Kind::brush:
        return OBJ_BRUSH;
    case Kind::pen:
        return OBJ_PEN;
    case Kind::font:
        return OBJ_FONT;
    case Kind::region:
        return OBJ_REGION;
    case Kind::palette:
        return OBJ_PAL;
    default:
        return 0;
    }
}

// ---- Palettes -----------------------------------------------------------------------------------

HPALETTE CreatePalette(const LOGPALETTE* palette) {
    if (!palette || palette->palNumEntries == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto object = std::make_shared<Palette>();
    object->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return static_cast<HPALETTE>(add_handle(object));
}

HPALETTE SelectPalette(HDC handle, HPALETTE palette, BOOL) {
    LockedDc dc(handle);
    auto object = find<Palette>(palette);
    if (!dc || !object) {
        return nullptr;
    }
    HPALETTE old = static_cast<HPALETTE>(dc->state.palette->handle());
    dc->state.palette = object;
    return old;
}

// A true-colour display maps no palette entries.
UINT RealizePalette(HDC handle) {
    LockedDc dc(handle);
    return dc ? 0 : GDI_ERROR;
}
