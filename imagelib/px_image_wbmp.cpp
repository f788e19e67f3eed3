#include "imagelib/px_image_wbmp.h"

#include <cstdint>
#include <vector>

#include "imagelib/px_codec_io.h"

namespace {

// Four bytes carry 28 bits, far beyond any picture Create accepts.
constexpr int kMaxIntegerBytes = 4;
// Only pictures whose sides fit below this are written.
constexpr DWORD kMaxSavedSide = 256;

// A multi-byte integer; false at the end of the stream or when it runs on too long.
bool ReadInteger(PxFile* file, DWORD& value) {
    value = 0;
    for (int i = 0; i < kMaxIntegerBytes; ++i) {
        const LONG byte = file->GetC();
        if (byte < 0)
            return false;
        value = (value << 7) | (static_cast<DWORD>(byte) & 0x7F);
        if (!(byte & 0x80))
            return true;
    }
    return false;
}

void PutInteger(std::vector<BYTE>& out, DWORD value) {
    BYTE groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<BYTE>(value & 0x7F);
        value >>= 7;
    } while (value);
    while (count-- > 0)
        out.push_back(static_cast<BYTE>(groups[count] | (count ? 0x80 : 0)));
}

} // namespace

bool PxImageWBMP::Decode(PxFile* file) {
    if (!file)
        return false;
    DWORD type = 0, width = 0, height = 0;
    // The fixed-header byte between type and width is read over; its value is not used.
    if (!ReadInteger(file, type) || file->GetC() < 0 || !ReadInteger(file, width) ||
        !ReadInteger(file, height)) {
        SetLastErrorText("Not a WBMP");
        return false;
    }
    if (type != 0) {
        SetLastErrorText("Unsupported WBMP type");
        return false;
    }
    if (width == 0 || height == 0) {
        SetLastErrorText("Corrupted WBMP");
        return false;
    }
    const DWORD rowBytes = (width + 7) / 8;
    const LONG left = PxBytesLeft(file);
    if (left >= 0 && static_cast<std::uint64_t>(rowBytes) * height > static_cast<DWORD>(left)) {
        SetLastErrorText("Corrupted WBMP");
        return false;
    }
    if (!Create(static_cast<LONG>(width), static_cast<LONG>(height), 1, PXIMAGE_FORMAT_WBMP)) {
        SetLastErrorText("WBMP Create failed");
        return false;
    }
    SetGreyPalette();
    for (DWORD y = height; y-- > 0;) {
        if (!PxReadExact(file, GetBits(y), rowBytes)) {
            Destroy();
            SetLastErrorText("Corrupted WBMP");
            return false;
        }
    }
    return true;
}

bool PxImageWBMP::Encode(PxFile* file) {
    if (CheckEncodeTarget(file))
        return false;
    const DWORD width = GetWidth(), height = GetHeight();
    if (GetBpp() != 1 || width >= kMaxSavedSide || height >= kMaxSavedSide) {
        SetLastErrorText("Can't save this image as WBMP");
        return false;
    }
    std::vector<BYTE> out = {0, 0};
    PutInteger(out, width);
    PutInteger(out, height);
    const DWORD rowBytes = (width + 7) / 8;
    for (DWORD y = height; y-- > 0;) {
        const BYTE* row = GetBits(y);
        out.insert(out.end(), row, row + rowBytes);
    }
    if (!PxWriteExact(file, out.data(), out.size())) {
        SetLastErrorText("Write Error in WBMP file");
        return false;
    }
    return true;
}
