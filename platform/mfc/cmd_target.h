// CCmdTarget and the message map: a static table per class, chained to its base class's table.
// The ON_* entries (mfc/message_map_entries.h) hold a typed thunk that unpacks the message and
// calls the handler; nothing is cast between member-function types.
#pragma once

#include "win32/win32.h"

class CCmdTarget;

namespace lv::mfc {

// Unpacks one message for one handler. Returns false when the handler declines it (the _EX
// reflections, a reflected colour handler that returns no brush), so handling goes on.
using MessageThunk = bool (*)(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT& result);

} // namespace lv::mfc

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // the window message, WM_COMMAND, WM_NOTIFY or a reflected message
    UINT nCode;    // notification code (WM_COMMAND, WM_NOTIFY), else 0
    UINT nID;      // first control or command id (WM_COMMAND, WM_NOTIFY), else 0
    UINT nLastID;  // last id of the range
    lv::mfc::MessageThunk pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Messages reflected to the child control that sent them: the original number plus this base.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
// The message the ON_WM_CTLCOLOR entries stand under; every WM_CTLCOLOR* message finds them.
constexpr UINT WM_CTLCOLOR = 0x0019;

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Runs the handler of command `nID` with notification `nCode`; FALSE when there is none.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }
};

namespace lv::mfc {

// The first entry for the message along the chain of maps, the most derived class first.
const AFX_MSGMAP_ENTRY* find_message_entry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);

} // namespace lv::mfc

#define DECLARE_MESSAGE_MAP()                                                                      \
protected:                                                                                         \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, 0, nullptr }                                                                        \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};                     \
    return &map;                                                                                   \
    }
