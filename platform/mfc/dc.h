// CDC and the window DCs: CPaintDC (BeginPaint/EndPaint), CClientDC (GetDC), CWindowDC
// (GetWindowDC). A CDC made by CreateCompatibleDC deletes its DC; an attached one does not.
#pragma once

#include "mfc/gdi_objects.h"

#include "mfc/cstring.h"

class CWnd;

class CDC {
public:
    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    // A CDC for a handle that someone else owns; valid until the thread's next temporary
    // cleanup, as the handle's owner decides.
    static CDC* FromHandle(HDC dc);

    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();
    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    CGdiObject* SelectStockObject(int index);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }

    COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
    CPoint SetViewportOrg(int x, int y) {
        CPoint previous;
        ::SetViewportOrgEx(m_hDC, x, y, &previous);
        return previous;
    }
    CPoint SetWindowOrg(int x, int y) {
        CPoint previous;
        ::SetWindowOrgEx(m_hDC, x, y, &previous);
        return previous;
    }

    int SelectClipRgn(CRgn* region) {
        return ::SelectClipRgn(m_hDC, region ? static_cast<HRGN>(*region) : nullptr);
    }
    int IntersectClipRect(LPCRECT rect) {
        return ::IntersectClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
    }
    int ExcludeClipRect(LPCRECT rect) {
        return ::ExcludeClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
    }
    int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }

    BOOL BitBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, w, h, source ? source->m_hDC : nullptr, sx, sy, rop);
    }
    BOOL StretchBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, int sw, int sh,
                    DWORD rop) {
        return ::StretchBlt(m_hDC, x, y, w, h, source ? source->m_hDC : nullptr, sx, sy, sw, sh,
                            rop);
    }
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF colour) { return ::SetPixel(m_hDC, x, y, colour); }

    void FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, *brush); }
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int w, int h, COLORREF colour);
    void FrameRect(LPCRECT rect, CBrush* brush) { ::FrameRect(m_hDC, rect, *brush); }
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    BOOL Rectangle(LPCRECT rect) {
        return ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
    }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
    BOOL RoundRect(LPCRECT rect, POINT corner) {
        return ::RoundRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom, corner.x,
                           corner.y);
    }
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
    CPoint MoveTo(int x, int y) {
        CPoint previous;
        ::MoveToEx(m_hDC, x, y, &previous);
        return previous;
    }
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags) {
        return ::DrawEdge(m_hDC, rect, edge, flags);
    }
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state) {
        return ::DrawFrameControl(m_hDC, rect, type, state);
    }
    void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL DrawIcon(POINT point, HICON icon) { return DrawIcon(point.x, point.y, icon); }
    BOOL FillRgn(CRgn* region, CBrush* brush) { return ::FillRgn(m_hDC, *region, *brush); }

    BOOL TextOut(int x, int y, const CString& text) {
        return ::TextOutA(m_hDC, x, y, text, text.GetLength());
    }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text,
                    const INT* widths = nullptr) {
        return ::ExtTextOutA(m_hDC, x, y, options, rect, text, static_cast<UINT>(text.GetLength()),
                             widths);
    }
    int DrawText(const CString& text, LPRECT rect, UINT format) {
        return ::DrawTextA(m_hDC, text, text.GetLength(), rect, format);
    }
    int DrawText(LPCSTR text, int length, LPRECT rect, UINT format) {
        return ::DrawTextA(m_hDC, text, length, rect, format);
    }
    CSize GetTextExtent(const CString& text) const {
        CSize size;
        ::GetTextExtentPoint32A(m_hDC, text, text.GetLength(), &size);
        return size;
    }
    BOOL GetTextMetrics(LPTEXTMETRICA metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }

    HDC m_hDC = nullptr;

protected:
    bool m_owns_dc = false;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd = nullptr;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* wnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};
