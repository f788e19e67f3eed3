#include "tools/skinbuilder/skin_file_writer.h"

#include "skin/core/mem_stream.h"
#include "skin/core/skin_data.h"

#include "util/le_bytes.h"

#include <lzo/lzo1x.h>

void SkinFileWriter::SetRevision(std::uint8_t major, std::uint8_t minor) {
    m_major = major;
    m_minor = minor;
}

void SkinFileWriter::AddObject(std::unique_ptr<SkinObject> object) {
    m_objects.push_back(std::move(object));
}

void SkinFileWriter::AddImage(std::unique_ptr<SkinImage> image) {
    m_images.push_back(std::move(image));
}

void SkinFileWriter::AddNamedEntry(std::unique_ptr<NamedSkinEntry> entry) {
    m_entries.push_back(std::move(entry));
}

std::vector<std::uint8_t> MakeSkinHeader(std::uint8_t major, std::uint8_t minor,
                                         std::uint32_t objectCount) {
    std::vector<std::uint8_t> header;
    lv::ByteWriter w(header);
    w.bytes(SkinData::kMagic, SkinData::kMagicLength);
    w.u8(0);
    w.u8(major);
    w.u8(minor);
    w.zeros(SkinData::kObjectCountOffset - header.size());
    w.u32(objectCount);
    w.zeros(SkinData::kHeaderSize - header.size());
    return header;
}

namespace {

template <typename T>
void WriteList(MemStream& stream, const std::vector<std::unique_ptr<T>>& list) {
    std::vector<std::uint8_t> count;
    lv::ByteWriter(count).u32(static_cast<std::uint32_t>(list.size()));
    stream.Write(count.data(), 4);
    for (const auto& each : list)
        each->Write(stream);
}

} // namespace

std::vector<std::uint8_t> SkinFileWriter::FileBytes() const {
    MemStream stream;
    std::vector<std::uint8_t> header =
        MakeSkinHeader(m_major, m_minor, static_cast<std::uint32_t>(m_objects.size()));
    stream.Write(header.data(), static_cast<std::uint32_t>(header.size()));
    for (const auto& object : m_objects)
        object->Write(stream);
    WriteList(stream, m_images);
    WriteList(stream, m_entries);
    return {stream.Data(), stream.Data() + stream.Length()};
}

std::vector<std::uint8_t> SkinFileWriter::ContainerBytes() const {
    return PackSkinContainer(FileBytes());
}

std::vector<std::uint8_t> PackSkinContainer(std::span<const std::uint8_t> file) {
    if (lzo_init() != LZO_E_OK)
        return {};
    std::vector<std::uint8_t> packed(file.size() + file.size() / 16 + 64 + 3);
    std::vector<std::uint8_t> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint packedLength = packed.size();
    if (lzo1x_1_compress(file.data(), file.size(), packed.data(), &packedLength, work.data()) !=
        LZO_E_OK)
        return {};
    std::vector<std::uint8_t> container;
    lv::ByteWriter w(container);
    w.u32(static_cast<std::uint32_t>(file.size()));
    w.bytes(packed.data(), packedLength);
    return container;
}
