// rescomp: compiles one program's resource manifest into a C++ source that is compiled into
// the program and registers its resources with the platform layer at start-up.
//
//   rescomp --manifest <file> --output <file.cpp> [--depfile <file.d>]
//           [--symbol-prefix <identifier>] [--define NAME=VALUE]...
//
// The manifest is UTF-8 text, one resource (or one string table) per line; fields are
// separated by spaces or tabs, a field may be "double-quoted", '#' starts a comment line,
// ${NAME} is replaced by a --define (the build passes one per program it depends on, holding
// that program's path, and BINARY_DIR). Relative paths start at the manifest's folder.
//
//   strings <en|ja|ko> <file>           a string table (see string_file.h for its format)
//   dialog  <en|ja|ko> <name or id> <file>  a dialog template (see dialog_file.h, README.md)
//   binary  <type> <name or id> <file>  a custom resource holding the file byte for byte;
//                                       type and name are numbers (ids, also "#130") or
//                                       names such as UNINSTALL or DEFAULT_SKIN
//   bitmap  <name or id> <file.bmp>     a bitmap for LoadBitmap (see bmp_file.h)
//   icon    <name or id> <file.bmp>     an icon for LoadIcon: 24 bits, magenta transparent
//
// Example:
//   strings en strings/en.txt
//   strings ja strings/ja.txt
//   binary  UNINSTALL  130           ${uninstaller}
//   binary  GLAZE_WORK DEFAULT_SKIN  skins/default.skin
//
// A new kind (menus, ...) is one kind_<name>.cpp and one line in kinds.cpp. The depfile lists the
// manifest and every file it names, so a change of any of them reruns the tool.
#include "file_io.h"
#include "kinds.h"
#include "manifest.h"

#include <cctype>
#include <fstream>
#include <iostream>
#include <optional>

namespace {

struct Options {
    std::filesystem::path manifest;
    std::filesystem::path output;
    std::optional<std::filesystem::path> depfile;
    std::string symbol_prefix = "lv_resources";
    rescomp::Variables variables;
};

std::string identifier(const std::string& text) {
    std::string out;
    for (char c : text)
        out += (std::isalnum(static_cast<unsigned char>(c)) || c == '_') ? c : '_';
    if (out.empty() || std::isdigit(static_cast<unsigned char>(out[0])))
        out.insert(out.begin(), '_');
    return out;
}

std::optional<Options> parse_options(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return std::nullopt;
        const std::string value = argv[++i];
        if (arg == "--manifest") {
            options.manifest = value;
        } else if (arg == "--output") {
            options.output = value;
        } else if (arg == "--depfile") {
            options.depfile = value;
        } else if (arg == "--symbol-prefix") {
            options.symbol_prefix = identifier(value);
        } else if (arg == "--define") {
            const auto equals = value.find('=');
            if (equals == std::string::npos || equals == 0)
                return std::nullopt;
            options.variables[value.substr(0, equals)] = value.substr(equals + 1);
        } else {
            return std::nullopt;
        }
    }
    if (options.manifest.empty() || options.output.empty())
        return std::nullopt;
    return options;
}

// Make-style escaping of a path in a depfile.
std::string depfile_path(const std::filesystem::path& path) {
    std::string out;
    for (char c : path.string()) {
        if (c == ' ' || c == '#' || c == '\\')
            out += '\\';
        if (c == '$')
            out += '$';
        out += c;
    }
    return out;
}

void write_file(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (!out)
        throw rescomp::CompileError("cannot write " + path.string());
}

void compile(const Options& options) {
    const auto manifest = std::filesystem::absolute(options.manifest).lexically_normal();
    const auto lines =
        rescomp::parse_manifest(rescomp::read_file(manifest, nullptr), manifest, options.variables);
    rescomp::GeneratedSource output;
    output.add_dependency(manifest);
    rescomp::KindContext context{output, manifest.parent_path()};
    for (const rescomp::ManifestLine& line : lines) {
        const rescomp::ResourceKind* kind = rescomp::find_kind(line.kind);
        if (!kind)
            line.fail("unknown resource kind \"" + line.kind + "\"");
        kind->compile(line, context);
    }

    write_file(options.output, output.render(manifest.filename().string(), options.symbol_prefix));
    if (!options.depfile)
        return;
    std::string deps = depfile_path(std::filesystem::absolute(options.output)) + ":";
    for (const auto& file : output.dependencies())
        deps += " \\\n  " + depfile_path(std::filesystem::absolute(file));
    write_file(*options.depfile, deps + "\n");
}

} // namespace

int main(int argc, char** argv) {
    const auto options = parse_options(argc, argv);
    if (!options) {
        std::cerr << "usage: rescomp --manifest <file> --output <file.cpp> [--depfile <file.d>]"
                     " [--symbol-prefix <identifier>] [--define NAME=VALUE]...\n";
        return 2;
    }
    try {
        compile(*options);
    } catch (const rescomp::CompileError& error) {
        std::cerr << "rescomp: " << error.what() << "\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "rescomp: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
