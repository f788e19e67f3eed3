// The GDI object wrappers: each owns its handle and deletes it when it goes (or on
// DeleteObject); Attach/Detach move a handle in and out without deleting it.
#pragma once

#include "mfc/geometry.h"

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() { DeleteObject(); }

    BOOL Attach(HGDIOBJ object) {
        if (m_hObject != nullptr || object == nullptr)
            return FALSE;
        m_hObject = object;
        return TRUE;
    }
    HGDIOBJ Detach() {
        HGDIOBJ object = m_hObject;
        m_hObject = nullptr;
        return object;
    }
    BOOL DeleteObject() {
        if (m_hObject == nullptr)
            return FALSE;
        return ::DeleteObject(Detach());
    }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    int GetObject(int size, LPVOID out) const {
        return m_hObject ? ::GetObjectA(m_hObject, size, out) : 0;
    }
    BOOL CreateStockObject(int index) { return Attach(::GetStockObject(index)); }

    HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    BOOL CreatePen(int style, int width, COLORREF colour) {
        return Attach(::CreatePen(style, width, colour));
    }
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
    BOOL CreatePatternBrush(HBITMAP bitmap) { return Attach(::CreatePatternBrush(bitmap)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* brush) { return Attach(::CreateBrushIndirect(brush)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONT* font) { return Attach(::CreateFontIndirectA(font)); }
    int GetLogFont(LOGFONT* font) const {
        return GetObject(static_cast<int>(sizeof(LOGFONT)), font);
    }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

class CBitmap : public CGdiObject {
public:
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height) {
        return Attach(::CreateCompatibleBitmap(dc, width, height));
    }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
        return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    int GetBitmap(BITMAP* bitmap) const {
        return GetObject(static_cast<int>(sizeof(BITMAP)), bitmap);
    }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CRgn : public CGdiObject {
public:
    BOOL CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
    BOOL CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
    BOOL CreateRoundRectRgn(int l, int t, int r, int b, int w, int h) {
        return Attach(::CreateRoundRectRgn(l, t, r, b, w, h));
    }
    BOOL CreateEllipticRgn(int l, int t, int r, int b) {
        return Attach(::CreateEllipticRgn(l, t, r, b));
    }
    BOOL CreatePolygonRgn(const POINT* points, int count, int fillMode) {
        return Attach(::CreatePolygonRgn(points, count, fillMode));
    }
    int CombineRgn(const CRgn* a, const CRgn* b, int mode) {
        return ::CombineRgn(*this, *a, b ? static_cast<HRGN>(*b) : nullptr, mode);
    }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn(*this, dx, dy); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
    BOOL PtInRegion(POINT point) const { return PtInRegion(point.x, point.y); }
    int GetRgnBox(LPRECT rect) const { return ::GetRgnBox(*this, rect); }
    BOOL SetRectRgn(int l, int t, int r, int b) { return ::SetRectRgn(*this, l, t, r, b); }
    operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};
