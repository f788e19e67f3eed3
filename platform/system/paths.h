// Windows paths on the host: drive C: is a folder under the layer's root, drive Z: is the host's
// root, names match without regard to case.
#pragma once

#include <string>
#include <string_view>

namespace lv {

// <LUMIVISTA_ROOT>, else $XDG_DATA_HOME/lumivista, else ~/.local/share/lumivista (read each call).
std::string layer_root();

// The host folder of drive C:, with WINDOWS, WINDOWS\system32 and Program Files created.
std::string drive_c_folder();

// Host path of a Windows path ("C:\x", "Z:\home\x", "/home/x", "rel\x"). Existing components are
// found case-insensitively; missing ones keep their spelling. Empty when the path has no host
// counterpart (other drives, network names, empty text).
std::string to_host_path(std::string_view windows_path);

// Tell the path lookup that the layer itself has just made or removed the entry `host_path`
// (a resolved host path), so that the folder's kept listing stays current without reading the
// folder again.
void note_entry_added(const std::string& host_path);
void note_entry_removed(const std::string& host_path);

// Windows path of a host path: under the drive C: folder "C:\...", else "Z:\...".
std::string to_windows_path(std::string_view host_path);

// Absolute Windows path of a Windows path, made lexically (no file system access).
std::string full_windows_path(std::string_view windows_path);

// Names ending in ".exe" or ".scr" are programs and are created executable.
bool is_program_name(std::string_view path);

// Case-insensitive comparison of ASCII names, as the file system and registry do.
bool equal_ignoring_case(std::string_view a, std::string_view b);
std::string to_lower_ascii(std::string_view text);

} // namespace lv
