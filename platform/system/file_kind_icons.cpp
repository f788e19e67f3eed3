#include "system/file_kind_icons.h"

#include "gdi/pixel_rows.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

namespace lv::system {
namespace {

struct KnownType {
    const char* extension;
    FileKind kind;
    const char* type_name; // null: "<EXT> File"
};

constexpr KnownType kKnownTypes[] = {
    {"bmp", FileKind::picture, "Bitmap Image"},
    {"jpg", FileKind::picture, "JPEG Image"},
    {"jpeg", FileKind::picture, "JPEG Image"},
    {"png", FileKind::picture, "PNG Image"},
    {"gif", FileKind::picture, "GIF Image"},
    {"tif", FileKind::picture, "TIFF Image"},
    {"tiff", FileKind::picture, "TIFF Image"},
    {"ico", FileKind::picture, "Icon"},
    {"pcx", FileKind::picture, nullptr},
    {"tga", FileKind::picture, nullptr},
    {"j2k", FileKind::picture, nullptr},
    {"jp2", FileKind::picture, nullptr},
    {"wmf", FileKind::picture, nullptr},
    {"emf", FileKind::picture, nullptr},
    {"mp3", FileKind::sound, "MP3 Format Sound"},
    {"wav", FileKind::sound, "Wave Sound"},
    {"mid", FileKind::sound, "MIDI Sequence"},
    {"midi", FileKind::sound, "MIDI Sequence"},
    {"exe", FileKind::program, "Application"},
    {"scr", FileKind::program, "Screen Saver"},
    {"txt", FileKind::document, "Text Document"},
    {"ini", FileKind::document, "Configuration Settings"},
};

std::string extension_of(const std::string& name) {
    const auto slash = name.find_last_of("\\/");
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

const KnownType* known(const std::string& name) {
    const std::string ext = extension_of(name);
    for (const KnownType& type : kKnownTypes) {
        if (ext == type.extension)
            return &type;
    }
    return nullptr;
}

// A 32 x 32 drawing in BGRA, alpha 0 where nothing is drawn.
class Sketch {
public:
    static constexpr int kSide = 32;

    void fill(int left, int top, int right, int bottom, std::uint32_t rgb) {
        for (int y = std::max(0, top); y < std::min(kSide, bottom); ++y)
            for (int x = std::max(0, left); x < std::min(kSide, right); ++x)
                put(x, y, rgb);
    }
    void frame(int left, int top, int right, int bottom, std::uint32_t rgb) {
        fill(left, top, right, top + 1, rgb);
        fill(left, bottom - 1, right, bottom, rgb);
        fill(left, top, left + 1, bottom, rgb);
        fill(right - 1, top, right, bottom, rgb);
    }
    void disc(int cx, int cy, int rx, int ry, std::uint32_t rgb) {
        for (int y = cy - ry; y <= cy + ry; ++y)
            for (int x = cx - rx; x <= cx + rx; ++x) {
                const int dx = x - cx, dy = y - cy;
                if (dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry)
                    put(x, y, rgb);
            }
    }
    void put(int x, int y, std::uint32_t rgb) {
        if (x >= 0 && y >= 0 && x < kSide && y < kSide)
            m_pixels[static_cast<std::size_t>(y * kSide + x)] = 0xFF000000u | (rgb & 0xFFFFFF);
    }
    std::uint32_t at(int x, int y) const {
        return m_pixels[static_cast<std::size_t>(y * kSide + x)];
    }

private:
    std::vector<std::uint32_t> m_pixels = std::vector<std::uint32_t>(kSide * kSide, 0);
};

// Colours as 0xRRGGBB, which is how a 32-bit DIB pixel holds them.
constexpr std::uint32_t kOutline = 0x707070;
constexpr std::uint32_t kPaper = 0xFFFFFF;

// A sheet of paper with its top-right corner folded.
void draw_page(Sketch& s) {
    constexpr int left = 6, top = 2, right = 26, bottom = 30, fold = 7;
    s.fill(left, top, right - fold, bottom, kPaper);
    s.fill(right - fold, top + fold, right, bottom, kPaper);
    for (int i = 0; i < fold; ++i) {
        s.fill(right - fold, top + i, right - fold + i + 1, top + i + 1, 0xDCDCDC);
        s.put(right - fold + i, top + i, kOutline);
    }
    s.fill(left, top, right - fold, top + 1, kOutline);
    s.fill(left, bottom - 1, right, bottom, kOutline);
    s.fill(left, top, left + 1, bottom, kOutline);
    s.fill(right - 1, top + fold, right, bottom, kOutline);
    s.fill(right - fold, top, right - fold + 1, top + fold, kOutline);
    s.fill(right - fold, top + fold, right, top + fold + 1, kOutline);
}

void draw_lines(Sketch& s) {
    for (int y = 12; y < 27; y += 3)
        s.fill(9, y, y < 14 ? 18 : 23, y + 1, 0x9AA4B0);
}

void draw_note(Sketch& s) {
    const std::uint32_t ink = 0x2856B8;
    s.disc(12, 24, 3, 2, ink);
    s.disc(20, 22, 3, 2, ink);
    s.fill(14, 11, 16, 24, ink);
    s.fill(22, 9, 24, 22, ink);
    s.fill(14, 9, 24, 12, ink);
}

void draw_landscape(Sketch& s) {
    s.fill(8, 11, 24, 26, 0x7DB4E6);
    s.disc(19, 15, 2, 2, 0xFFD65C);
    for (int x = 8; x < 24; ++x) {
        const int hill = 20 + (x - 13) * (x - 13) / 12;
        s.fill(x, std::min(hill, 25), x + 1, 26, 0x4A9A52);
    }
    s.frame(8, 11, 24, 26, 0x506070);
}

void draw_program(Sketch& s) {
    s.fill(3, 6, 29, 27, 0xF4F4F4);
    s.fill(3, 6, 29, 11, 0x2A5CAA);
    s.frame(3, 6, 29, 27, 0x304060);
    s.fill(24, 7, 28, 10, 0xD04030);
}

void draw_folder(Sketch& s) {
    const std::uint32_t back = 0xE0B040, front = 0xF6D36A, edge = 0x9A7420;
    s.fill(3, 7, 13, 10, back);
    s.fill(3, 9, 29, 27, back);
    s.frame(3, 9, 29, 27, edge);
    s.fill(5, 13, 28, 26, front);
    s.frame(5, 13, 28, 26, edge);
}

Sketch sketch_of(FileKind kind) {
    Sketch s;
    switch (kind) {
    case FileKind::folder:
        draw_folder(s);
        break;
    case FileKind::program:
        draw_program(s);
        break;
    case FileKind::picture:
        draw_page(s);
        draw_landscape(s);
        break;
    case FileKind::sound:
        draw_page(s);
        draw_note(s);
        break;
    case FileKind::document:
        draw_page(s);
        draw_lines(s);
        break;
    }
    return s;
}

} // namespace

FileKind kind_of_name(const std::string& name) {
    const KnownType* type = known(name);
    return type ? type->kind : FileKind::document;
}

std::string type_name_of(const std::string& name, bool folder) {
    if (folder)
        return "File Folder";
    if (const KnownType* type = known(name); type && type->type_name)
        return type->type_name;
    std::string ext = extension_of(name);
    if (ext.empty())
        return "File";
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return ext + " File";
}

HICON make_kind_icon(FileKind kind, int size) {
    if (size <= 0)
        return nullptr;
    const Sketch sketch = sketch_of(kind);
    const auto count = static_cast<std::size_t>(size) * static_cast<std::size_t>(size);
    std::vector<std::uint32_t> colour(count), mask(count);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::uint32_t pixel =
                sketch.at(x * Sketch::kSide / size, y * Sketch::kSide / size);
            const auto at = static_cast<std::size_t>(y * size + x);
            colour[at] = pixel;
            mask[at] = (pixel >> 24) != 0 ? 0 : 0xFFFFFF;
        }
    }
    return lv::gdi::icon_of_rows(size, size, colour, mask);
}

} // namespace lv::system
