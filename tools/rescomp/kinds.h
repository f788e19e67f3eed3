// The resource kinds a manifest line can name. Each kind lives in its own kind_<name>.cpp
// and is listed once in kinds.cpp.
#pragma once

#include "generated_source.h"
#include "manifest.h"

#include <filesystem>
#include <string_view>

namespace rescomp {

struct KindContext {
    GeneratedSource& output;
    std::filesystem::path manifest_folder; // relative paths in the manifest start here

    std::filesystem::path resolve(const std::string& path) const;
};

using KindCompiler = void (*)(const ManifestLine& line, KindContext& context);

struct ResourceKind {
    std::string_view keyword;
    std::string_view usage; // the fields after the keyword, for error messages
    KindCompiler compile;
};

// Returns nullptr for an unknown keyword.
const ResourceKind* find_kind(std::string_view keyword);

void compile_strings(const ManifestLine& line, KindContext& context);
void compile_binary(const ManifestLine& line, KindContext& context);
void compile_bitmap(const ManifestLine& line, KindContext& context);
void compile_icon(const ManifestLine& line, KindContext& context);
void compile_dialog(const ManifestLine& line, KindContext& context);
void compile_menu(const ManifestLine& line, KindContext& context);

} // namespace rescomp
