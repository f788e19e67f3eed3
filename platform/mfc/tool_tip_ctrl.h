// CToolTipCtrl: the tool-tip control of a window, with its tools.
#pragma once

#include "mfc/wnd.h"

class CToolTipCtrl : public CWnd {
public:
    CToolTipCtrl() = default;
    ~CToolTipCtrl() override = default;

    // The popup, owned by `parent`'s window.
    using CWnd::Create;
    BOOL Create(CWnd* parent, DWORD style = 0);
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    // Without a rectangle and an id the whole window is the tool; else `rect` (client
    // coordinates of `wnd`) with the caller's id.
    BOOL AddTool(CWnd* wnd, LPCTSTR text, LPCRECT rect = nullptr, UINT_PTR toolId = 0);
    void RelayEvent(LPMSG msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
    void Pop() { SendMessage(TTM_POP); }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }
    void SetDelayTime(UINT delay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, delay); }
};
