// The metafile front ends and player on hostile bytes: raw input through the WMF/EMF format
// class, and the input's records behind a well-formed Windows or enhanced metafile header,
// played into a small bitmap so that every record parser and drawing path sees fuzzed data.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imagelib/px_image.h"
#include "util/le_bytes.h"
#include "win32/win32.h"

namespace {

void PlayInto(HENHMETAFILE metafile) {
    if (!metafile)
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 64, 48);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT rect{0, 0, 64, 48};
    PlayEnhMetaFile(dc, metafile, &rect);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    PALETTEENTRY entries[4];
    GetEnhMetaFilePaletteEntries(metafile, 4, entries);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    DeleteEnhMetaFile(metafile);
}

std::vector<std::uint8_t> BehindWmfHeader(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> out;
    lv::ByteWriter w(out);
    w.u16(1);
    w.u16(9);
    w.u16(0x300);
    w.u32(static_cast<std::uint32_t>(9 + size / 2));
    w.u16(static_cast<std::uint16_t>(data[0] % 32)); // objects
    w.u32(0);
    w.u16(0);
    w.bytes(data + 1, size - 1);
    return out;
}

std::vector<std::uint8_t> BehindEmfHeader(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> out;
    lv::ByteWriter w(out);
    const std::size_t records = (size - 1) / 4 * 4;
    w.u32(1);
    w.u32(88);
    for (int v : {0, 0, 100, 80})
        w.i32(v);
    for (int v : {0, 0, 1000, 800})
        w.i32(v);
    w.u32(0x464D4520);
    w.u32(0x10000);
    w.u32(static_cast<std::uint32_t>(88 + records));
    w.u32(0);
    w.u16(static_cast<std::uint16_t>(data[0] % 32)); // handles
    w.u16(0);
    w.u32(0);
    w.u32(0);
    w.u32(0);
    w.i32(1000);
    w.i32(1000);
    w.i32(100);
    w.i32(100);
    w.bytes(data + 1, records);
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    PlayInto(SetEnhMetaFileBits(static_cast<UINT>(size), data));
    METAFILEPICT picture{MM_ANISOTROPIC, 2000, 1000, nullptr};
    PlayInto(SetWinMetaFileBits(static_cast<UINT>(size), data, nullptr, &picture));

    const std::vector<std::uint8_t> wmf = BehindWmfHeader(data, size);
    PlayInto(SetWinMetaFileBits(static_cast<UINT>(wmf.size()), wmf.data(), nullptr, &picture));
    const std::vector<std::uint8_t> emf = BehindEmfHeader(data, size);
    PlayInto(SetEnhMetaFileBits(static_cast<UINT>(emf.size()), emf.data()));

    // The whole format class, which may build a bitmap of up to 4000 x 4000 pixels: only for
    // some inputs, so that the run stays fast.
    if (data[0] & 1) {
        PxImage image;
        image.DecodeFromMemory(emf.data(), static_cast<DWORD>(emf.size()), PXIMAGE_FORMAT_WMF);
        PxImage raw;
        raw.DecodeFromMemory(data, static_cast<DWORD>(size), PXIMAGE_FORMAT_WMF);
    }
    return 0;
}
