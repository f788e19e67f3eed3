#include "mfc/cmd_target.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode) {
    const AFX_MSGMAP_ENTRY* entry =
        lv::mfc::find_message_entry(GetMessageMap(), WM_COMMAND, static_cast<UINT>(nCode), nID);
    if (entry == nullptr)
        return FALSE;
    LRESULT ignored = 0;
    const WPARAM wParam = MAKELONG(nID, nCode);
    return entry->pfn(this, WM_COMMAND, wParam, 0, ignored) ? TRUE : FALSE;
}

namespace lv::mfc {

const AFX_MSGMAP_ENTRY* find_message_entry(const AFX_MSGMAP* map, UINT message, UINT code,
                                           UINT id) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn != nullptr; ++entry) {
            if (entry->nMessage == message && entry->nCode == code && id >= entry->nID &&
                id <= entry->nLastID)
                return entry;
        }
    }
    return nullptr;
}

} // namespace lv::mfc
