// binary <type> <name or id> <file>: a custom resource holding a file byte for byte.
#include "file_io.h"
#include "kinds.h"

#include <system_error>

namespace rescomp {

void compile_binary(const ManifestLine& line, KindContext& context) {
    if (line.fields.size() != 3)
        line.fail("expected: binary <type> <name or id> <file>");
    const auto type = parse_resource_id(line.fields[0]);
    const auto name = parse_resource_id(line.fields[1]);
    if (!type)
        line.fail("bad resource type \"" + line.fields[0] + "\"");
    if (!name)
        line.fail("bad resource name \"" + line.fields[1] + "\"");

    DataResource resource;
    resource.type = *type;
    resource.name = *name;
    const auto path = context.resolve(line.fields[2]);
    if (path.string().find_first_of("\n\r") != std::string::npos)
        line.fail("a file path cannot hold a line break");
    context.output.add_dependency(path);
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        line.fail("cannot read " + path.string() + ": " + error.message());
    resource.size = size;
    if (size <= GeneratedSource::kInlineLimit) {
        const std::string bytes = read_file(path, &line);
        resource.bytes.assign(bytes.begin(), bytes.end());
        resource.size = resource.bytes.size();
    } else {
        resource.file = std::filesystem::absolute(path);
    }
    if (!context.output.add_data(std::move(resource)))
        line.fail("resource " + type->describe() + " " + name->describe() + " is defined twice");
}

} // namespace rescomp
