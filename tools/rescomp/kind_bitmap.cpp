// bitmap <name or id> <file.bmp>: an RT_BITMAP resource, the BMP file's packed DIB (what
// LoadBitmap reads).
#include "bmp_file.h"
#include "kinds.h"

namespace rescomp {
namespace {

constexpr std::uint16_t kBitmapType = 2;

} // namespace

void compile_bitmap(const ManifestLine& line, KindContext& context) {
    if (line.fields.size() != 2)
        line.fail("expected: bitmap <name or id> <file.bmp>");
    const auto name = parse_resource_id(line.fields[0]);
    if (!name)
        line.fail("bad resource name \"" + line.fields[0] + "\"");
    const auto path = context.resolve(line.fields[1]);
    context.output.add_dependency(path);

    DataResource resource;
    resource.type = ResourceId{kBitmapType, {}};
    resource.name = *name;
    resource.bytes = read_bmp_file(path, line).bytes;
    resource.size = resource.bytes.size();
    if (!context.output.add_data(std::move(resource)))
        line.fail("bitmap " + name->describe() + " is defined twice");
}

} // namespace rescomp
