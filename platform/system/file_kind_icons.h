// The shell's icons and type names, one per kind of file, drawn by the layer itself.
#pragma once

#include "win32/types.h"

#include <string>

namespace lv::system {

enum class FileKind { folder, program, picture, sound, document };

// The kind a name's extension tells (a folder is told by its attributes instead).
FileKind kind_of_name(const std::string& name);
// "File Folder", "JPEG Image", "Wave Sound", ... or "<EXT> File" for other documents.
std::string type_name_of(const std::string& name, bool folder);
// A new icon of `size` x `size` pixels (32 large, 16 small) with alpha and mask.
HICON make_kind_icon(FileKind kind, int size);

} // namespace lv::system
