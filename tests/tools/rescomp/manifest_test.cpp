#include "generated_source.h"
#include "kinds.h"
#include "manifest.h"

#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using rescomp::CompileError;
using rescomp::parse_manifest;

TEST(Manifest, FieldsQuotesCommentsAndVariables) {
    const std::string text = "# resources\n"
                             "\n"
                             "  strings\ten   \"strings/en us.txt\"\r\n"
                             "binary UNINSTALL 130 ${uninstaller}\n"
                             "binary GLAZE_WORK DEFAULT_SKIN ${root}/skins/${name}.skin\n";
    const auto lines = parse_manifest(
        text, "app.manifest", {{"uninstaller", "/b/un.exe"}, {"root", "/r"}, {"name", "default"}});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].kind, "strings");
    EXPECT_EQ(lines[0].fields, (std::vector<std::string>{"en", "strings/en us.txt"}));
    EXPECT_EQ(lines[0].number, 3);
    EXPECT_EQ(lines[1].fields, (std::vector<std::string>{"UNINSTALL", "130", "/b/un.exe"}));
    EXPECT_EQ(lines[2].fields[2], "/r/skins/default.skin");
}

TEST(Manifest, FaultsNameTheLine) {
    const char* cases[] = {
        "binary A 1 ${missing}\n",
        "binary A 1 ${unterminated\n",
        "binary A 1 \"unterminated\n",
    };
    for (const char* text : cases) {
        EXPECT_THROW(
            {
                try {
                    parse_manifest(std::string("# first\n") + text, "m.manifest", {});
                } catch (const CompileError& error) {
                    EXPECT_EQ(std::string(error.what()).rfind("m.manifest:2: ", 0), 0u)
                        << error.what();
                    throw;
                }
            },
            CompileError)
            << text;
    }
}

TEST(Manifest, ResourceIdsAreNumbersOrNames) {
    struct Case {
        const char* token;
        std::optional<int> id;
        const char* name;
    };
    const Case cases[] = {
        {"130", 130, ""},     {"#130", 130, ""},
        {"65535", 65535, ""}, {"DEFAULT_SKIN", {}, "DEFAULT_SKIN"},
        {"AVI", {}, "AVI"},   {"1a", {}, "1a"},
    };
    for (const Case& c : cases) {
        const auto parsed = rescomp::parse_resource_id(c.token);
        ASSERT_TRUE(parsed) << c.token;
        EXPECT_EQ(parsed->id ? std::optional<int>(*parsed->id) : std::nullopt, c.id) << c.token;
        EXPECT_EQ(parsed->name, c.name) << c.token;
    }
    for (const char* bad : {"0", "65536", "#", "#x", ""})
        EXPECT_FALSE(rescomp::parse_resource_id(bad)) << bad;
}

// Compiles manifest lines the way the tool does, with files in a scratch folder.
class KindsTest : public ::testing::Test {
protected:
    void write(const std::string& name, const std::string& content) {
        std::ofstream(m_dir / name, std::ios::binary) << content;
    }
    void compile(const std::string& manifest) {
        rescomp::KindContext context{m_output, m_dir.path()};
        for (const auto& line : parse_manifest(manifest, m_dir / "m.manifest", {})) {
            const rescomp::ResourceKind* kind = rescomp::find_kind(line.kind);
            if (!kind)
                line.fail("unknown resource kind");
            kind->compile(line, context);
        }
    }
    lvtest::ScratchDir m_dir;
    rescomp::GeneratedSource m_output;
};

TEST_F(KindsTest, DuplicatesAndBadLinesAreRefused) {
    write("a.txt", "1\tone\n");
    write("b.txt", "1\tagain\n");
    write("blob", "xyz");
    const char* cases[] = {
        "strings en a.txt\nstrings en b.txt\n",
        "strings de a.txt\n",
        "strings en\n",
        "strings en missing.txt\n",
        "binary T 1 blob\nbinary t #1 blob\n",
        "binary T 0 blob\n",
        "binary T 1 missing\n",
        "dialog en 157 about.dlg\n",
    };
    for (const char* manifest : cases) {
        rescomp::GeneratedSource fresh;
        m_output = fresh;
        EXPECT_THROW(compile(manifest), CompileError) << manifest;
    }
}

TEST_F(KindsTest, SameIdInAnotherLanguageIsAllowed) {
    write("a.txt", "1\tone\n");
    write("b.txt", "1\tichi\n");
    EXPECT_NO_THROW(compile("strings en a.txt\nstrings ja b.txt\n"));
    EXPECT_EQ(m_output.dependencies().size(), 2u);
}

} // namespace
