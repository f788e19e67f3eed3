#include "saver/theme_source.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t kCopyPiece = 1 << 20;

} // namespace

bool MemoryThemeSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset > m_bytes.size() || out.size() > m_bytes.size() - offset)
        return false;
    if (!out.empty())
        std::memcpy(out.data(), m_bytes.data() + offset, out.size());
    return true;
}

RangeCopy CopyRange(ThemeSource& source, std::uint64_t offset, std::uint64_t length,
                    const std::function<bool(std::span<const std::uint8_t>)>& sink) {
    std::vector<std::uint8_t> buffer(
        static_cast<std::size_t>(std::min<std::uint64_t>(length, kCopyPiece)));
    for (std::uint64_t done = 0; done < length;) {
        const auto n =
            static_cast<std::size_t>(std::min<std::uint64_t>(length - done, buffer.size()));
        const std::span<std::uint8_t> piece(buffer.data(), n);
        if (!source.ReadAt(offset + done, piece))
            return RangeCopy::ReadFailed;
        if (!sink(piece))
            return RangeCopy::SinkFailed;
        done += n;
    }
    return RangeCopy::Done;
}
