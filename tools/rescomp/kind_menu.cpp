// menu <en|ja|ko> <name or id> <file>: one language's copy of a menu.
#include "file_io.h"
#include "kinds.h"
#include "menu_file.h"

namespace rescomp {

void compile_menu(const ManifestLine& line, KindContext& context) {
    if (line.fields.size() != 3)
        line.fail("expected: menu <en|ja|ko> <name or id> <menu file>");
    const auto language = language_from_code(line.fields[0]);
    if (!language)
        line.fail("unknown language \"" + line.fields[0] + "\" (en, ja or ko)");
    const auto name = parse_resource_id(line.fields[1]);
    if (!name)
        line.fail("bad menu name \"" + line.fields[1] + "\"");
    const auto path = context.resolve(line.fields[2]);
    context.output.add_dependency(path);
    const auto items = parse_menu_file(read_file(path, &line), path.string());

    DataResource resource;
    resource.type = ResourceId{4, {}}; // RT_MENU
    resource.name = *name;
    resource.language = *language;
    resource.bytes = write_menu_template(items);
    resource.size = resource.bytes.size();
    if (!context.output.add_data(std::move(resource)))
        line.fail("menu " + name->describe() + " is defined twice in that language");
}

} // namespace rescomp
