// icon <name or id> <file.bmp>: an RT_ICON resource, the packed DIB of a 24-bit BMP whose
// magenta pixels (0xFF00FF) are transparent. LoadIcon makes the mask from them.
#include "bmp_file.h"
#include "kinds.h"

namespace rescomp {
namespace {

constexpr std::uint16_t kIconType = 3;
constexpr std::uint16_t kIconBitCount = 24;
constexpr std::uint32_t kUncompressed = 0;

} // namespace

void compile_icon(const ManifestLine& line, KindContext& context) {
    if (line.fields.size() != 2)
        line.fail("expected: icon <name or id> <file.bmp>");
    const auto name = parse_resource_id(line.fields[0]);
    if (!name)
        line.fail("bad resource name \"" + line.fields[0] + "\"");
    const auto path = context.resolve(line.fields[1]);
    context.output.add_dependency(path);
    PackedDib dib = read_bmp_file(path, line);
    if (dib.bit_count != kIconBitCount || dib.compression != kUncompressed)
        line.fail(path.string() + ": an icon is an uncompressed 24-bit BMP");

    DataResource resource;
    resource.type = ResourceId{kIconType, {}};
    resource.name = *name;
    resource.bytes = std::move(dib.bytes);
    resource.size = resource.bytes.size();
    if (!context.output.add_data(std::move(resource)))
        line.fail("icon " + name->describe() + " is defined twice");
}

} // namespace rescomp
