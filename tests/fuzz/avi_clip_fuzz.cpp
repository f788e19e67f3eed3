// The AVI reader takes any bytes: a clip or nothing, and every frame decodes or fails, never a
// crash or a read past the bytes.
#include "media/avi_clip.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::shared_ptr<const lv::media::AviClip> clip =
        lv::media::AviClip::parse(std::vector<std::uint8_t>(data, data + size));
    if (!clip)
        return 0;
    lv::media::AviFrameDecoder decoder(clip);
    const std::uint32_t count = std::min<std::uint32_t>(clip->frame_count(), 64);
    for (std::uint32_t i = 0; i < count; ++i)
        decoder.decode(count - 1 - i); // backwards: every frame decodes from its key frame
    return 0;
}
