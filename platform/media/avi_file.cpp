// The AVI file library over our clip reader: files, their video stream and frame decoders are
// objects checked against live tables, so a stale or foreign pointer fails cleanly.
#include "media/avi_clip.h"
#include "media/clip_file.h"
#include "win32/files.h"
#include "win32/vfw.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_set>

struct IAVIFile {
    std::shared_ptr<const lv::media::AviClip> clip;
    ULONG references = 1;
};

struct IAVIStream {
    std::shared_ptr<const lv::media::AviClip> clip;
    ULONG references = 1;
};

struct IGetFrame {
    explicit IGetFrame(std::shared_ptr<const lv::media::AviClip> c)
        : clip(c), decoder(std::move(c)) {}
    std::shared_ptr<const lv::media::AviClip> clip;
    lv::media::AviFrameDecoder decoder;
};

namespace {

constexpr UINT kOpenAccessBits = 0x0003; // OF_WRITE, OF_READWRITE
constexpr UINT kOpenCreate = 0x1000;     // OF_CREATE

struct LiveObjects {
    std::mutex mutex;
    std::unordered_set<const void*> objects;
};

LiveObjects& live() {
    static LiveObjects* table = new LiveObjects;
    return *table;
}

template <class Object> Object* track(Object* object) {
    std::lock_guard lock(live().mutex);
    live().objects.insert(object);
    return object;
}

bool is_live(const void* object) {
    std::lock_guard lock(live().mutex);
    return object && live().objects.count(object) != 0;
}

// Drops one reference; the object goes with the last.
template <class Object> ULONG release(Object* object) {
    {
        std::lock_guard lock(live().mutex);
        if (!object || !live().objects.count(object))
            return 0;
        if (--object->references > 0)
            return object->references;
        live().objects.erase(object);
    }
    delete object;
    return 0;
}

} // namespace

void AVIFileInit() {}

void AVIFileExit() {}

HRESULT AVIFileOpenA(PAVIFILE* file, LPCSTR path, UINT mode, LPCLSID handler) {
    if (!file)
        return AVIERR_BADPARAM;
    *file = nullptr;
    if ((mode & kOpenAccessBits) != OF_READ || (mode & kOpenCreate))
        return AVIERR_BADFLAGS; // the library only reads
    std::vector<std::uint8_t> bytes;
    if (!lv::media::read_clip_file(path, bytes))
        return AVIERR_FILEOPEN;
    auto clip = lv::media::AviClip::parse(std::move(bytes));
    if (!clip)
        return AVIERR_BADFORMAT;
    auto* object = new IAVIFile;
    object->clip = std::move(clip);
    *file = track(object);
    return AVIERR_OK;
}

HRESULT AVIFileInfoA(PAVIFILE file, LPAVIFILEINFOA info, LONG size) {
    if (!is_live(file))
        return AVIERR_BADHANDLE;
    if (!info || size < 0)
        return AVIERR_BADPARAM;
    const auto& clip = *file->clip;
    AVIFILEINFOA whole{};
    whole.dwCaps = AVIFILECAPS_CANREAD;
    whole.dwStreams = 1;
    whole.dwSuggestedBufferSize = clip.stream().suggested_buffer;
    whole.dwWidth = static_cast<DWORD>(clip.format().width);
    whole.dwHeight = clip.format().rows();
    whole.dwScale = clip.stream().scale;
    whole.dwRate = clip.stream().rate;
    whole.dwLength = clip.frame_count();
    std::strncpy(whole.szFileType, "AVI", sizeof(whole.szFileType) - 1);
    std::memcpy(info, &whole, std::min<std::size_t>(static_cast<std::size_t>(size), sizeof(whole)));
    return AVIERR_OK;
}

HRESULT AVIFileGetStream(PAVIFILE file, PAVISTREAM* stream, DWORD type, LONG index) {
    if (!stream)
        return AVIERR_BADPARAM;
    *stream = nullptr;
    if (!is_live(file))
        return AVIERR_BADHANDLE;
    if ((type != 0 && type != streamtypeVIDEO) || index != 0)
        return AVIERR_NODATA;
    auto* object = new IAVIStream;
    object->clip = file->clip;
    *stream = track(object);
    return AVIERR_OK;
}

ULONG AVIFileRelease(PAVIFILE file) {
    return release(file);
}

ULONG AVIStreamRelease(PAVISTREAM stream) {
    return release(stream);
}

HRESULT AVIStreamReadFormat(PAVISTREAM stream, LONG position, LPVOID format, LONG* size) {
    if (!is_live(stream))
        return AVIERR_BADHANDLE;
    if (!size || *size < 0)
        return AVIERR_BADPARAM;
    const auto& stored = stream->clip->format().stored;
    if (format)
        std::memcpy(format, stored.data(),
                    std::min<std::size_t>(stored.size(), static_cast<std::size_t>(*size)));
    const bool fits = static_cast<std::size_t>(*size) >= stored.size();
    *size = static_cast<LONG>(stored.size());
    return format && !fits ? AVIERR_BUFFERTOOSMALL : AVIERR_OK;
}

LONG AVIStreamStart(PAVISTREAM stream) {
    return is_live(stream) ? static_cast<LONG>(stream->clip->stream().start) : -1;
}

LONG AVIStreamLength(PAVISTREAM stream) {
    return is_live(stream) ? static_cast<LONG>(stream->clip->frame_count()) : -1;
}

PGETFRAME AVIStreamGetFrameOpen(PAVISTREAM stream, LPBITMAPINFOHEADER wanted) {
    if (!is_live(stream))
        return nullptr;
    if (wanted && reinterpret_cast<UINT_PTR>(wanted) != AVIGETFRAMEF_BESTDISPLAYFMT)
        return nullptr; // no conversion to other formats
    if (!stream->clip->format().decodable())
        return nullptr;
    return track(new IGetFrame(stream->clip));
}

LPVOID AVIStreamGetFrame(PGETFRAME frames, LONG position) {
    if (!is_live(frames))
        return nullptr;
    const std::int64_t index = static_cast<std::int64_t>(position) -
                               static_cast<std::int64_t>(frames->clip->stream().start);
    if (index < 0 || index > UINT32_MAX)
        return nullptr;
    return const_cast<std::uint8_t*>(frames->decoder.decode(static_cast<std::uint32_t>(index)));
}

HRESULT AVIStreamGetFrameClose(PGETFRAME frames) {
    {
        std::lock_guard lock(live().mutex);
        if (!frames || !live().objects.erase(frames))
            return AVIERR_BADHANDLE;
    }
    delete frames;
    return AVIERR_OK;
}
