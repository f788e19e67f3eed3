// Skin files for tests: hand-built records of any revision, headers, and containers.
#pragma once

#include "skin/core/mem_stream.h"
#include "skin/core/skin_data.h"

#include "util/le_bytes.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace lvtest {

// The stored size of a base record of that revision with no children.
std::size_t BaseRecordSize(int minor);

// Appends a base record as a file of that revision stores it.
void WriteBaseRecord(lv::ByteWriter& w, const std::string& name, int minor,
                     std::uint32_t childCount = 0);

// Appends `count` bytes of `pattern` (fields that a test expects to be read as non-default).
void WriteFill(lv::ByteWriter& w, std::size_t count, std::uint8_t pattern = 0x01);

// A skin file: header of that version and object count, then `body`.
std::vector<std::uint8_t> SkinFile(std::uint8_t major, std::uint8_t minor,
                                   std::uint32_t objectCount, std::span<const std::uint8_t> body);

std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> file);

// A stream holding the bytes, positioned at its start.
std::unique_ptr<MemStream> StreamOf(std::span<const std::uint8_t> bytes);

// Loads a container into `skin`; returns SkinData::Load's result.
int LoadContainer(SkinData& skin, std::span<const std::uint8_t> container);
// A skin read from a skin file (a built one, such as the full skin); null when it cannot be.
std::unique_ptr<SkinData> LoadSkinFile(const std::string& path);

// Damaged copies of a skin: the container cut short and with bytes changed, and its unpacked
// file (`objectsFile`, the objects alone) cut and changed behind a sound container. Every load
// ends, reports success or a status, and leaves no partial skin on failure; `probe` names an
// object that lookups on the damaged skins ask for.
void ExpectSkinSurvivesDamage(std::span<const std::uint8_t> container,
                              std::span<const std::uint8_t> objectsFile, const char* probe);

} // namespace lvtest
