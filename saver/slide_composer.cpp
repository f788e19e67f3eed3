#include "saver/slide_composer.h"

#include "saver/folder_utils.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr PxRgbQuad kMagenta{255, 0, 255, 0};

// One gradient step: each component c1 + (c2 - c1) * k / d, truncating, kept to its byte.
// Divisors below 1 (canvases too narrow for the kind) count as 1, and a step below 0 (the
// mirrored kinds' far edge) as 0, so every canvas draws.
COLORREF GradientColor(COLORREF c1, COLORREF c2, int k, int d) {
    d = std::max(d, 1);
    k = std::max(k, 0);
    auto mix = [&](int a, int b) { return static_cast<BYTE>((a + (b - a) * k / d) & 0xFF); };
    return RGB(mix(GetRValue(c1), GetRValue(c2)), mix(GetGValue(c1), GetGValue(c2)),
               mix(GetBValue(c1), GetBValue(c2)));
}

void FillRow(PxImage& canvas, LONG row, COLORREF colour) {
    BYTE* p = canvas.GetBits(static_cast<DWORD>(row));
    if (!p)
        return;
    for (DWORD x = 0; x < canvas.GetWidth(); ++x, p += 3) {
        p[0] = GetBValue(colour);
        p[1] = GetGValue(colour);
        p[2] = GetRValue(colour);
    }
}

// Every stored row of a 24-bit image takes the pixels of its row 0.
void RepeatFirstRow(PxImage& canvas) {
    const BYTE* first = canvas.GetBits(0);
    if (!first)
        return;
    const std::size_t bytes = static_cast<std::size_t>(canvas.GetWidth()) * 3;
    for (DWORD y = 1; y < canvas.GetHeight(); ++y)
        std::memcpy(canvas.GetBits(y), first, bytes);
}

// The whole of a 24-bit image in one colour.
void FillImage(PxImage& canvas, COLORREF colour) {
    FillRow(canvas, 0, colour);
    RepeatFirstRow(canvas);
}

// Columns of a colour each, from the left: `colour` gives the colour of column x.
template <typename Colour> void FillColumns(PxImage& canvas, Colour colour) {
    BYTE* p = canvas.GetBits(0);
    if (!p)
        return;
    for (LONG x = 0; x < static_cast<LONG>(canvas.GetWidth()); ++x, p += 3) {
        const COLORREF c = colour(x);
        p[0] = GetBValue(c);
        p[1] = GetGValue(c);
        p[2] = GetRValue(c);
    }
    RepeatFirstRow(canvas);
}

// Mirrored step of kinds 1 and 3: rising to the middle, falling back after it.
int MirroredStep(int i, int half) {
    return i < half ? i : (half - 1) - (i - (half - 1));
}

// Concentric ellipses drawn by the platform into a section, copied row for row, so the
// canvas holds the drawing as its stored rows (upside down on screen, as the others).
void PaintEllipses(PxImage& canvas, COLORREF c1, COLORREF c2) {
    const LONG w = static_cast<LONG>(canvas.GetWidth()), h = static_cast<LONG>(canvas.GetHeight());
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        DeleteDC(dc);
        return;
    }
    HGDIOBJ old = SelectObject(dc, section);
    RECT all{0, 0, w, h};
    HBRUSH first = CreateSolidBrush(c1);
    FillRect(dc, &all, first);
    DeleteObject(first);
    const int d = w / 4;
    if (d >= 1) {
        for (int k = 0;; ++k) {
            COLORREF c = GradientColor(c1, c2, k, d);
            HBRUSH brush = CreateSolidBrush(c);
            HPEN pen = CreatePen(PS_SOLID, 1, c);
            HGDIOBJ oldBrush = SelectObject(dc, brush);
            HGDIOBJ oldPen = SelectObject(dc, pen);
            Ellipse(dc, k, k, w - k, h - k);
            SelectObject(dc, oldPen);
            SelectObject(dc, oldBrush);
            DeleteObject(pen);
            DeleteObject(brush);
            if (!(k + 1 < (w - 2 * k) / 4))
                break;
        }
    }
    GdiFlush();
    const auto* pixels = static_cast<const BYTE*>(bits);
    for (LONG y = 0; y < h; ++y) {
        const BYTE* src = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(w) * 4;
        BYTE* dst = canvas.GetBits(static_cast<DWORD>(y));
        for (LONG x = 0; x < w; ++x) {
            dst[x * 3] = src[x * 4];
            dst[x * 3 + 1] = src[x * 4 + 1];
            dst[x * 3 + 2] = src[x * 4 + 2];
        }
    }
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
}

// "w h" split at the last space.
SIZE ParsePiece(const CString& text) {
    int space = text.ReverseFind(' ');
    if (space < 0)
        return SIZE{std::max(0, std::atoi(text)), 0};
    return SIZE{std::max(0, std::atoi(text.Left(space))),
                std::max(0, std::atoi(text.Mid(space + 1)))};
}

struct FramePieces {
    SIZE ul, um, ur, cl, cr, bl, bm, br, extra;
};

FramePieces ParsePieces(const FrameSettingsValues& f) {
    return {ParsePiece(f.upleft), ParsePiece(f.upmid),   ParsePiece(f.upright),
            ParsePiece(f.ctleft), ParsePiece(f.ctright), ParsePiece(f.btleft),
            ParsePiece(f.btmid),  ParsePiece(f.btright), ParsePiece(f.extraspace)};
}

// Every piece is cut from the frame picture, so none can be larger than it; a record that
// says otherwise is damaged.
bool PiecesFitFramePicture(const FramePieces& p, const PxImage& f) {
    const LONG fw = static_cast<LONG>(f.GetWidth()), fh = static_cast<LONG>(f.GetHeight());
    for (const SIZE& piece : {p.ul, p.um, p.ur, p.cl, p.cr, p.bl, p.bm, p.br})
        if (piece.cx > fw || piece.cy > fh)
            return false;
    return true;
}

using Rgb = std::array<BYTE, 3>; // blue, green, red as rows store them

bool IsMagenta(const Rgb& c) {
    return c == Rgb{kMagenta.rgbBlue, kMagenta.rgbGreen, kMagenta.rgbRed};
}

// A line of a piece placed `length` times one pixel apart, each placement covering the ones
// before it: position i of the result shows, of the placements that reach it, the last one
// that is not transparent there, that is the first such pixel of the line from index
// i - length + 1 on. Each position is worked out once.
std::vector<Rgb> TileLine(const std::vector<Rgb>& line, LONG length) {
    const LONG n = static_cast<LONG>(line.size());
    // nextOpaque[c]: the first index from c on that is not transparent (n: none).
    std::vector<LONG> nextOpaque(static_cast<std::size_t>(n) + 1, n);
    for (LONG c = n - 1; c >= 0; --c)
        nextOpaque[c] = IsMagenta(line[c]) ? nextOpaque[c + 1] : c;
    std::vector<Rgb> out(static_cast<std::size_t>(length + n - 1),
                         Rgb{kMagenta.rgbBlue, kMagenta.rgbGreen, kMagenta.rgbRed});
    for (LONG i = 0; i < length + n - 1; ++i) {
        const LONG first = nextOpaque[std::max<LONG>(0, i - length + 1)];
        if (first <= std::min(n - 1, i))
            out[i] = line[first];
    }
    return out;
}

// A piece of the frame picture, cut with its rectangle (from the top), magenta transparent.
class Piece {
public:
    Piece(const PxImage& frame, LONG x0, LONG y0, LONG x1, LONG y1) {
        LONG w = x1 - x0, h = y1 - y0;
        if (w <= 0 || h <= 0 || !m_image.Create(w, h, 24, PXIMAGE_FORMAT_PNG))
            return;
        // What the frame picture leaves see-through, and what lies outside it, stays
        // transparent in the piece.
        FillImage(m_image, RGB(kMagenta.rgbRed, kMagenta.rgbGreen, kMagenta.rgbBlue));
        m_image.BlendFrom(frame, x0, y0, x1, y1, 0, 0);
        MarkTransparent();
    }
    bool ok() const { return m_image.IsValid(); }
    LONG width() const { return static_cast<LONG>(m_image.GetWidth()); }
    LONG height() const { return static_cast<LONG>(m_image.GetHeight()); }
    void Resize(LONG w, LONG h) {
        if (ok() && w > 0 && h > 0 && (w != width() || h != height())) {
            m_image.Resample(w, h, 1);
            MarkTransparent();
        }
    }
    void PlaceOn(PxImage& target, LONG x, LONG y) const {
        if (ok())
            target.BlendFromEx(m_image, 0, 0, width(), height(), x, y);
    }
    // The piece placed `length` times one pixel apart as one picture: across from the left,
    // later placements to the right covering earlier ones, or (`upward`) down a run from its
    // bottom, later placements higher up covering earlier ones.
    Piece Tiled(LONG length, bool upward) const {
        Piece run;
        const LONG w = width(), h = height();
        const LONG rw = upward ? w : length + w - 1, rh = upward ? length + h - 1 : h;
        if (!ok() || length <= 0 || !run.m_image.Create(rw, rh, 24, PXIMAGE_FORMAT_PNG))
            return run;
        // Pixel (x, y) from the top of an image of height `height`.
        const auto at = [](const PxImage& image, LONG x, LONG y) {
            return image.GetBits(image.GetHeight() - 1 - static_cast<DWORD>(y)) + 3 * x;
        };
        const LONG lines = upward ? w : h, count = upward ? h : w;
        std::vector<Rgb> line(static_cast<std::size_t>(count));
        for (LONG k = 0; k < lines; ++k) {
            // Down a run the last placement is the highest one: read the column upward.
            for (LONG i = 0; i < count; ++i) {
                const BYTE* p = upward ? at(m_image, k, count - 1 - i) : at(m_image, i, k);
                line[i] = Rgb{p[0], p[1], p[2]};
            }
            const std::vector<Rgb> tiled = TileLine(line, length);
            const LONG span = static_cast<LONG>(tiled.size());
            for (LONG i = 0; i < span; ++i) {
                BYTE* p = upward ? at(run.m_image, k, span - 1 - i) : at(run.m_image, i, k);
                std::copy(tiled[i].begin(), tiled[i].end(), p);
            }
        }
        run.MarkTransparent();
        return run;
    }

private:
    Piece() = default;
    void MarkTransparent() {
        m_image.SetTransIndex(0);
        m_image.SetTransColor(kMagenta);
    }
    PxImage m_image;
};

// Places an edge piece along a run: stretched to `length`, or tiled one pixel apart.
void PlaceHorizontal(PxImage& g, Piece piece, LONG x, LONG y, LONG length, bool stretch,
                     bool tileAllowed) {
    if (!piece.ok() || length <= 0)
        return;
    if (stretch) {
        piece.Resize(length, piece.height());
        piece.PlaceOn(g, x, y);
        return;
    }
    if (tileAllowed)
        piece.Tiled(length, false).PlaceOn(g, x, y);
}

void PlaceVertical(PxImage& g, Piece piece, LONG x, LONG top, LONG length, bool stretch,
                   bool tileAllowed) {
    if (!piece.ok() || length <= 0)
        return;
    if (stretch) {
        piece.Resize(piece.width(), length);
        piece.PlaceOn(g, x, top);
        return;
    }
    // Tiles go upward from the bottom of the run, later ones covering earlier ones.
    if (tileAllowed)
        piece.Tiled(length, true).PlaceOn(g, x, top);
}

void PlaceSideBars(PxImage& g, const PxImage& f, const FramePieces& p, bool stretch) {
    const LONG gw = static_cast<LONG>(g.GetWidth()), gh = static_cast<LONG>(g.GetHeight());
    const LONG fw = static_cast<LONG>(f.GetWidth()), fh = static_cast<LONG>(f.GetHeight());
    const LONG leftRun = gh - p.bl.cy - p.ul.cy;
    const LONG rightRun = gh - p.br.cy - p.ur.cy;
    const bool tall = gh >= fh;
    PlaceVertical(g, Piece(f, 0, p.ul.cy, p.cl.cx, p.ul.cy + p.cl.cy), 0, p.ul.cy, leftRun, stretch,
                  tall);
    PlaceVertical(g, Piece(f, fw - p.cr.cx, p.ur.cy, fw, p.ur.cy + p.cr.cy), gw - p.br.cx, p.ur.cy,
                  rightRun, stretch, tall);
}

void PlaceCorners(PxImage& g, const PxImage& f, const FramePieces& p) {
    const LONG gw = static_cast<LONG>(g.GetWidth()), gh = static_cast<LONG>(g.GetHeight());
    const LONG fh = static_cast<LONG>(f.GetHeight());
    Piece(f, 0, 0, p.ul.cx, p.ul.cy).PlaceOn(g, 0, 0);
    Piece(f, p.ul.cx + p.um.cx, 0, p.ul.cx + p.um.cx + p.ur.cx, p.ul.cy)
        .PlaceOn(g, gw - p.ur.cx, 0);
    Piece(f, 0, fh - p.bl.cy, p.bl.cx, fh).PlaceOn(g, 0, gh - p.bl.cy);
    const LONG brRight = p.bl.cx + p.bm.cx + p.br.cx, brBottom = p.br.cy + p.cr.cy + p.ur.cy;
    Piece(f, brRight - p.br.cx, brBottom - p.br.cy, brRight, brBottom)
        .PlaceOn(g, gw - p.br.cx, gh - p.br.cy);
}

void PlaceFrameType0(PxImage& g, const PxImage& f, const FramePieces& p, bool stretch) {
    const LONG gw = static_cast<LONG>(g.GetWidth()), gh = static_cast<LONG>(g.GetHeight());
    const LONG fw = static_cast<LONG>(f.GetWidth()), fh = static_cast<LONG>(f.GetHeight());
    const bool wide = gw >= fw;
    Piece(f, 0, 0, p.ul.cx, p.ul.cy).PlaceOn(g, 0, 0);
    PlaceHorizontal(g, Piece(f, p.ul.cx, 0, p.ul.cx + p.um.cx, p.um.cy), p.ul.cx, 0,
                    gw - p.ur.cx - p.ul.cx, stretch, wide);
    Piece(f, p.ul.cx + p.um.cx, 0, p.ul.cx + p.um.cx + p.ur.cx, p.ul.cy)
        .PlaceOn(g, gw - p.ur.cx, 0);
    PlaceSideBars(g, f, p, stretch);
    Piece(f, 0, fh - p.bl.cy, p.bl.cx, fh).PlaceOn(g, 0, gh - p.bl.cy);
    PlaceHorizontal(g,
                    Piece(f, p.bl.cx, fh - p.bm.cy, p.bl.cx + p.bm.cx, p.bm.cy + p.cl.cy + p.ul.cy),
                    p.bl.cx, gh - p.bl.cy, gw - p.br.cx - p.bl.cx, stretch, wide);
    const LONG brRight = p.bl.cx + p.bm.cx + p.br.cx, brBottom = p.br.cy + p.cr.cy + p.ur.cy;
    Piece(f, brRight - p.br.cx, brBottom - p.br.cy, brRight, brBottom)
        .PlaceOn(g, gw - p.br.cx, gh - p.br.cy);
}

void PlaceFrameType1(PxImage& g, const PxImage& f, const FramePieces& p, bool stretch) {
    const LONG gw = static_cast<LONG>(g.GetWidth()), gh = static_cast<LONG>(g.GetHeight());
    const bool tile = gw >= static_cast<LONG>(f.GetWidth()) && gw >= 1;
    Piece top(f, 0, 0, p.um.cx, p.um.cy);
    Piece bottom(f, 0, p.um.cy, p.bm.cx, p.um.cy + p.bm.cy);
    if (stretch) {
        top.Resize(gw, top.height());
        top.PlaceOn(g, 0, 0);
        bottom.Resize(gw, bottom.height());
        bottom.PlaceOn(g, p.bl.cx, gh - p.bm.cy);
        return;
    }
    if (!tile)
        return;
    for (LONG k = 0; top.ok() && k * p.um.cx < gw; ++k)
        top.PlaceOn(g, k * p.um.cx, 0);
    for (LONG k = 0; bottom.ok() && k * p.bm.cx < gw; ++k)
        bottom.PlaceOn(g, p.bl.cx + k * p.bm.cx, gh - p.bm.cy);
}

bool LoadFramePicture(const FrameSettingsValues& frame, PxImage& f) {
    return f.Load(frame.framePicturePath, PXIMAGE_FORMAT_PNG) ||
           f.Load(frame.framePicturePath, PXIMAGE_FORMAT_UNKNOWN);
}

bool BuildPngFramed(const char* picturePath, const FrameSettingsValues& frame, PxImage& g) {
    PxImage picture, f;
    if (!picture.Load(picturePath, PXIMAGE_FORMAT_UNKNOWN) || !LoadFramePicture(frame, f))
        return false;
    const FramePieces p = ParsePieces(frame);
    if (!PiecesFitFramePicture(p, f))
        return false;
    const LONG pw = static_cast<LONG>(picture.GetWidth()),
               ph = static_cast<LONG>(picture.GetHeight());
    if (!g.Create(pw + p.extra.cx, ph + p.extra.cy, 24, PXIMAGE_FORMAT_PNG))
        return false;
    FillImage(g, RGB(kMagenta.rgbRed, kMagenta.rgbGreen, kMagenta.rgbBlue));
    g.SetTransIndex(0);
    g.SetTransColor(kMagenta);
    g.BlendFromEx(picture, 0, 0, pw, ph, p.extra.cx / 2, p.extra.cy / 2);
    const bool stretch = frame.stretch_mode != 0;
    switch (frame.type) {
    case 0:
        PlaceFrameType0(g, f, p, stretch);
        break;
    case 1:
        PlaceFrameType1(g, f, p, stretch);
        break;
    case 2:
        PlaceSideBars(g, f, p, stretch);
        break;
    case 3:
        PlaceCorners(g, f, p);
        break;
    case 4:
        if (f.Resample(static_cast<LONG>(g.GetWidth()), static_cast<LONG>(g.GetHeight()), 1))
            g.BlendFromEx(f, 0, 0, static_cast<LONG>(f.GetWidth()),
                          static_cast<LONG>(f.GetHeight()), 0, 0);
        break;
    default:
        break;
    }
    return true;
}

// BMP frames: pixels copied from the frame picture, told from the top-left (y from the top).
bool BuildBmpFramed(const char* picturePath, const FrameSettingsValues& frame, PxImage& g) {
    PxImage picture, f;
    if (!picture.Load(picturePath, PXIMAGE_FORMAT_UNKNOWN) ||
        !f.Load(frame.framePicturePath, PXIMAGE_FORMAT_UNKNOWN))
        return false;
    const FramePieces p = ParsePieces(frame);
    if (!PiecesFitFramePicture(p, f))
        return false;
    const LONG pw = static_cast<LONG>(picture.GetWidth()),
               ph = static_cast<LONG>(picture.GetHeight());
    if (!g.Create(pw + p.extra.cx, ph + p.extra.cy, 24, PXIMAGE_FORMAT_BMP))
        return false;
    g.Clear(0);
    const LONG gw = static_cast<LONG>(g.GetWidth()), gh = static_cast<LONG>(g.GetHeight());
    const LONG fw = static_cast<LONG>(f.GetWidth()), fh = static_cast<LONG>(f.GetHeight());
    // Pixel (x, y) from the top of F onto (X, Y) from the top of G.
    auto copy = [&](LONG X, LONG Y, LONG x, LONG y) {
        if (x < 0 || y < 0 || x >= fw || y >= fh || X < 0 || Y < 0 || X >= gw || Y >= gh)
            return;
        g.SetPixelColor(X, gh - 1 - Y, f.GetPixelColor(x, fh - 1 - y));
    };
    for (LONG y = 0; y <= p.ul.cy - 2; ++y)
        for (LONG x = 0; x < p.ul.cx; ++x)
            copy(x, y, x, y);
    for (LONG y = 0; y <= p.ur.cy - 2; ++y)
        for (LONG i = 1; i < p.ur.cx; ++i)
            copy(gw - i, y, fw - i, y);
    for (LONG j = 1; j <= p.bl.cy; ++j)
        for (LONG x = 0; x < p.bl.cx; ++x)
            copy(x, gh - j, x, fh - j);
    for (LONG j = 1; j <= p.br.cy; ++j)
        for (LONG i = 1; i < p.br.cx; ++i)
            copy(gw - i, gh - j, fw - i, fh - j);
    if (fw < gw) {
        for (LONG x = p.ul.cx; x <= gw - p.ur.cx; ++x)
            for (LONG y = 0; y <= p.um.cy - 2; ++y)
                copy(x, y, p.ul.cx, y);
        if (p.bm.cy > 0)
            for (LONG x = p.bl.cx; x <= gw - p.br.cx; ++x)
                for (LONG j = 1; j <= p.bm.cy; ++j)
                    copy(x, gh - j, p.bl.cx, fh - j);
    }
    if (fh < gh) {
        if (p.cl.cx > 0)
            for (LONG y = p.ul.cy - 1; y <= gh - p.bl.cy - 1; ++y)
                for (LONG x = 0; x < p.cl.cx; ++x)
                    copy(x, y, x, p.ul.cy - 1);
        if (p.cr.cx > 0)
            for (LONG y = p.ur.cy - 1; y <= gh - p.br.cy - 1; ++y)
                for (LONG i = 1; i <= p.cr.cx; ++i)
                    copy(gw - i, y, fw - i, p.ur.cy - 1);
    }
    PasteSlideImage(g, picture, p.extra.cx / 2, p.extra.cy / 2);
    return true;
}

int LibraryRandom() {
    return std::rand();
}

void LibrarySeed(unsigned value) {
    std::srand(value);
}

} // namespace

void PaintSlideBackground(PxImage& canvas, const SaverSettingsValues& s) {
    const LONG w = static_cast<LONG>(canvas.GetWidth()), h = static_cast<LONG>(canvas.GetHeight());
    if (s.backgroundMode == 0) {
        FillImage(canvas, s.solidColor);
        return;
    }
    if (s.backgroundMode != 1)
        return;
    const COLORREF c1 = s.gradientStartColor, c2 = s.gradientEndColor;
    switch (s.gradientKind) {
    case 0:
        FillColumns(canvas, [&](LONG x) { return GradientColor(c1, c2, x, w); });
        break;
    case 1:
        FillColumns(canvas,
                    [&](LONG x) { return GradientColor(c1, c2, MirroredStep(x, w / 2), w / 2); });
        break;
    case 2:
        for (LONG y = 0; y < h; ++y)
            FillRow(canvas, y, GradientColor(c1, c2, y, w));
        break;
    case 3:
        for (LONG y = 0; y < h; ++y)
            FillRow(canvas, y, GradientColor(c1, c2, MirroredStep(y, h / 2), w / 2));
        break;
    case 4: {
        // Rectangle k covers the pixels at least k from every edge; the last drawn wins.
        int last = 0;
        while (3 * last + 1 < h)
            ++last;
        std::vector<COLORREF> colours(static_cast<std::size_t>(last) + 1);
        for (int k = 0; k <= last; ++k)
            colours[static_cast<std::size_t>(k)] = GradientColor(c1, c2, k, w / 3);
        for (LONG y = 0; y < h; ++y) {
            BYTE* p = canvas.GetBits(static_cast<DWORD>(y));
            for (LONG x = 0; x < w; ++x, p += 3) {
                int k = static_cast<int>(std::min({x, y, w - 1 - x, h - 1 - y}));
                COLORREF c = colours[static_cast<std::size_t>(std::min(k, last))];
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
            }
        }
        break;
    }
    case 5:
        PaintEllipses(canvas, c1, c2);
        break;
    default:
        break;
    }
}

int ChooseSlideIndex(int current, int order, int count, const std::function<int()>& random) {
    if (count <= 0)
        return -1;
    int index = current;
    switch (order) {
    case 0:
        if (index >= count || index < 0)
            index = 0;
        return index;
    case 1:
        if (index < 0 || index >= count)
            index = count - 1;
        return index;
    case 2:
        if (count == 1)
            return 0;
        do {
            index = random() % count;
        } while (index == current);
        break;
    default:
        index = random() % count;
        break;
    }
    if (index < 0)
        index = -index;
    if (index >= count)
        index = count - 1;
    return index;
}

SIZE FitSlidePicture(LONG width, LONG height, LONG pw, LONG ph) {
    if (width <= 0 || height <= 0 || pw <= 0 || ph <= 0)
        return SIZE{pw, ph};
    const float canvasRatio = static_cast<float>(height) / static_cast<float>(width);
    const float ratio = static_cast<float>(ph) / static_cast<float>(pw);
    if (ratio > canvasRatio)
        return SIZE{static_cast<LONG>(static_cast<float>(height) / ratio), height};
    return SIZE{width, static_cast<LONG>(static_cast<float>(width) * ratio)};
}

POINT SlideCaptionOrigin(int position, LONG width, LONG height, LONG textWidth) {
    const LONG third = width / 3;
    LONG span = 0;
    switch (position) {
    case 1:
    case 4:
        span = third;
        break;
    case 2:
    case 5:
        span = 3 * third;
        break;
    default:
        span = 5 * third;
        break;
    }
    // A caption wider than its column starts at the left edge.
    LONG x = span > textWidth ? (span - textWidth) / 2 : 0;
    LONG y = position <= 3 ? height / 10 : (height / 10) * 9;
    return POINT{x, y};
}

bool BuildFramedPicture(const char* picturePath, const FrameSettingsValues& frame,
                        PxImage& framed) {
    return frame.format != 0 ? BuildPngFramed(picturePath, frame, framed)
                             : BuildBmpFramed(picturePath, frame, framed);
}

void PasteSlideImage(PxImage& canvas, const PxImage& image, LONG x, LONG y) {
    const LONG iw = static_cast<LONG>(image.GetWidth()), ih = static_cast<LONG>(image.GetHeight());
    const LONG cw = static_cast<LONG>(canvas.GetWidth()),
               ch = static_cast<LONG>(canvas.GetHeight());
    if (image.GetBpp() == 24 && canvas.GetBpp() == 24) {
        // Colour pixels onto colour pixels: each row's part inside the canvas is copied, with
        // the alpha value (the image's, or its transparent colour's) where the canvas has a plane.
        const std::int64_t first = std::max<std::int64_t>(0, -std::int64_t{x});
        const std::int64_t end = std::min<std::int64_t>(iw, std::int64_t{cw} - x);
        const BYTE alphaOff = image.GetTransColor().rgbReserved;
        for (LONG j = 0; j < ih && first < end; ++j) {
            const std::int64_t row = std::int64_t{y} + j;
            if (row < 0 || row >= ch)
                continue;
            const LONG cx = static_cast<LONG>(x + first), cy = static_cast<LONG>(row);
            const LONG ix = static_cast<LONG>(first);
            const auto count = static_cast<std::size_t>(end - first);
            std::memcpy(canvas.GetBits(static_cast<DWORD>(cy)) + 3 * cx,
                        image.GetBits(static_cast<DWORD>(j)) + 3 * ix, count * 3);
            if (BYTE* to = canvas.AlphaGetPointer(cx, cy)) {
                if (const BYTE* from = image.AlphaGetPointer(ix, j))
                    std::memcpy(to, from, count);
                else
                    std::memset(to, alphaOff, count);
            }
        }
        return;
    }
    for (DWORD j = 0; j < image.GetHeight(); ++j)
        for (DWORD i = 0; i < image.GetWidth(); ++i)
            canvas.SetPixelColor(
                x + static_cast<LONG>(i), y + static_cast<LONG>(j),
                image.GetPixelColor(static_cast<LONG>(i), static_cast<LONG>(j), true), true);
}

void SlideComposer::Compose(LONG width, LONG height, bool preview, PxImage& canvas) {
    const bool framed = SaverSettings.framePresent != 0;
    canvas.Create(width, height, 32,
                  framed && SaverSettings.framePresent == 1 ? PXIMAGE_FORMAT_PNG
                                                            : PXIMAGE_FORMAT_JPG);
    if (!canvas.IsValid())
        return;
    canvas.Clear(0);
    PaintSlideBackground(canvas, SaverSettings);

    // Every order but sequential and backward draws: each draw starts from a new seed.
    const int order = SaverSettings.imageOrder;
    if (order != 0 && order != 1)
        (seed ? seed : LibrarySeed)(static_cast<unsigned>(std::time(nullptr)));
    const int count = static_cast<int>(ImageNames.GetSize());
    const int index = ChooseSlideIndex(pictureIndex, order, count, random ? random : LibraryRandom);
    if (index < 0)
        return; // no pictures: the background alone
    pictureIndex = index;

    PxImage picture;
    CString path = WorkFolder + "\\" + ImageNames[index];
    // A frame that cannot be built (its picture unreadable) leaves the picture unframed.
    const bool withFrame = framed && BuildFramedPicture(path, FrameSettings, picture);
    if (!withFrame)
        picture.Load(path, PXIMAGE_FORMAT_UNKNOWN);

    if (picture.IsValid()) {
        if (SaverSettings.imageSizing == 1 || preview) {
            SIZE fit = FitSlidePicture(width, height, static_cast<LONG>(picture.GetWidth()),
                                       static_cast<LONG>(picture.GetHeight()));
            if (fit.cx > 0 && fit.cy > 0)
                picture.Resample(fit.cx, fit.cy, 1);
        }
        const LONG pw = static_cast<LONG>(picture.GetWidth()),
                   ph = static_cast<LONG>(picture.GetHeight());
        const LONG x = (width - pw) / 2, y = (height - ph) / 2;
        if (withFrame && FrameSettings.type == 4)
            PasteSlideImage(canvas, picture, x, y);
        else
            canvas.BlendFromEx(picture, 0, 0, pw, ph, x, y);
    }

    const int position = SaverSettings.captionPosition;
    if (position >= 1 && position <= 6 && index < ImageCaptions.GetSize()) {
        const LOGFONTA& font = SaverSettings.captionFont;
        CString text = ImageCaptions[index];
        SIZE extent = canvas.MeasureString(nullptr, text, font.lfFaceName, font.lfHeight,
                                           font.lfWeight, font.lfItalic, font.lfUnderline);
        POINT at = SlideCaptionOrigin(position, width, height, extent.cx);
        canvas.DrawString(nullptr, at.x, at.y, text,
                          PxImage::RgbToRgbQuad(SaverSettings.captionColor), font.lfFaceName,
                          font.lfHeight, font.lfWeight, font.lfItalic, font.lfUnderline, false);
    }

    if (SaverSettings.imageOrder == 0)
        pictureIndex += 1;
    else if (SaverSettings.imageOrder == 1)
        pictureIndex -= 1;
}
