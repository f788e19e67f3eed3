// Texts kept in the fixed fields of the theme file, which hold UTF-8 text and its NUL.
#pragma once

#include "mfc/mfc.h"

// The text as a field of `fieldSize` bytes holds it: cut, when it is longer, where no
// character is split in two.
CString FitTextField(const CString& text, int fieldSize);
