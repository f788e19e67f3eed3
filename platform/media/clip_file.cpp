#include "media/clip_file.h"

#include "system/atomic_file.h"
#include "system/paths.h"

#include <filesystem>
#include <string>

namespace lv::media {

bool read_clip_file(LPCSTR path, std::vector<std::uint8_t>& bytes) {
    const std::string host = to_host_path(path ? path : "");
    std::error_code error;
    if (host.empty() || !std::filesystem::is_regular_file(host, error))
        return false;
    const auto size = std::filesystem::file_size(host, error);
    if (error || size > kMaxClipBytes)
        return false;
    std::string contents;
    if (!read_whole_file(host, contents))
        return false;
    bytes.assign(contents.begin(), contents.end());
    return true;
}

} // namespace lv::media
