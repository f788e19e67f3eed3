// The caret walk every list-like control shares: arrows, Page Up/Down and Home/End.
#pragma once

#include "win32/window.h"

namespace lv::controls {

// The row `key` moves the caret of a list of `count` rows to, from row `current` (-1 when no row
// has the caret yet: Up and Down then land on the first row). Page keys move by `page` rows. The
// result is a row in the list, or -1 when the list is empty or the key does not walk.
int walked_row(WPARAM key, int current, int page, int count);

} // namespace lv::controls
