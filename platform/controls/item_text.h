// What the item controls share: stored item texts handed out into callers' buffers, and the
// font and text size they lay their items out with.
#pragma once

#include "win32/gdi.h"

#include <string>

namespace lv::controls {

// Copies `text` into `buffer` of `size` bytes, cut and always terminated; the bytes copied.
int copy_text(const std::string& text, char* buffer, int size);
// The text of a caller's item record (empty for null).
std::string text_from(LPCSTR text);
// The size `text` takes in `font` (the system's when null).
SIZE text_size(HWND hwnd, HFONT font, const std::string& text);
// The height of a line of `font`.
int line_height(HWND hwnd, HFONT font);

} // namespace lv::controls
