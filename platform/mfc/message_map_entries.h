// The ON_* message-map entries and the thunks behind them. Each thunk unpacks the message the
// way the handler's signature wants it and calls the handler through its own member pointer.
// Included by mfc/wnd.h once CWnd and CDC are complete.
#pragma once

namespace lv::mfc {

template <class Member> struct member_class;
template <class C, class R, class... Args> struct member_class<R (C::*)(Args...)> {
    using type = C;
};

template <auto Fn> auto* target_of(CCmdTarget* target) {
    return static_cast<typename member_class<decltype(Fn)>::type*>(target);
}

// A CDC around a DC handle for the length of one handler call.
class BorrowedDC : public CDC {
public:
    explicit BorrowedDC(WPARAM dc) { Attach(reinterpret_cast<HDC>(dc)); }
    ~BorrowedDC() override { Detach(); }
};

inline CWnd* window_of(WPARAM hwnd) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(hwnd));
}
inline CWnd* window_of(LPARAM hwnd) {
    return CWnd::FromHandle(reinterpret_cast<HWND>(hwnd));
}
inline UINT ctl_color_of(UINT message) {
    return message == WM_CTLCOLOR ? 0 : message - WM_CTLCOLORMSGBOX;
}

template <auto Fn> bool thunk_void(CCmdTarget* t, UINT, WPARAM, LPARAM, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)();
    result = 0;
    return true;
}
template <auto Fn> bool thunk_bool_void(CCmdTarget* t, UINT, WPARAM, LPARAM, LRESULT& result) {
    result = 0;
    return (target_of<Fn>(t)->*Fn)() != FALSE;
}
// Range handlers learn which id of the range sent the command.
template <auto Fn>
bool thunk_command_range(CCmdTarget* t, UINT, WPARAM w, LPARAM, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<UINT>(LOWORD(w)));
    result = 0;
    return true;
}
template <auto Fn> bool thunk_create(CCmdTarget* t, UINT, WPARAM, LPARAM l, LRESULT& result) {
    result = (target_of<Fn>(t)->*Fn)(reinterpret_cast<LPCREATESTRUCT>(l));
    return true;
}
template <auto Fn> bool thunk_erase(CCmdTarget* t, UINT, WPARAM w, LPARAM, LRESULT& result) {
    BorrowedDC dc(w);
    result = (target_of<Fn>(t)->*Fn)(&dc);
    return true;
}
template <auto Fn> bool thunk_timer(CCmdTarget* t, UINT, WPARAM w, LPARAM, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<UINT_PTR>(w));
    result = 0;
    return true;
}
template <auto Fn> bool thunk_size(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<UINT>(w), static_cast<SHORT>(LOWORD(l)),
                            static_cast<SHORT>(HIWORD(l)));
    result = 0;
    return true;
}
template <auto Fn> bool thunk_mouse(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<UINT>(w), CPoint(l));
    result = 0;
    return true;
}
template <auto Fn> bool thunk_key(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
    result = 0;
    return true;
}
template <auto Fn>
bool thunk_sys_command(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<UINT>(w), l);
    result = 0;
    return true;
}
template <auto Fn> bool thunk_handle_result(CCmdTarget* t, UINT, WPARAM, LPARAM, LRESULT& result) {
    result = reinterpret_cast<LRESULT>((target_of<Fn>(t)->*Fn)());
    return true;
}
template <auto Fn>
bool thunk_ctl_color(CCmdTarget* t, UINT message, WPARAM w, LPARAM l, LRESULT& result) {
    BorrowedDC dc(w);
    result = reinterpret_cast<LRESULT>(
        (target_of<Fn>(t)->*Fn)(&dc, window_of(l), ctl_color_of(message)));
    return true;
}
template <auto Fn> bool thunk_draw_item(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<int>(w), reinterpret_cast<LPDRAWITEMSTRUCT>(l));
    result = TRUE;
    return true;
}
template <auto Fn>
bool thunk_measure_item(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<int>(w), reinterpret_cast<LPMEASUREITEMSTRUCT>(l));
    result = TRUE;
    return true;
}
template <auto Fn> bool thunk_set_cursor(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    result = (target_of<Fn>(t)->*Fn)(window_of(w), LOWORD(l), HIWORD(l));
    return true;
}
template <auto Fn>
bool thunk_show_window(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(static_cast<BOOL>(w), static_cast<UINT>(l));
    result = 0;
    return true;
}
template <auto Fn> bool thunk_message(CCmdTarget* t, UINT, WPARAM w, LPARAM l, LRESULT& result) {
    result = (target_of<Fn>(t)->*Fn)(w, l);
    return true;
}
template <auto Fn> bool thunk_notify(CCmdTarget* t, UINT, WPARAM, LPARAM l, LRESULT& result) {
    result = 0;
    (target_of<Fn>(t)->*Fn)(reinterpret_cast<NMHDR*>(l), &result);
    return true;
}
template <auto Fn> bool thunk_notify_ex(CCmdTarget* t, UINT, WPARAM, LPARAM l, LRESULT& result) {
    result = 0;
    return (target_of<Fn>(t)->*Fn)(reinterpret_cast<NMHDR*>(l), &result) != FALSE;
}
// A reflected colour handler that gives no brush leaves the colour to the parent.
template <auto Fn>
bool thunk_ctl_color_reflect(CCmdTarget* t, UINT message, WPARAM w, LPARAM, LRESULT& result) {
    BorrowedDC dc(w);
    HBRUSH brush = (target_of<Fn>(t)->*Fn)(&dc, ctl_color_of(message));
    result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}
template <auto Fn>
bool thunk_draw_item_reflect(CCmdTarget* t, UINT, WPARAM, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(reinterpret_cast<LPDRAWITEMSTRUCT>(l));
    result = TRUE;
    return true;
}
template <auto Fn>
bool thunk_measure_item_reflect(CCmdTarget* t, UINT, WPARAM, LPARAM l, LRESULT& result) {
    (target_of<Fn>(t)->*Fn)(reinterpret_cast<LPMEASUREITEMSTRUCT>(l));
    result = TRUE;
    return true;
}

} // namespace lv::mfc

#define LV_MSG_ENTRY(message, code, first, last, thunk)                                            \
    {static_cast<UINT>(message), static_cast<UINT>(code), static_cast<UINT>(first),                \
     static_cast<UINT>(last), thunk},
#define LV_WM_ENTRY(message, thunk, member)                                                        \
    LV_MSG_ENTRY(message, 0, 0, 0, &lv::mfc::thunk<&ThisClass::member>)

// Window messages, with the handler names and signatures of the class library.
#define ON_WM_CREATE() LV_WM_ENTRY(WM_CREATE, thunk_create, OnCreate)
#define ON_WM_DESTROY() LV_WM_ENTRY(WM_DESTROY, thunk_void, OnDestroy)
#define ON_WM_NCDESTROY() LV_WM_ENTRY(WM_NCDESTROY, thunk_void, OnNcDestroy)
#define ON_WM_CLOSE() LV_WM_ENTRY(WM_CLOSE, thunk_void, OnClose)
#define ON_WM_PAINT() LV_WM_ENTRY(WM_PAINT, thunk_void, OnPaint)
#define ON_WM_ERASEBKGND() LV_WM_ENTRY(WM_ERASEBKGND, thunk_erase, OnEraseBkgnd)
#define ON_WM_TIMER() LV_WM_ENTRY(WM_TIMER, thunk_timer, OnTimer)
#define ON_WM_SIZE() LV_WM_ENTRY(WM_SIZE, thunk_size, OnSize)
#define ON_WM_MOUSEMOVE() LV_WM_ENTRY(WM_MOUSEMOVE, thunk_mouse, OnMouseMove)
#define ON_WM_LBUTTONDOWN() LV_WM_ENTRY(WM_LBUTTONDOWN, thunk_mouse, OnLButtonDown)
#define ON_WM_LBUTTONUP() LV_WM_ENTRY(WM_LBUTTONUP, thunk_mouse, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() LV_WM_ENTRY(WM_LBUTTONDBLCLK, thunk_mouse, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() LV_WM_ENTRY(WM_RBUTTONDOWN, thunk_mouse, OnRButtonDown)
#define ON_WM_KEYDOWN() LV_WM_ENTRY(WM_KEYDOWN, thunk_key, OnKeyDown)
#define ON_WM_SYSCOMMAND() LV_WM_ENTRY(WM_SYSCOMMAND, thunk_sys_command, OnSysCommand)
#define ON_WM_QUERYDRAGICON() LV_WM_ENTRY(WM_QUERYDRAGICON, thunk_handle_result, OnQueryDragIcon)
#define ON_WM_CTLCOLOR() LV_WM_ENTRY(WM_CTLCOLOR, thunk_ctl_color, OnCtlColor)
#define ON_WM_DRAWITEM() LV_WM_ENTRY(WM_DRAWITEM, thunk_draw_item, OnDrawItem)
#define ON_WM_MEASUREITEM() LV_WM_ENTRY(WM_MEASUREITEM, thunk_measure_item, OnMeasureItem)
#define ON_WM_SETCURSOR() LV_WM_ENTRY(WM_SETCURSOR, thunk_set_cursor, OnSetCursor)
#define ON_WM_SHOWWINDOW() LV_WM_ENTRY(WM_SHOWWINDOW, thunk_show_window, OnShowWindow)
#define ON_WM_MOUSELEAVE() LV_WM_ENTRY(WM_MOUSELEAVE, thunk_void, OnMouseLeave)

#define ON_MESSAGE(message, member)                                                                \
    LV_MSG_ENTRY(message, 0, 0, 0, &lv::mfc::thunk_message<&ThisClass::member>)

// Commands and control notifications sent to the parent.
#define ON_COMMAND(id, member)                                                                     \
    LV_MSG_ENTRY(WM_COMMAND, 0, id, id, &lv::mfc::thunk_void<&ThisClass::member>)
#define ON_COMMAND_RANGE(first, last, member)                                                      \
    LV_MSG_ENTRY(WM_COMMAND, 0, first, last, &lv::mfc::thunk_command_range<&ThisClass::member>)
#define ON_CONTROL_RANGE(code, first, last, member)                                                \
    LV_MSG_ENTRY(WM_COMMAND, code, first, last, &lv::mfc::thunk_command_range<&ThisClass::member>)
#define ON_CONTROL(code, id, member)                                                               \
    LV_MSG_ENTRY(WM_COMMAND, code, id, id, &lv::mfc::thunk_void<&ThisClass::member>)
#define ON_NOTIFY(code, id, member)                                                                \
    LV_MSG_ENTRY(WM_NOTIFY, code, id, id, &lv::mfc::thunk_notify<&ThisClass::member>)

#define ON_BN_CLICKED(id, member) ON_CONTROL(0, id, member)
#define ON_BN_DOUBLECLICKED(id, member) ON_CONTROL(5, id, member)
#define ON_EN_SETFOCUS(id, member) ON_CONTROL(0x0100, id, member)
#define ON_EN_KILLFOCUS(id, member) ON_CONTROL(0x0200, id, member)
#define ON_EN_CHANGE(id, member) ON_CONTROL(0x0300, id, member)
#define ON_LBN_SELCHANGE(id, member) ON_CONTROL(1, id, member)
#define ON_LBN_DBLCLK(id, member) ON_CONTROL(2, id, member)
#define ON_CBN_SELCHANGE(id, member) ON_CONTROL(1, id, member)

// Reflected to the control that sent them. The _EX forms return TRUE to keep the message from
// the parent; the plain forms always keep it.
#define ON_CONTROL_REFLECT(code, member)                                                           \
    LV_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, &lv::mfc::thunk_void<&ThisClass::member>)
#define ON_CONTROL_REFLECT_EX(code, member)                                                        \
    LV_MSG_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0,                                         \
                 &lv::mfc::thunk_bool_void<&ThisClass::member>)
#define ON_NOTIFY_REFLECT(code, member)                                                            \
    LV_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0,                                          \
                 &lv::mfc::thunk_notify<&ThisClass::member>)
#define ON_NOTIFY_REFLECT_EX(code, member)                                                         \
    LV_MSG_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0,                                          \
                 &lv::mfc::thunk_notify_ex<&ThisClass::member>)
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    LV_WM_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, thunk_ctl_color_reflect, CtlColor)
#define ON_WM_DRAWITEM_REFLECT()                                                                   \
    LV_WM_ENTRY(WM_REFLECT_BASE + WM_DRAWITEM, thunk_draw_item_reflect, DrawItem)
#define ON_WM_MEASUREITEM_REFLECT()                                                                \
    LV_WM_ENTRY(WM_REFLECT_BASE + WM_MEASUREITEM, thunk_measure_item_reflect, MeasureItem)
