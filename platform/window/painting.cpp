// Update regions, WM_PAINT/WM_ERASEBKGND/WM_NCPAINT, DCs on window surfaces, window regions.
#include "window/painting.h"

#include "gdi/surface_dc.h"
#include "win32/dialog.h"
#include "win32/errors.h"
#include "win32/gdi.h"
#include "win32/menu.h"
#include "win32/system.h"
#include "win32/tooltips.h"
#include "window/display_port.h"
#include "window/layers.h"
#include "window/menu_port.h"
#include "window/message_queue.h"
#include "window/paint_state.h"
#include "window/thread_id.h"
#include "window/visible_region.h"
#include "window/window_events.h"
#include "window/window_table.h"

#include <algorithm>
#include <atomic>
#include <map>

namespace lv::window {
namespace {

// Pixels far beyond the screen are never shown: a surface holds at most this much.
int max_surface_side() {
    SIZE screen = display_port::screen_size();
    return std::max<int>(4096, 2 * std::max(screen.cx, screen.cy));
}

std::atomic<std::uint64_t> g_generation{1};

struct DcRecord {
    HWND hwnd = nullptr;
    std::shared_ptr<gdi::Surface> surface; // kept alive while the DC exists
};

std::map<HDC, DcRecord>& dc_records() {
    static auto* records = new std::map<HDC, DcRecord>;
    return *records;
}

PaintState& state_of(Window* w) {
    if (!w->paint)
        w->paint = std::make_unique<PaintState>();
    return *w->paint;
}

RECT client_bounds(const Window* w) {
    return RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
}

bool locked_for_update(const Window* w) {
    HWND locked = table().lock_update;
    if (!locked)
        return false;
    for (const Window* up = w; up; up = up->parent)
        if (up->handle == locked)
            return true;
    return false;
}

bool can_paint(const Window* w) {
    if (!is_really_visible(w))
        return false;
    for (const Window* up = w; up && !is_desktop(up); up = up->parent)
        if (up->redraw_disabled)
            return false;
    return true;
}

// Applies RedrawWindow's invalidate/validate flags to one window; `area` in client coordinates.
void apply_redraw(Window* w, const gdi::Region& area, bool whole, UINT flags) {
    if (is_desktop(w))
        return;
    PaintState& ps = state_of(w);
    gdi::Region client(client_bounds(w));
    if ((flags & RDW_INTERNALPAINT) && can_paint(w)) {
        ps.internal = true;
        wake_thread(w->thread);
    }
    if (flags & RDW_INVALIDATE) {
        if (!can_paint(w))
            return;
        gdi::Region add = whole ? client : area.intersected(client);
        if (!add.empty())
            ps.update = ps.update.united(add);
        if ((flags & RDW_ERASE) && (!add.empty() || whole))
            ps.erase = true;
        if (flags & RDW_FRAME)
            ps.frame = true;
        wake_thread(w->thread);
        return;
    }
    if (flags & RDW_VALIDATE) {
        ps.update = whole ? gdi::Region() : ps.update.subtracted(area);
        if (ps.update.empty() || (flags & RDW_NOERASE))
            ps.erase = false;
        if (flags & RDW_NOFRAME)
            ps.frame = false;
        if (flags & RDW_NOINTERNALPAINT)
            ps.internal = false;
    }
}

// `area` in the parent's client coordinates mapped to the child's client coordinates.
gdi::Region area_for_child(const Window* child, const gdi::Region& parent_area, bool whole) {
    if (whole)
        return gdi::Region();
    gdi::Region mapped = parent_area;
    mapped.offset(-(child->rect.left + child->client.left), -(child->rect.top + child->client.top));
    return mapped;
}

bool touches_child(const Window* child, const gdi::Region& parent_area, bool whole) {
    return whole || parent_area.intersects(child->rect);
}

void redraw_tree(Window* w, const gdi::Region& area, bool whole, UINT flags,
                 bool include_children) {
    apply_redraw(w, area, whole, flags);
    if (!include_children)
        return;
    for (Window* child : w->children) {
        if (!touches_child(child, area, whole))
            continue;
        UINT child_flags = flags;
        if (flags & RDW_INVALIDATE)
            child_flags |= RDW_FRAME; // the child's frame lies in the invalid area too
        bool grand = (flags & RDW_ALLCHILDREN) || !(child->style & WS_CLIPCHILDREN);
        redraw_tree(child, area_for_child(child, area, whole), whole, child_flags, grand);
    }
}

// Whether an ancestor still has an update pending over the window that it will paint across
// it (without WS_CLIPCHILDREN in between): what the window draws before then is lost.
bool painted_over_later(const Window* w) {
    RECT r = w->rect; // in the parent's client coordinates
    for (const Window* up = w->parent; up && !is_desktop(up); up = up->parent) {
        if (up->style & WS_CLIPCHILDREN)
            return false;
        if (up->paint && up->paint->update.intersects(r))
            return true;
        OffsetRect(&r, up->rect.left + up->client.left, up->rect.top + up->client.top);
    }
    return false;
}

struct Pending {
    bool frame = false;
    bool erase = false;
    bool paint = false;
};

Pending pending_of(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w || !w->paint || !can_paint(w))
        return {};
    const PaintState& ps = *w->paint;
    return Pending{ps.frame, ps.erase, !ps.update.empty() || ps.internal || ps.frame};
}

struct Drawn {
    bool frame = false;
    bool erase = false;
};

Drawn send_frame_and_erase(HWND hwnd) {
    bool frame = false, erase = false;
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (!w || !w->paint || !can_paint(w))
            return {};
        frame = w->paint->frame;
        erase = w->paint->erase;
        w->paint->frame = false;
        w->paint->erase = false;
    }
    if (frame)
        SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    if (erase) {
        HDC dc = GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_INTERSECTUPDATE);
        if (dc) {
            LRESULT erased = SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
            ReleaseDC(hwnd, dc);
            if (!erased) {
                auto lock = lock_tree();
                if (Window* w = peek_window(hwnd); w && w->paint)
                    w->paint->erase = true; // BeginPaint reports it in fErase
            }
        }
    }
    return Drawn{frame, erase};
}

// Drawn ahead of a parent that will paint over it (a page shown while its parent still had an
// older update pending): the frame and background are drawn again at the window's own paint.
void redo_if_painted_over(HWND hwnd, const Drawn& drawn) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w || !w->paint || !painted_over_later(w))
        return;
    w->paint->frame = w->paint->frame || drawn.frame;
    w->paint->erase = w->paint->erase || drawn.erase;
}

std::vector<HWND> subtree_handles(HWND hwnd, bool include_children) {
    std::vector<HWND> out;
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w)
        return out;
    std::vector<Window*> all;
    if (include_children)
        collect_subtree(w, all);
    else
        all.push_back(w);
    for (Window* x : all)
        out.push_back(x->handle);
    return out;
}

HDC make_dc(HWND hwnd, HRGN extra_clip, DWORD flags) {
    auto lock = lock_tree();
    Window* w = find_window(hwnd);
    if (!w)
        return nullptr;
    if (is_desktop(w))
        return CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    Window* top = top_level_of(w);
    std::shared_ptr<gdi::Surface> surface = state_of(top).surface;
    if (!surface)
        return nullptr;
    bool window_dc = (flags & DCX_WINDOW) != 0;
    bool clip_children = (flags & DCX_CLIPCHILDREN) || (w->style & WS_CLIPCHILDREN);
    gdi::Region clip = locked_for_update(w) && !(flags & DCX_LOCKWINDOWUPDATE)
                           ? gdi::Region()
                           : visible_region(w, !window_dc, clip_children);
    POINT origin = window_dc ? window_offset_in_surface(w) : client_offset_in_surface(w);
    if (flags & DCX_INTERSECTUPDATE) {
        gdi::Region update = w->paint ? w->paint->update : gdi::Region();
        update.offset(origin.x, origin.y);
        clip = clip.intersected(update);
    }
    if (extra_clip && extra_clip != reinterpret_cast<HRGN>(1) &&
        (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        if (gdi::Region* given = gdi::region_of(extra_clip)) {
            // The region is in screen coordinates.
            gdi::Region mapped = *given;
            POINT top_origin = window_origin_on_screen(top);
            mapped.offset(-top_origin.x, -top_origin.y);
            clip = (flags & DCX_INTERSECTRGN) ? clip.intersected(mapped) : clip.subtracted(mapped);
        }
    }
    HDC dc = gdi::create_surface_dc(surface.get(), origin, clip);
    if (dc)
        dc_records()[dc] = DcRecord{hwnd, surface};
    return dc;
}

void resize_surface(Window* top) {
    PaintState& ps = state_of(top);
    int width = std::clamp<int>(top->rect.right - top->rect.left, 0, max_surface_side());
    int height = std::clamp<int>(top->rect.bottom - top->rect.top, 0, max_surface_side());
    if (ps.surface && ps.surface->width() == width && ps.surface->height() == height)
        return;
    // DCs made on the old surface keep it alive; new DCs draw on the new one.
    auto surface = std::make_shared<gdi::Surface>(width, height);
    surface->track_damage(); // a display shows it
    if (ps.surface) {
        gdi::SurfaceLock lock(ps.surface.get());
        int w = std::min(width, ps.surface->width());
        int h = std::min(height, ps.surface->height());
        for (int y = 0; y < h; ++y)
            std::copy_n(ps.surface->row(y), w, surface->row(y));
    }
    ps.surface = std::move(surface);
}

} // namespace

void mark_screen_dirty() {
    g_generation.fetch_add(1);
    display_port::top_levels_changed();
}

void mark_screen_drawn() {
    g_generation.fetch_add(1);
}

std::uint64_t screen_generation() {
    return g_generation.load();
}

void on_geometry_changed(Window* w) {
    if (w && is_top_level(w))
        resize_surface(w);
}

void on_window_destroyed(Window* w) {
    if (!w->paint)
        return;
    if (w->paint->window_region)
        DeleteObject(w->paint->window_region);
    w->paint->window_region = nullptr;
    w->paint->surface.reset();
}

bool region_contains(const Window* w, POINT at) {
    if (!w->paint || !w->paint->window_region)
        return true;
    return w->paint->region.contains(at.x, at.y);
}

HWND find_window_to_paint(DWORD thread, HWND filter) {
    auto lock = lock_tree();
    std::vector<Window*> all;
    for (Window* top : table().desktop->children)
        collect_subtree(top, all);
    Window* filter_window = filter ? peek_window(filter) : nullptr;
    for (Window* w : all) {
        if (w->thread != thread || !w->paint)
            continue;
        const PaintState& ps = *w->paint;
        if (ps.update.empty() && !ps.internal && !ps.frame)
            continue;
        if (!can_paint(w))
            continue;
        if (filter) {
            bool inside = false;
            for (Window* up = w; up; up = up->parent)
                if (up == filter_window)
                    inside = true;
            if (!inside)
                continue;
        }
        return w->handle;
    }
    return nullptr;
}

namespace {

LayerKind layer_kind(const Window& top, bool transient) {
    const std::string& name = top.cls ? top.cls->name : std::string();
    if (lstrcmpiA(name.c_str(), TOOLTIPS_CLASSA) == 0)
        return LayerKind::tooltip;
    if (lstrcmpiA(name.c_str(), "ComboLBox") == 0)
        return LayerKind::combo_list;
    // A menu's window says by its class what it is; whether it dropped from a menu bar the menus
    // are asked once the tree is left (see visible_layers_bottom_up). Another transient window,
    // such as the colour popup, takes the keyboard and stays over its owner until it is done
    // with: a popup menu, the type a manager keeps above and a compositor shows as one. (A
    // tooltip it is not: tips never take the keyboard, and some managers let the pointer
    // through them.)
    if (transient)
        return LayerKind::popup_menu;
    if (lstrcmpiA(name.c_str(), WC_DIALOG) == 0 || top.owner)
        return LayerKind::dialog;
    return LayerKind::normal;
}

void add_visible_layers(std::vector<Layer>& layers, std::vector<std::size_t>& menus);

} // namespace

std::vector<Layer> visible_layers_bottom_up() {
    std::vector<Layer> layers;
    std::vector<std::size_t> menus; // layers that show a menu's popup window
    {
        auto lock = lock_tree();
        add_visible_layers(layers, menus);
    }
    for (std::size_t i : menus)
        if (menu_port::drops_from_bar(layers[i].hwnd))
            layers[i].kind = LayerKind::dropdown_menu;
    return layers;
}

namespace {

// Under the tree lock.
void add_visible_layers(std::vector<Layer>& layers, std::vector<std::size_t>& menus) {
    const auto& tops = table().desktop->children;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* top = *it;
        if (!(top->style & WS_VISIBLE) || !top->paint || !top->paint->surface)
            continue;
        Layer layer;
        layer.hwnd = top->handle;
        layer.surface = top->paint->surface;
        layer.shaped = top->paint->window_region != nullptr;
        layer.topmost = (top->ex_style & WS_EX_TOPMOST) != 0;
        layer.active = table().active == top->handle;
        layer.transient = top->owner && (top->style & WS_CAPTION) != WS_CAPTION;
        layer.kind = layer_kind(*top, layer.transient);
        layer.owner = top->owner ? top->owner->handle : nullptr;
        layer.modal = top->owner && (top->owner->style & WS_DISABLED) != 0;
        layer.title = top->text;
        layer.position = POINT{top->rect.left, top->rect.top};
        RECT r{0, 0, top->rect.right - top->rect.left, top->rect.bottom - top->rect.top};
        layer.shape = gdi::Region(r);
        if (top->paint->window_region)
            layer.shape = layer.shape.intersected(top->paint->region);
        layer.shape.offset(top->rect.left, top->rect.top);
        if (top->cls && lstrcmpiA(top->cls->name.c_str(), MENU_POPUP_CLASS) == 0)
            menus.push_back(layers.size());
        layers.push_back(std::move(layer));
    }
}

} // namespace

std::shared_ptr<gdi::Surface> surface_of(HWND hwnd) {
    auto lock = lock_tree();
    Window* w = peek_window(hwnd);
    if (!w || !is_top_level(w) || !w->paint)
        return nullptr;
    return w->paint->surface;
}

} // namespace lv::window

using namespace lv::window;
namespace gdi = lv::gdi;

BOOL RedrawWindow(HWND hwnd, const RECT* update, HRGN updateRegion, UINT flags) {
    if (!hwnd)
        hwnd = GetDesktopWindow();
    bool include_children = false;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return FALSE;
        gdi::Region area;
        bool whole = false;
        if (updateRegion) {
            if (gdi::Region* r = gdi::region_of(updateRegion))
                area = *r;
        } else if (update) {
            area = gdi::Region(*update);
        } else {
            whole = true;
        }
        include_children = !(flags & RDW_NOCHILDREN) &&
                           ((flags & RDW_ALLCHILDREN) || !(w->style & WS_CLIPCHILDREN));
        if (is_desktop(w)) {
            for (Window* top : w->children)
                redraw_tree(top, area_for_child(top, area, whole), whole, flags | RDW_FRAME,
                            (flags & RDW_ALLCHILDREN) != 0);
        } else {
            redraw_tree(w, area, whole, flags, include_children);
        }
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
        for (HWND h : subtree_handles(hwnd, include_children || hwnd == GetDesktopWindow())) {
            if (!IsWindow(h))
                continue;
            if (flags & RDW_UPDATENOW) {
                Pending p = pending_of(h);
                if (p.paint)
                    SendMessageA(h, WM_PAINT, 0, 0);
            } else {
                redo_if_painted_over(h, send_frame_and_erase(h));
            }
        }
    }
    return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
    if (!region)
        return InvalidateRect(hwnd, nullptr, erase);
    return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hwnd, HRGN region) {
    if (!region)
        return ValidateRect(hwnd, nullptr);
    return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL UpdateWindow(HWND hwnd) {
    if (!IsWindow(hwnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase) {
    RECT bounds{};
    bool has_update = false;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return FALSE;
        if (w->paint && can_paint(w)) {
            bounds = w->paint->update.bounds();
            has_update = !w->paint->update.empty();
        }
    }
    if (has_update && erase)
        send_frame_and_erase(hwnd);
    if (rect)
        *rect = bounds;
    return has_update ? TRUE : FALSE;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase) {
    gdi::Region copy;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return ERROR;
        if (w->paint && can_paint(w))
            copy = w->paint->update;
    }
    gdi::Region* target = gdi::region_of(region);
    if (!target)
        return ERROR;
    if (!copy.empty() && erase)
        send_frame_and_erase(hwnd);
    *target = copy;
    if (copy.empty())
        return NULLREGION;
    return copy.is_rect() ? SIMPLEREGION : COMPLEXREGION;
}

HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint) {
    if (!paint)
        return nullptr;
    send_frame_and_erase(hwnd);
    gdi::Region update;
    bool erase = false;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return nullptr;
        PaintState& ps = state_of(w);
        update = ps.update;
        erase = ps.erase;
        ps.update = gdi::Region();
        ps.erase = false;
        ps.frame = false;
        ps.internal = false;
    }
    HDC dc = nullptr;
    {
        auto lock = lock_tree();
        dc = make_dc(hwnd, nullptr, 0);
        Window* w = peek_window(hwnd);
        if (dc && w) {
            // Drawing is limited to what was invalid.
            gdi::Region clip = locked_for_update(w)
                                   ? gdi::Region()
                                   : visible_region(w, true, (w->style & WS_CLIPCHILDREN) != 0);
            POINT origin = client_offset_in_surface(w);
            gdi::Region limit = update;
            limit.offset(origin.x, origin.y);
            gdi::set_surface_dc_clip(dc, clip.intersected(limit));
        }
    }
    *paint = PAINTSTRUCT{};
    paint->hdc = dc;
    paint->fErase = erase ? TRUE : FALSE;
    paint->rcPaint = update.bounds();
    return dc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
    if (!paint)
        return FALSE;
    if (paint->hdc)
        ReleaseDC(hwnd, paint->hdc);
    return TRUE;
}

HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags) {
    if (!hwnd)
        return CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    auto lock = lock_tree();
    return make_dc(hwnd, clip, flags);
}

HDC GetDC(HWND hwnd) {
    return GetDCEx(hwnd, nullptr, DCX_CACHE);
}

HDC GetWindowDC(HWND hwnd) {
    return GetDCEx(hwnd, nullptr, DCX_CACHE | DCX_WINDOW);
}

int ReleaseDC(HWND, HDC hdc) {
    {
        auto lock = lock_tree();
        auto& records = dc_records();
        auto it = records.find(hdc);
        if (it == records.end())
            return DeleteDC(hdc) ? 1 : 0;
        records.erase(it);
    }
    gdi::release_surface_dc(hdc);
    mark_screen_drawn();
    return 1;
}

HWND WindowFromDC(HDC hdc) {
    auto lock = lock_tree();
    auto& records = dc_records();
    auto it = records.find(hdc);
    return it == records.end() ? nullptr : it->second.hwnd;
}

BOOL LockWindowUpdate(HWND hwnd) {
    HWND previous = nullptr;
    {
        auto lock = lock_tree();
        auto& t = table();
        if (hwnd && t.lock_update && t.lock_update != hwnd)
            return FALSE; // one window at a time
        if (hwnd && !find_window(hwnd))
            return FALSE;
        previous = t.lock_update;
        t.lock_update = hwnd;
    }
    if (!hwnd && previous && IsWindow(previous))
        RedrawWindow(previous, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
    HRGN old = nullptr;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w)
            return 0;
        gdi::Region* given = region ? gdi::region_of(region) : nullptr;
        if (region && !given) {
            SetLastError(ERROR_INVALID_HANDLE);
            return 0;
        }
        PaintState& ps = state_of(w);
        old = ps.window_region;
        ps.window_region = region;
        ps.region = given ? *given : gdi::Region();
        mark_screen_dirty();
    }
    // The window owns the region it was given; the one it had before is deleted.
    if (old && old != region)
        DeleteObject(old);
    UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
    if (!redraw)
        flags |= SWP_NOREDRAW;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags);
    if (!redraw)
        return 1;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    // A child's parent shows through where the new region leaves the child's rectangle.
    HWND parent = nullptr;
    RECT area{};
    {
        auto lock = lock_tree();
        Window* w = peek_window(hwnd);
        if (w && (w->style & WS_CHILD) && w->parent && !is_desktop(w->parent)) {
            parent = w->parent->handle;
            area = w->rect;
        }
    }
    if (parent)
        RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
    gdi::Region copy;
    {
        auto lock = lock_tree();
        Window* w = find_window(hwnd);
        if (!w || !w->paint || !w->paint->window_region)
            return ERROR;
        copy = w->paint->region;
    }
    gdi::Region* target = gdi::region_of(region);
    if (!target)
        return ERROR;
    *target = copy;
    if (copy.empty())
        return NULLREGION;
    return copy.is_rect() ? SIMPLEREGION : COMPLEXREGION;
}
