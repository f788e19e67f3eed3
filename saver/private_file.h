// Files the programs write for themselves are first made under a private name beside their
// target and moved over it once whole. CREATE_NEW never opens what already stands at a name,
// so neither a link planted at the target nor one at a private name is ever written through,
// and two writers never share a file.
#pragma once

#include "mfc/mfc.h"

#include <span>

// Creates a new file "<name>~<n><extension>" beside `target` (n counts up past names that are
// taken) and opens it for writing; `path` receives its name. The handle holds the file as its
// writer's mark (owner_mark.h) until it is closed: what writers that have ended left under
// such names is removed first. INVALID_HANDLE_VALUE when no such file could be made, with the
// last-error value of the last attempt; a folder that refuses access fails at once.
HANDLE CreatePrivateFile(const CString& target, CString& path);

// Moves the closed private file over `target`: whatever stands there is replaced, a link
// included (not what it points to). On failure the private file is removed. A durable move
// has reached the disk when this returns; scratch copies that a crash may lose go without.
BOOL ReplaceWithPrivateFile(const CString& path, const CString& target, bool durable = true);

// The whole of `bytes` as the file `target`, by way of a private file.
BOOL WriteWholeFile(const CString& target, std::span<const std::uint8_t> bytes);
