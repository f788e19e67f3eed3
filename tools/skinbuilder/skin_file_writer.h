// Writes skin files: the 188-byte header, the objects, the image list and the named-entry
// list, and packs the result into the stored container (u32 size + LZO1X stream).
#pragma once

#include "skin/core/named_skin_entry.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_image.h"
#include "skin/core/skin_object.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class SkinFileWriter {
public:
    void SetRevision(std::uint8_t major, std::uint8_t minor);
    void AddObject(std::unique_ptr<SkinObject> object);
    void AddImage(std::unique_ptr<SkinImage> image);
    void AddNamedEntry(std::unique_ptr<NamedSkinEntry> entry);

    // The unpacked skin file.
    std::vector<std::uint8_t> FileBytes() const;
    // The file packed as a skin is stored.
    std::vector<std::uint8_t> ContainerBytes() const;

private:
    std::uint8_t m_major = SkinFormatRevision::kMajor;
    std::uint8_t m_minor = SkinFormatRevision::kNewestMinor;
    std::vector<std::unique_ptr<SkinObject>> m_objects;
    std::vector<std::unique_ptr<SkinImage>> m_images;
    std::vector<std::unique_ptr<NamedSkinEntry>> m_entries;
};

// The 188-byte header of a skin file.
std::vector<std::uint8_t> MakeSkinHeader(std::uint8_t major, std::uint8_t minor,
                                         std::uint32_t objectCount);

// Packs an unpacked skin file into a container; empty when the compressor fails.
std::vector<std::uint8_t> PackSkinContainer(std::span<const std::uint8_t> file);
