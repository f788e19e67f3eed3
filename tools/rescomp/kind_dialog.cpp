// dialog <en|ja|ko> <name or id> <file>: one language's copy of a dialog template.
#include "dialog_file.h"
#include "file_io.h"
#include "kinds.h"

namespace rescomp {

void compile_dialog(const ManifestLine& line, KindContext& context) {
    if (line.fields.size() != 3)
        line.fail("expected: dialog <en|ja|ko> <name or id> <dialog file>");
    const auto language = language_from_code(line.fields[0]);
    if (!language)
        line.fail("unknown language \"" + line.fields[0] + "\" (en, ja or ko)");
    const auto name = parse_resource_id(line.fields[1]);
    if (!name)
        line.fail("bad dialog name \"" + line.fields[1] + "\"");
    const auto path = context.resolve(line.fields[2]);
    context.output.add_dependency(path);
    const DialogSource dialog = parse_dialog_file(read_file(path, &line), path.string());

    DataResource resource;
    resource.type = ResourceId{5, {}}; // RT_DIALOG
    resource.name = *name;
    resource.language = *language;
    resource.bytes = write_dialog_template(dialog);
    resource.size = resource.bytes.size();
    if (!context.output.add_data(std::move(resource)))
        line.fail("dialog " + name->describe() + " is defined twice in that language");

    std::vector<std::uint8_t> init = write_dialog_init(dialog);
    if (init.empty())
        return;
    DataResource items;
    items.type = ResourceId{240, {}}; // RT_DLGINIT
    items.name = *name;
    items.language = *language;
    items.bytes = std::move(init);
    items.size = items.bytes.size();
    context.output.add_data(std::move(items));
}

} // namespace rescomp
