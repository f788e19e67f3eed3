#include "saver/saver_messages.h"

CString LoadSaverString(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

int ShowSaverError(UINT id, HWND owner) {
    CString text = LoadSaverString(id);
    CString caption = LoadSaverString(IDS_ERROR_CAPTION);
    return MessageBoxA(owner, text, caption, MB_OK);
}
