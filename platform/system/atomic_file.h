// Whole-file reads and replacements that never leave a half-written file behind.
#pragma once

#include <string>
#include <string_view>

namespace lv {

// False when the file cannot be read (errno tells why).
bool read_whole_file(const std::string& host_path, std::string& contents);

// Writes a temporary file beside the target, syncs it and renames it over the target.
// `mode` is used for a new file; an existing file keeps its permissions.
bool replace_file_atomically(const std::string& host_path, std::string_view contents,
                             unsigned mode = 0644);

} // namespace lv
