// The screen saver's message boxes: texts from the string table, caption "Error".
#pragma once

#include "mfc/mfc.h"

enum SaverStringId : UINT {
    IDS_THEME_TITLE = 128,
    IDS_PREVIEW_STILL = 129,
    IDS_NOT_A_THEME = 130,
    IDS_SOURCE_MISSING = 131,
    IDS_THEME_DAMAGED = 132,
    IDS_THEME_MISSING = 133,
    IDS_NO_SETTINGS_CHANGE = 134,
    IDS_NO_MEDIA_CHANGE = 135,
    IDS_EXTRACT_FAILED = 136,
    IDS_REPLACE_FILE = 139,      // "%s already exists. ..." (a yes/no question)
    IDS_PICTURE_NOT_SAVED = 140, // "The picture could not be saved as %s."
    IDS_FRAME_UNUSABLE = 141,    // "The frame \"%s\" cannot be used: ..."
    IDS_CONFIRM_CAPTION = 1806,
    IDS_ERROR_CAPTION = 1807,
};

CString LoadSaverString(UINT id);

// MessageBox with string `id` as text and "Error" as caption, OK button.
int ShowSaverError(UINT id, HWND owner = nullptr);
