#include "window/visible_region.h"

#include "window/paint_state.h"
#include "window/window_table.h"

namespace lv::window {
namespace {

gdi::Region shape_of(const Window* w, POINT offset) {
    RECT r{offset.x, offset.y, offset.x + (w->rect.right - w->rect.left),
           offset.y + (w->rect.bottom - w->rect.top)};
    gdi::Region shape(r);
    if (w->paint && w->paint->window_region) {
        gdi::Region own = w->paint->region;
        own.offset(offset.x, offset.y);
        shape = shape.intersected(own);
    }
    return shape;
}

bool paints(const Window* w) {
    for (const Window* up = w; up && !is_desktop(up); up = up->parent)
        if (up->redraw_disabled)
            return false;
    return is_really_visible(w);
}

} // namespace

POINT window_offset_in_surface(const Window* w) {
    const Window* top = top_level_of(const_cast<Window*>(w));
    POINT a = window_origin_on_screen(w);
    POINT b = window_origin_on_screen(top);
    return POINT{a.x - b.x, a.y - b.y};
}

POINT client_offset_in_surface(const Window* w) {
    POINT o = window_offset_in_surface(w);
    return POINT{o.x + w->client.left, o.y + w->client.top};
}

gdi::Region visible_region(const Window* w, bool client_only, bool clip_children) {
    if (!paints(w))
        return gdi::Region();
    POINT offset = window_offset_in_surface(w);
    gdi::Region result = shape_of(w, offset);
    if (client_only) {
        POINT c = client_offset_in_surface(w);
        result =
            result.intersected(gdi::Region(RECT{c.x, c.y, c.x + (w->client.right - w->client.left),
                                                c.y + (w->client.bottom - w->client.top)}));
    }
    for (const Window* a = w; a->parent && !is_desktop(a->parent); a = a->parent) {
        const Window* p = a->parent;
        POINT pc = client_offset_in_surface(p);
        result = result.intersected(
            gdi::Region(RECT{pc.x, pc.y, pc.x + (p->client.right - p->client.left),
                             pc.y + (p->client.bottom - p->client.top)}));
        result = result.intersected(shape_of(p, window_offset_in_surface(p)));
        for (const Window* sibling : p->children) {
            if (sibling == a)
                break;
            if (sibling->style & WS_VISIBLE)
                result = result.subtracted(shape_of(sibling, window_offset_in_surface(sibling)));
        }
    }
    if (clip_children) {
        for (const Window* child : w->children)
            if (child->style & WS_VISIBLE)
                result = result.subtracted(shape_of(child, window_offset_in_surface(child)));
    }
    const Window* top = top_level_of(const_cast<Window*>(w));
    RECT bounds{0, 0, top->rect.right - top->rect.left, top->rect.bottom - top->rect.top};
    return result.intersected(gdi::Region(bounds));
}

} // namespace lv::window
