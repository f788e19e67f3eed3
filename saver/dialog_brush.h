// The one background brush of the saver's dialogs: the application makes it at start-up and
// deletes it at its end; every dialog's colour handler hands out the same brush.
#pragma once

#include "mfc/mfc.h"

inline constexpr COLORREF kDialogBackground = 0xFAFAFA;

// The brush, made on first use.
HBRUSH SaverDialogBrush();
// Deletes the brush; a later use makes a new one.
void DeleteSaverDialogBrush();

// The colours of the saver's dialogs, for their WM_CTLCOLOR handlers: the dialog's own face
// (CTLCOLOR_DLG) and the labels on it (statics, check boxes, radio buttons and group boxes ask
// with CTLCOLOR_STATIC) take the shared brush, their text drawn transparent, so that a label
// sits on the colour of its dialog; every other kind keeps `base`.
HBRUSH SaverDialogColor(CDC* dc, UINT ctlColor, HBRUSH base);
