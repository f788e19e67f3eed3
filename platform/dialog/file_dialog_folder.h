// What the file dialog shows of the file system: the caller's filters, a folder's entries, the
// drives, and the paths a person types.
#pragma once

#include "win32/types.h"

#include <string>
#include <vector>

namespace lv::dialog {

// One pair of an OPENFILENAME filter: the text the type box shows and its patterns.
struct FileFilter {
    std::string name;
    std::vector<std::string> patterns;
};

// The pairs of "name\0*.a;*.b\0...\0\0"; a name without its pattern is dropped.
std::vector<FileFilter> parse_filters(LPCSTR filter);
// "*.a;*.b" -> {"*.a", "*.b"}, blanks around each trimmed.
std::vector<std::string> split_patterns(const std::string& text);
bool has_wildcards(const std::string& text);

struct FolderEntry {
    std::string name;
    bool folder = false;
};

// The folder's sub-folders, then its files that match one of `patterns`, each in name order.
// Names the host hides (a leading dot) are left out.
std::vector<FolderEntry> list_folder(const std::string& folder,
                                     const std::vector<std::string>& patterns);

// The roots of the drives the layer has ("C:\", "Z:\").
std::vector<std::string> drive_roots();
// The folder's drive root, then each folder down to the folder itself.
std::vector<std::string> folder_chain(const std::string& folder);
// The folder above; a root stays where it is.
std::string parent_folder(const std::string& folder);
// The folder part and the name of a path ("C:\a\b.jpg" -> "C:\a", "b.jpg"; "C:\b.jpg" -> "C:").
std::string folder_of(const std::string& path);
std::string name_of(const std::string& path);
// The folder a path lies in, a drive's root with its separator ("C:\b.jpg" -> "C:\").
std::string containing_folder(const std::string& path);
// `name` inside `folder`.
std::string join_path(const std::string& folder, const std::string& name);
// What a person typed, as a full path: a path with a drive as it is, "\x" on the folder's drive,
// "/x" on the host's file system (drive Z:), anything else inside `folder`.
std::string resolve_typed(const std::string& folder, const std::string& typed);
bool is_folder(const std::string& path);

} // namespace lv::dialog
