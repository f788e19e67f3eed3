// SkinData::Load on hostile input. The first byte chooses what the rest is: a stored
// container as it comes, or the body of a skin file that gets a valid header of a chosen
// revision and is packed, so that the record readers are reached without first passing
// the LZO1X decoder by chance.
#include "skin/core/skin_data.h"
#include "skin/core/skin_format_version.h"
#include "skin/core/skin_object_factory.h"

#include "util/le_bytes.h"

#include <lzo/lzo1x.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<std::uint8_t> PackedSkinFile(const std::uint8_t* data, std::size_t size) {
    if (size < 5)
        return {};
    std::vector<std::uint8_t> file;
    lv::ByteWriter w(file);
    w.bytes(SkinData::kMagic, SkinData::kMagicLength);
    w.u8(0);
    w.u8(1);
    w.u8(data[0] % 13);
    w.zeros(SkinData::kObjectCountOffset - file.size());
    w.bytes(data + 1, 4); // object count
    w.zeros(SkinData::kHeaderSize - file.size());
    w.bytes(data + 5, size - 5);

    if (lzo_init() != LZO_E_OK)
        return {};
    std::vector<std::uint8_t> packed(file.size() + file.size() / 16 + 64 + 3);
    std::vector<std::uint8_t> work(LZO1X_1_MEM_COMPRESS);
    lzo_uint packedLength = packed.size();
    if (lzo1x_1_compress(file.data(), file.size(), packed.data(), &packedLength, work.data()) !=
        LZO_E_OK)
        return {};
    std::vector<std::uint8_t> container;
    lv::ByteWriter c(container);
    c.u32(static_cast<std::uint32_t>(file.size()));
    c.bytes(packed.data(), packedLength);
    return container;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    std::vector<std::uint8_t> input;
    if (data[0] & 1)
        input = PackedSkinFile(data + 1, size - 1);
    else
        input.assign(data + 1, data + size);

    MemStream container(input.data(), static_cast<std::uint32_t>(input.size()));
    SkinData skin;
    if (skin.Load(container)) {
        skin.FindElement("MainFrame");
        skin.FindElementByType(1);
        skin.FindElementByType(24);
        // Whatever was read writes out, reads back and writes out the same bytes again.
        MemStream written;
        for (const auto& [name, object] : skin.Objects()) {
            object->GetPropertyKind(name);
            object->Write(written);
        }
        SkinFormatVersion.Reset();
        written.Rewind();
        MemStream again;
        while (written.Remaining() > 0) {
            std::unique_ptr<SkinObject> copy =
                CreateSkinObject(ReadU32(written), SkinObjectPlace::TopLevel);
            if (!copy)
                __builtin_trap();
            copy->Read(written);
            copy->Write(again);
        }
        if (again.Length() != written.Length() ||
            (written.Length() && std::memcmp(again.Data(), written.Data(), written.Length())))
            __builtin_trap();
    }
    SkinFormatVersion.Reset();
    return 0;
}
