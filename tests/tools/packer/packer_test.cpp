// The packer's packages read back through the installer's own archive, and the checks that
// keep a wrong theme or an unsafe name out of a package.
#include "installer/package_archive.h"
#include "system/paths.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"
#include "tools/packer/packer.h"
#include "tools/themebuilder/theme_builder.h"

#include <gtest/gtest.h>

#include <random>

namespace lvtest {
namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> Noise(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<unsigned char> out(size);
    for (auto& b : out)
        b = static_cast<unsigned char>(random() % 16); // compressible, but not trivially
    return out;
}

class PackerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFileBytes(m_dir / "setup", Noise(20000, 1));
        WriteFileBytes(m_dir / "saver.scr", Noise(3'000'000, 2));
        WriteTheme("theme.dat", "Amber Tides");
    }
    void WriteTheme(const std::string& file, const std::string& title) {
        lvtools::ThemeSpec spec;
        spec.header.title = title;
        WriteFileBytes(m_dir / file, lvtools::BuildTheme(spec).bytes);
    }
    bool Pack(const std::string& title, const std::string& theme = "theme.dat") {
        m_error.clear();
        return lvtools::PackThemeInstaller(m_dir / "setup", m_dir / "out", title, m_dir / theme,
                                           m_dir / "saver.scr", m_error);
    }
    std::string Win(const fs::path& p) const { return lv::to_windows_path(p.string()); }

    ScratchDir m_dir;
    std::string m_error;
};

TEST_F(PackerTest, ThemePackageExtractsByteForByte) {
    ASSERT_TRUE(Pack("Amber Tides")) << m_error;
    EXPECT_EQ(fs::status(m_dir / "out").permissions() & fs::perms::mask, fs::perms(0755));

    PackageArchive archive(Win(m_dir / "out"));
    ASSERT_EQ(archive.ReadTrailer(archive.GetPackagePath()), PackageResult::Success);
    ASSERT_EQ(archive.GetEntryCount(), 2u);
    EXPECT_EQ(archive.GetEntry(0).GetName(), "Amber Tides.dat");
    EXPECT_EQ(archive.GetEntry(0).streamOffset, 20000u);
    EXPECT_EQ(archive.GetEntry(1).GetName(), "Amber Tides.scr");
    EXPECT_EQ(archive.GetEntry(1).GetDir(), "Amber Tides\\");
    EXPECT_EQ(archive.GetTrailerSize(), 18u + 2 * (20 + 12 + 15));

    fs::create_directories(m_dir / "target");
    ASSERT_EQ(archive.ExtractAll(Win(m_dir / "target"), nullptr, nullptr), PackageResult::Success);
    EXPECT_EQ(ReadFileBytes(m_dir / "target" / "Amber Tides" / "Amber Tides.scr"),
              ReadFileBytes(m_dir / "saver.scr"));
    EXPECT_EQ(ReadFileBytes(m_dir / "target" / "Amber Tides" / "Amber Tides.dat"),
              ReadFileBytes(m_dir / "theme.dat"));
}

TEST_F(PackerTest, ReportsWhatEachEntryTakes) {
    std::vector<lvtools::PackedSize> sizes;
    ASSERT_TRUE(lvtools::WritePackage(
        m_dir / "setup", m_dir / "out",
        lvtools::ThemePackageEntries("Amber Tides", m_dir / "theme.dat", m_dir / "saver.scr"),
        m_error, &sizes))
        << m_error;
    PackageArchive archive(Win(m_dir / "out"));
    ASSERT_EQ(archive.ReadTrailer(archive.GetPackagePath()), PackageResult::Success);
    ASSERT_EQ(sizes.size(), 2u);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const PackageEntry& entry = archive.GetEntry(static_cast<std::uint32_t>(i));
        EXPECT_EQ(sizes[i].name, entry.GetDir() + entry.GetName());
        EXPECT_EQ(sizes[i].bytes, entry.uncompressedSize);
        EXPECT_EQ(sizes[i].packed, entry.compressedSize);
    }
    EXPECT_EQ(sizes[1].bytes, fs::file_size(m_dir / "saver.scr"));
}

TEST_F(PackerTest, RefusesAThemeOfAnotherTitle) {
    WriteTheme("padded.dat", "  Amber Tides \t");
    EXPECT_TRUE(Pack("Amber Tides", "padded.dat")) << m_error;
    fs::remove(m_dir / "out");

    for (const char* title : {"Amber Tide", "amber tides", "Amber Tides Bay", ""}) {
        SCOPED_TRACE(title);
        EXPECT_FALSE(Pack(title));
        EXPECT_NE(m_error.find("title"), std::string::npos) << m_error;
        EXPECT_FALSE(fs::exists(m_dir / "out"));
    }
}

TEST_F(PackerTest, RefusesWhatIsNoThemeFile) {
    WriteFileBytes(m_dir / "short.dat", std::vector<unsigned char>(100, 0));
    auto foreign = ReadFileBytes(m_dir / "theme.dat");
    foreign[0] ^= 0x20;
    WriteFileBytes(m_dir / "foreign.dat", foreign);
    for (const char* theme : {"short.dat", "foreign.dat", "missing.dat"}) {
        SCOPED_TRACE(theme);
        EXPECT_FALSE(Pack("Amber Tides", theme));
        EXPECT_FALSE(fs::exists(m_dir / "out"));
    }
}

TEST_F(PackerTest, RefusesEntriesTheInstallerWouldRefuse) {
    WriteFileBytes(m_dir / "out", {1, 2, 3});
    const fs::path source = m_dir / "saver.scr";
    const std::vector<std::vector<lvtools::PackSource>> cases = {
        {},
        {{"..\\", "x.scr", source}},
        {{"NULL", "C:x.scr", source}},
        {{"a\\", "", source}},
        {{"a\\", std::string(1001, 'x'), source}},
        {{"a\\", "x.scr", m_dir / "missing"}},
        std::vector<lvtools::PackSource>(1025, {"NULL", "x.scr", m_dir / "setup"}),
    };
    for (const auto& entries : cases) {
        std::string error;
        EXPECT_FALSE(lvtools::WritePackage(m_dir / "setup", m_dir / "out", entries, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(ReadFileBytes(m_dir / "out"), (std::vector<unsigned char>{1, 2, 3}));
    }
}

TEST_F(PackerTest, CommandPacksAndRefuses) {
    const auto run = [&](const std::string& title) {
        return RunProgram(LV_PACK, {"--program", (m_dir / "setup").string(), "--output",
                                    (m_dir / "cmd").string(), "--title", title, "--theme",
                                    (m_dir / "theme.dat").string(), "--saver",
                                    (m_dir / "saver.scr").string()});
    };
    const ProcessResult refused = run("Quiet Horizons");
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Amber Tides"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(m_dir / "cmd"));

    const ProcessResult packed = run("Amber Tides");
    ASSERT_EQ(packed.exitCode, 0) << packed.err;
    ASSERT_TRUE(Pack("Amber Tides"));
    EXPECT_TRUE(SameFileBytes(m_dir / "cmd", m_dir / "out"));

    EXPECT_EQ(RunProgram(LV_PACK, {"--program", "x"}).exitCode, 2);
}

} // namespace
} // namespace lvtest
