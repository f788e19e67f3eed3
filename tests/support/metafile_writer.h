// Small writers of Windows and enhanced metafiles for the tests: records are added one by one
// (the WMF ones with their parameters in file order, last argument first, as the format keeps
// them) and the file is finished with its header and end record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lvtest {

using MetaBytes = std::vector<std::uint8_t>;

// A bottom-up 24-bit DIB (40-byte header, then rows) whose pixel (x, y from the top) is
// colour(x, y) as 0x00RRGGBB.
MetaBytes Dib24(int width, int height, std::uint32_t (*colour)(int x, int y));

class WmfWriter {
public:
    // Any record: the function number and its 16-bit parameter words as stored.
    void Record(std::uint16_t function, const std::vector<std::int16_t>& words,
                const MetaBytes& tail = {});

    void SetMapMode(int mode) { Record(0x0103, {static_cast<std::int16_t>(mode)}); }
    void SetWindowOrg(int x, int y) { Record(0x020B, {s(y), s(x)}); }
    void SetWindowExt(int w, int h) { Record(0x020C, {s(h), s(w)}); }
    void SetBkMode(int mode) { Record(0x0102, {s(mode)}); }
    void SetTextColor(std::uint32_t colorref) { Record(0x0209, Colour(colorref)); }
    void SetTextAlign(int align) { Record(0x012E, {s(align), 0}); }
    void SaveDc() { Record(0x001E, {}); }
    void RestoreDc(int level) { Record(0x0127, {s(level)}); }
    // Objects take the lowest free slot of the table, as in the format.
    void CreatePen(int style, int width, std::uint32_t colorref);
    void CreateBrush(int style, std::uint32_t colorref);
    void AddFont(int height, const std::string& face);
    void CreatePalette() { Record(0x00F7, {0x300, 0}); }
    void SelectObject(int slot) { Record(0x012D, {s(slot)}); }
    void DeleteObject(int slot) { Record(0x01F0, {s(slot)}); }
    void Rectangle(int l, int t, int r, int b) { Record(0x041B, {s(b), s(r), s(t), s(l)}); }
    void Ellipse(int l, int t, int r, int b) { Record(0x0418, {s(b), s(r), s(t), s(l)}); }
    void Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2) {
        Record(0x081A, {s(y2), s(x2), s(y1), s(x1), s(b), s(r), s(t), s(l)});
    }
    void MoveTo(int x, int y) { Record(0x0214, {s(y), s(x)}); }
    void LineTo(int x, int y) { Record(0x0213, {s(y), s(x)}); }
    void Polygon(const std::vector<std::pair<int, int>>& points);
    void PolyPolygon(const std::vector<std::vector<std::pair<int, int>>>& polygons);
    void Text(int x, int y, const std::string& text);
    void StretchDib(int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                    const MetaBytes& dib);

    // The standard metafile (18-byte header, records, end record).
    MetaBytes Bytes() const;
    // Behind a 22-byte placeable header with the box in metafile units.
    MetaBytes Placeable(int left, int top, int right, int bottom, int unitsPerInch,
                        bool rightChecksum = true) const;

    static std::int16_t s(int v) { return static_cast<std::int16_t>(v); }
    static std::vector<std::int16_t> Colour(std::uint32_t colorref) {
        return {s(static_cast<int>(colorref & 0xFFFF)), s(static_cast<int>(colorref >> 16))};
    }

private:
    int TakeSlot();
    MetaBytes m_records;
    std::vector<bool> m_used;
    std::uint32_t m_largest = 0;
};

class EmfWriter {
public:
    // bounds in reference pixels; the reference device is 1000 x 1000 pixels on 100 x 100 mm,
    // so one pixel is 0.1 mm and the frame is the bounds x 10 (in 0.01 mm).
    EmfWriter(int left, int top, int right, int bottom);

    // Any record: type and 32-bit fields after the size.
    void Record(std::uint32_t type, const std::vector<std::int32_t>& fields,
                const MetaBytes& tail = {});

    void SetMapMode(int mode) { Record(17, {mode}); }
    void SetWindowExt(int w, int h) { Record(9, {w, h}); }
    void SetWindowOrg(int x, int y) { Record(10, {x, y}); }
    void SetViewportExt(int w, int h) { Record(11, {w, h}); }
    void SetViewportOrg(int x, int y) { Record(12, {x, y}); }
    void SetBkMode(int mode) { Record(18, {mode}); }
    void SetTextColor(std::uint32_t colorref) { Record(24, {static_cast<std::int32_t>(colorref)}); }
    void SaveDc() { Record(33, {}); }
    void RestoreDc(int level) { Record(34, {level}); }
    void CreatePen(int slot, int style, int width, std::uint32_t colorref) {
        Record(38, {slot, style, width, 0, static_cast<std::int32_t>(colorref)});
    }
    void CreateBrush(int slot, int style, std::uint32_t colorref) {
        Record(39, {slot, style, static_cast<std::int32_t>(colorref), 0});
    }
    void AddFont(int slot, int height, const std::u16string& face);
    void SelectObject(std::uint32_t slot) { Record(37, {static_cast<std::int32_t>(slot)}); }
    void DeleteObject(int slot) { Record(40, {slot}); }
    void Rectangle(int l, int t, int r, int b) { Record(43, {l, t, r, b}); }
    void Ellipse(int l, int t, int r, int b) { Record(42, {l, t, r, b}); }
    void Polyline16(const std::vector<std::pair<int, int>>& points);
    // Path brackets and what is done with the path; `bounds` fields are written as zeros.
    void BeginPath() { Record(59, {}); }
    void EndPath() { Record(60, {}); }
    void CloseFigure() { Record(61, {}); }
    void FillPath() { Record(62, {0, 0, 0, 0}); }
    void StrokeAndFillPath() { Record(63, {0, 0, 0, 0}); }
    void StrokePath() { Record(64, {0, 0, 0, 0}); }
    void SelectClipPath(int mode) { Record(67, {mode}); }
    void MoveTo(int x, int y) { Record(27, {x, y}); }
    void LineTo(int x, int y) { Record(54, {x, y}); }
    void ExtTextOutW(int x, int y, const std::u16string& text);
    void StretchDiBits(int x, int y, int w, int h, int sx, int sy, int sw, int sh,
                       const MetaBytes& dib);
    // blend: the blend function's four bytes, operation in the lowest.
    void AlphaBlend(int x, int y, int w, int h, int sx, int sy, int sw, int sh, std::uint32_t blend,
                    const MetaBytes& dib);

    MetaBytes Bytes() const;
    int Records() const { return m_count; }

private:
    int m_left, m_top, m_right, m_bottom;
    MetaBytes m_records;
    int m_count = 0;
};

} // namespace lvtest
