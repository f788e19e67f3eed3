// The instruction copier of the hook engine: decodes one IA-32 instruction (32-bit code) and
// copies it elsewhere, re-basing a relative jump or call so that it still reaches its target.
#pragma once

#include "skin/core/hook_memory.h"

// Copies the instruction at `source` to `destination` (0: measures only) and returns the
// address of the next source instruction. 0 on failure, with the thread's last error:
// ERROR_INVALID_DATA for a null source, an undecodable instruction or one running off the
// image, or a short relative operand whose re-based value no longer fits its width;
// ERROR_NOACCESS when the destination cannot be written.
std::uint32_t CopyInstruction(HookMemory& memory, std::uint32_t destination, std::uint32_t source);
