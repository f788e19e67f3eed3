// What the window manager and the display use of the GDI: DCs on window surfaces, regions
// behind HRGN handles, the screen's size and the system colours.
#pragma once

#include "gdi/region.h"
#include "gdi/surface.h"
#include "win32/gdi.h"

namespace lv::gdi {

// A DC that draws into `surface` (kept alive by the caller until release_surface_dc) with its
// device (0, 0) at `origin`, limited to `visible_clip` (surface coordinates). Clipping that
// the application selects is intersected with it.
HDC create_surface_dc(Surface* surface, POINT origin, const Region& visible_clip);
BOOL set_surface_dc_origin(HDC dc, POINT origin);
BOOL set_surface_dc_clip(HDC dc, const Region& visible_clip);
// Deletes a DC made by create_surface_dc; FALSE for any other handle.
BOOL release_surface_dc(HDC dc);

// The region behind a region handle, null for anything else. The pointer stays valid until
// the handle is deleted.
Region* region_of(HRGN region);
HRGN create_region_handle(const Region& region);

// The screen's size for HORZRES/VERTRES and the display DC ("DISPLAY"), and the surface that
// the display DC draws into (null: it draws nowhere and its calls fail).
void set_screen_size(int width, int height);
SIZE screen_size();
void set_screen_surface(Surface* surface);

// System colours for the drawing of edges and frame controls; the window manager installs its
// GetSysColor. The default is the classic grey scheme.
using SystemColourSource = COLORREF (*)(int index);
void set_system_colour_source(SystemColourSource source);
COLORREF system_colour(int index);

} // namespace lv::gdi
