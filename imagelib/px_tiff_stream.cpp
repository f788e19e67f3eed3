#include "imagelib/px_tiff_stream.h"

#include <cstdarg>
#include <cstdio>
#include <limits>

#include "imagelib/px_image.h"

namespace {

constexpr toff_t kSeekFailed = static_cast<toff_t>(-1);

PxTiffStream& StreamOf(thandle_t handle) {
    return *static_cast<PxTiffStream*>(handle);
}

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t size) {
    if (size <= 0)
        return 0;
    return static_cast<tmsize_t>(
        StreamOf(handle).file->Read(buffer, 1, static_cast<std::size_t>(size)));
}

tmsize_t WriteProc(thandle_t handle, void* buffer, tmsize_t size) {
    if (size <= 0)
        return 0;
    const std::size_t written =
        StreamOf(handle).file->Write(buffer, 1, static_cast<std::size_t>(size));
    return written ? size : 0;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    if (offset == kSeekFailed)
        return offset;
    PxTiffStream& stream = StreamOf(handle);
    std::int64_t target = static_cast<std::int64_t>(offset);
    if (whence == SEEK_SET)
        target += stream.origin;
    if (target > std::numeric_limits<LONG>::max() || target < std::numeric_limits<LONG>::min())
        return kSeekFailed;
    if (!stream.file->Seek(static_cast<LONG>(target), whence))
        return kSeekFailed;
    const LONG at = stream.file->Tell();
    return at < stream.origin ? kSeekFailed : static_cast<toff_t>(at - stream.origin);
}

// The stream stays open: its owner closes it.
int CloseProc(thandle_t) {
    return 0;
}

toff_t SizeProc(thandle_t handle) {
    PxTiffStream& stream = StreamOf(handle);
    const LONG size = stream.file->Size();
    return size < stream.origin ? 0 : static_cast<toff_t>(size - stream.origin);
}

int MapProc(thandle_t, void**, toff_t*) {
    return 0;
}

void UnmapProc(thandle_t, void*, toff_t) {}

int ErrorHandler(TIFF*, void* user, const char*, const char* format, va_list args) {
    char text[256];
    std::vsnprintf(text, sizeof text, format, args);
    if (user)
        *static_cast<std::string*>(user) = text;
    return 1;
}

int WarningHandler(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

} // namespace

PxTiffStream::~PxTiffStream() {
    Close();
}

TIFF* PxTiffStream::Open(PxFile* stream, const char* mode) {
    Close();
    file = stream;
    m_writing = mode[0] != 'r';
    origin = stream->Tell();
    if (origin < 0)
        origin = 0;
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options)
        return nullptr;
    TIFFOpenOptionsSetErrorHandlerExtR(options, ErrorHandler, &m_message);
    TIFFOpenOptionsSetWarningHandlerExtR(options, WarningHandler, nullptr);
    // No single buffer may be larger than the largest picture the library makes.
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(kPxMaxImageBytes));
    m_tiff = TIFFClientOpenExt("TIFF IMAGE", mode, this, ReadProc, WriteProc, SeekProc, CloseProc,
                               SizeProc, MapProc, UnmapProc, options);
    TIFFOpenOptionsFree(options);
    return m_tiff;
}

bool PxTiffStream::Close() {
    if (!m_tiff)
        return true;
    const bool flushed = !m_writing || TIFFFlush(m_tiff) == 1;
    TIFFClose(m_tiff);
    m_tiff = nullptr;
    return flushed;
}
