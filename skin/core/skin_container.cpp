#include "skin/core/skin_container.h"
#include "skin/core/mem_stream.h"

#include "util/le_bytes.h"

#include <lzo/lzo1x.h>

#include <memory>
#include <span>
#include <vector>

namespace {

bool DeclaredSizeIsPlausible(std::uint32_t declared, std::uint32_t packedBytes) {
    if (declared == 0 || declared > skin_container::kMaxUnpackedSize)
        return false;
    return declared <= skin_container::kMaxExpansion * packedBytes + 64;
}

} // namespace

bool MemStream::UnpackTo(MemStream& target) const {
    if (lzo_init() != LZO_E_OK)
        return false;
    if (!m_buffer || m_length < skin_container::kSizeFieldBytes)
        return false;
    std::uint32_t declared = 0;
    lv::ByteReader(std::span(m_buffer, skin_container::kSizeFieldBytes)).u32(declared);
    std::uint32_t packedBytes = m_length - skin_container::kSizeFieldBytes;
    if (!DeclaredSizeIsPlausible(declared, packedBytes))
        return false;

    std::vector<std::uint8_t> unpacked;
    try {
        unpacked.resize(declared);
    } catch (const std::bad_alloc&) {
        return false;
    }
    lzo_uint produced = declared;
    int result = lzo1x_decompress_safe(m_buffer + skin_container::kSizeFieldBytes, packedBytes,
                                       unpacked.data(), &produced, nullptr);
    if (result != LZO_E_OK || produced != declared)
        return false;
    return target.Write(unpacked.data(), declared) == declared;
}
