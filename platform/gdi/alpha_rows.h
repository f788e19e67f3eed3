// The constant-alpha blend of AlphaBlend over one row: d = (s * a + d * (255 - a)) / 255 per
// byte, rounded, in 16-bit lanes (the widths the processor multiplies natively), on the widest
// vectors the running processor has.
#pragma once

#include "gdi/surface.h"

namespace lv::gdi {

// Blends `count` pixels of `in` into `out` with the constant alpha `alpha` (0..255).
void blend_constant_row(const Pixel* in, Pixel* out, int count, unsigned alpha);

} // namespace lv::gdi
