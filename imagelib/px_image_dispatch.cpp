// Encode and Decode by format number, through the table of format classes.
#include <string>

#include "imagelib/px_codec_table.h"
#include "imagelib/px_image.h"

namespace {

constexpr const char* kEncodeUnknown = "Encode: Unknown format";
constexpr const char* kDecodeUnknown = "Decode: Unknown or wrong format";

} // namespace

bool PxImage::CheckEncodeTarget(PxFile* file) {
    if (!file) {
        SetLastErrorText("null file handler");
        return true;
    }
    if (!m_dib) {
        SetLastErrorText("null image!!!");
        return true;
    }
    return false;
}

bool PxImage::Encode(PxFile* file, DWORD format) {
    const PxCodecEntry* codec = PxCodecFind(format);
    if (!codec || !codec->create) {
        SetLastErrorText(kEncodeUnknown);
        return false;
    }
    std::unique_ptr<PxImage> encoder = codec->create();
    encoder->ShallowCopy(*this);
    const bool ok = codec->encode(*encoder, file, format);
    if (!ok)
        SetLastErrorText(encoder->GetLastError());
    return ok;
}

bool PxImage::Decode(PxFile* file, DWORD format) {
    if (!file) {
        SetLastErrorText("null file handler");
        return false;
    }
    if (format == PXIMAGE_FORMAT_UNKNOWN) {
        const LONG start = file->Tell();
        for (const DWORD trial : PxCodecTrialOrder()) {
            const PxCodecEntry* codec = PxCodecFind(trial);
            if (!codec->create)
                continue;
            std::unique_ptr<PxImage> decoder = codec->create();
            decoder->CopyInfo(*this);
            // The JPEG-2000 bridge is tried once for its whole family.
            const DWORD asked = trial >= PXIMAGE_FORMAT_JP2 ? PXIMAGE_FORMAT_UNKNOWN : trial;
            if (codec->decode(*decoder, file, asked))
                return Transfer(*decoder);
            file->Seek(start, 0);
        }
        SetLastErrorText(kDecodeUnknown);
        return false;
    }

    const PxCodecEntry* codec = PxCodecFind(format);
    if (!codec || !codec->create) {
        SetLastErrorText(kDecodeUnknown);
        return false;
    }
    std::unique_ptr<PxImage> decoder = codec->create();
    decoder->CopyInfo(*this);
    if (codec->decode(*decoder, file, format))
        return Transfer(*decoder);
    SetLastErrorText(decoder->GetLastError());
    if (codec->reportsFrameCount)
        SetNumFrames(decoder->GetNumFrames());
    return false;
}

bool PxImage::EncodeFileHandle(FILE* handle, DWORD format) {
    if (!handle) {
        SetLastErrorText("null file handler");
        return false;
    }
    PxStdioFile file(handle);
    return Encode(&file, format);
}

bool PxImage::DecodeFileHandle(FILE* handle, DWORD format) {
    if (!handle) {
        SetLastErrorText("null file handler");
        return false;
    }
    PxStdioFile file(handle);
    return Decode(&file, format);
}

bool PxImage::EncodeToMemory(BYTE*& buffer, LONG& size, DWORD format) {
    if (buffer)
        return false;
    PxMemoryFile file;
    if (!file.Open())
        return false;
    if (!Encode(&file, format))
        return false;
    size = file.Size();
    buffer = file.DetachBuffer(true);
    return true;
}

bool PxImage::DecodeFromMemory(const BYTE* buffer, DWORD size, DWORD format) {
    // The memory file never writes into a caller's block, so the cast does not break const.
    PxMemoryFile file(const_cast<BYTE*>(buffer), size);
    return Decode(&file, format);
}
