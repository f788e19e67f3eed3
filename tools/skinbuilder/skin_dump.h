// Prints a skin file's header, objects with their fields and children, images and named
// entries, for people who debug skins.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>

// 0 when the container loaded; else the loader's status.
int DumpSkin(std::span<const std::uint8_t> container, std::ostream& out);
