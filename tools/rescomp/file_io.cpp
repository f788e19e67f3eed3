#include "file_io.h"

#include <fstream>
#include <sstream>

namespace rescomp {

std::string read_file(const std::filesystem::path& path, const ManifestLine* line) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const std::string message = "cannot read " + path.string();
        if (line)
            line->fail(message);
        throw CompileError(message);
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

} // namespace rescomp
