#pragma once

#include "manifest.h"

#include <filesystem>
#include <string>

namespace rescomp {

// Reads a whole file; a failure is reported against the manifest line that named it.
std::string read_file(const std::filesystem::path& path, const ManifestLine* line);

} // namespace rescomp
