// Texts kept in fixed fields and buffers: UTF-8 cut to a number of bytes where no character is
// split in two. The theme file's fixed fields may be filled to their last byte (readers stop at
// a NUL or at the field's end); a buffer that needs its NUL gives one byte less.
#pragma once

#include "mfc/mfc.h"

// The text, cut when it is longer than `maxBytes` where no character is split in two.
CString FitTextBytes(const CString& text, int maxBytes);
