// bitmap <name or id> <file.bmp>: an RT_BITMAP resource, the BMP file without its 14-byte file
// header (the packed DIB that LoadBitmap reads).
#include "file_io.h"
#include "kinds.h"

namespace rescomp {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint16_t kBitmapType = 2;

std::uint32_t le32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

} // namespace

void compile_bitmap(const ManifestLine& line, KindContext& context) {
    if (line.fields.size() != 2)
        line.fail("expected: bitmap <name or id> <file.bmp>");
    const auto name = parse_resource_id(line.fields[0]);
    if (!name)
        line.fail("bad resource name \"" + line.fields[0] + "\"");
    const auto path = context.resolve(line.fields[1]);
    context.output.add_dependency(path);
    const std::string file = read_file(path, &line);
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || file[0] != 'B' || file[1] != 'M')
        line.fail(path.string() + " is not a BMP file");
    if (le32(file, kFileHeaderSize) != kInfoHeaderSize)
        line.fail(path.string() + ": only the 40-byte information header is supported");
    const std::uint32_t pixels_at = le32(file, 10);
    if (pixels_at < kFileHeaderSize + kInfoHeaderSize || pixels_at > file.size())
        line.fail(path.string() + ": the pixel offset lies outside the file");

    DataResource resource;
    resource.type = ResourceId{kBitmapType, {}};
    resource.name = *name;
    resource.bytes.assign(file.begin() + kFileHeaderSize, file.end());
    resource.size = resource.bytes.size();
    if (!context.output.add_data(std::move(resource)))
        line.fail("bitmap " + name->describe() + " is defined twice");
}

} // namespace rescomp
