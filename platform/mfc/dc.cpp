#include "mfc/dc.h"

#include "mfc/wnd.h"

#include <memory>
#include <unordered_map>

namespace {

// CDC objects handed out for handles owned elsewhere; one per handle and thread, replaced
// when the handle's DC has gone.
thread_local std::unordered_map<HDC, std::unique_ptr<CDC>> t_temporary_dcs;

// A wrapper around a handle someone else owns: it lets go of the handle instead of deleting it.
template <class Wrapper> struct Borrowed {
    Wrapper object;
    ~Borrowed() { object.Detach(); }
};

// What a selected handle was before, as a wrapper the caller may select back.
template <class Wrapper> Wrapper* previous_object(HGDIOBJ previous) {
    if (previous == nullptr)
        return nullptr;
    thread_local std::unordered_map<HGDIOBJ, std::unique_ptr<Borrowed<Wrapper>>> temporaries;
    auto& slot = temporaries[previous];
    if (!slot) {
        slot = std::make_unique<Borrowed<Wrapper>>();
        slot->object.m_hObject = previous;
    }
    return &slot->object;
}

} // namespace

CDC::~CDC() {
    if (m_owns_dc)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC dc) {
    if (dc == nullptr)
        return nullptr;
    auto& slot = t_temporary_dcs[dc];
    if (!slot)
        slot = std::make_unique<CDC>();
    slot->m_hDC = dc;
    return slot.get();
}

BOOL CDC::Attach(HDC dc) {
    if (m_hDC != nullptr || dc == nullptr)
        return FALSE;
    m_hDC = dc;
    m_owns_dc = false;
    return TRUE;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    m_owns_dc = false;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_hDC != nullptr)
        return FALSE;
    m_hDC = ::CreateCompatibleDC(dc ? dc->m_hDC : nullptr);
    m_owns_dc = m_hDC != nullptr;
    return m_hDC != nullptr;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr)
        return FALSE;
    const BOOL deleted = ::DeleteDC(m_hDC);
    m_hDC = nullptr;
    m_owns_dc = false;
    return deleted;
}

CGdiObject* CDC::SelectStockObject(int index) {
    return previous_object<CGdiObject>(::SelectObject(m_hDC, ::GetStockObject(index)));
}

CPen* CDC::SelectObject(CPen* pen) {
    return previous_object<CPen>(::SelectObject(m_hDC, pen ? pen->m_hObject : nullptr));
}
CBrush* CDC::SelectObject(CBrush* brush) {
    return previous_object<CBrush>(::SelectObject(m_hDC, brush ? brush->m_hObject : nullptr));
}
CFont* CDC::SelectObject(CFont* font) {
    return previous_object<CFont>(::SelectObject(m_hDC, font ? font->m_hObject : nullptr));
}
CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return previous_object<CBitmap>(::SelectObject(m_hDC, bitmap ? bitmap->m_hObject : nullptr));
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF colour) {
    const COLORREF old = ::SetBkColor(m_hDC, colour);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int w, int h, COLORREF colour) {
    const RECT rect{x, y, x + w, y + h};
    FillSolidRect(&rect, colour);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight) {
    const int x = rect->left, y = rect->top;
    const int w = rect->right - rect->left, h = rect->bottom - rect->top;
    FillSolidRect(x, y, w - 1, 1, topLeft);
    FillSolidRect(x, y, 1, h - 1, topLeft);
    FillSolidRect(x + w - 1, y, 1, h, bottomRight);
    FillSolidRect(x, y + h - 1, w, 1, bottomRight);
}

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->GetSafeHwnd()) {
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC() {
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* wnd) : m_hWnd(wnd ? wnd->GetSafeHwnd() : nullptr) {
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC() {
    ::ReleaseDC(m_hWnd, Detach());
}
