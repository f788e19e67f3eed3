#include "tests/support/skin_builder.h"

#include "tools/skinbuilder/skin_file_writer.h"

namespace lvtest {

std::size_t BaseRecordSize(int minor) {
    return 51 + 4 * 3 + 51 + 4 + (minor >= 8 ? 20 : 0) + 4;
}

void WriteBaseRecord(lv::ByteWriter& w, const std::string& name, int minor,
                     std::uint32_t childCount) {
    w.text(name, 51);
    w.u32(0x010203);
    w.u32(0x040506);
    w.u32(0x070809);
    w.text("text", 51);
    w.u32(7);
    if (minor >= 8) {
        w.i32(1);
        w.i32(2);
        w.i32(3);
        w.i32(4);
        w.u32(1);
    }
    w.u32(childCount);
}

void WriteFill(lv::ByteWriter& w, std::size_t count, std::uint8_t pattern) {
    std::vector<std::uint8_t> bytes(count, pattern);
    w.bytes(bytes);
}

std::vector<std::uint8_t> SkinFile(std::uint8_t major, std::uint8_t minor,
                                   std::uint32_t objectCount, std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> file = MakeSkinHeader(major, minor, objectCount);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> file) {
    return PackSkinContainer(file);
}

std::unique_ptr<MemStream> StreamOf(std::span<const std::uint8_t> bytes) {
    return std::make_unique<MemStream>(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

int LoadContainer(SkinData& skin, std::span<const std::uint8_t> container) {
    auto stream = StreamOf(container);
    return skin.Load(*stream);
}

} // namespace lvtest
