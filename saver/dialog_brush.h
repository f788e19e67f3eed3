// The one background brush of the saver's dialogs: the application makes it at start-up and
// deletes it at its end; every dialog's colour handler hands out the same brush.
#pragma once

#include "mfc/mfc.h"

inline constexpr COLORREF kDialogBackground = 0xFAFAFA;

// The brush, made on first use.
HBRUSH SaverDialogBrush();
// Deletes the brush; a later use makes a new one.
void DeleteSaverDialogBrush();
