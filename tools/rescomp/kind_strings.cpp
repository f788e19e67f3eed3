// strings <en|ja|ko> <file>: one language's string table.
#include "file_io.h"
#include "kinds.h"
#include "string_file.h"

namespace rescomp {

void compile_strings(const ManifestLine& line, KindContext& context) {
    if (line.fields.size() != 2)
        line.fail("expected: strings <en|ja|ko> <string file>");
    const auto language = language_from_code(line.fields[0]);
    if (!language)
        line.fail("unknown language \"" + line.fields[0] + "\" (en, ja or ko)");
    const auto path = context.resolve(line.fields[1]);
    context.output.add_dependency(path);
    const auto entries = parse_string_file(read_file(path, &line), path.string());
    for (const StringFileEntry& entry : entries) {
        if (!context.output.add_string(*language, entry.id, entry.text))
            throw CompileError(path.string() + ":" + std::to_string(entry.line) + ": string " +
                               std::to_string(entry.id) + " is defined twice");
    }
}

} // namespace rescomp
