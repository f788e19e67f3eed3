// The trailer reader against hand-assembled files: the golden layout, then files that lie.
#include "installer/package_archive.h"
#include "installer/package_trailer.h"
#include "system/paths.h"
#include "tests/installer/package_fixture.h"

#include <gtest/gtest.h>

namespace lvtest {
namespace {

const std::string kTitle = "Amber Tides Bay"; // 15 characters: 16-byte folder, 19-byte names

// The delivered layout: program image, <title>.dat's stream, <title>.scr's stream, trailer.
struct GoldenPackage {
    Bytes bytes;
    Bytes trailer;
};

GoldenPackage MakeGolden() {
    GoldenPackage g;
    lv::ByteWriter w(g.bytes);
    w.bytes(Bytes(300, 0x90));
    w.bytes(Bytes(40, 0xD1)); // stands in for stream 0 at offset 300
    w.bytes(Bytes(60, 0x5C)); // stream 1 at offset 340
    lv::ByteWriter t(g.trailer);
    t.u32(300);
    t.u32(1234);
    t.u32(40);
    t.bytes("Amber Tides Bay\\", 16);
    t.u32(16);
    t.bytes("Amber Tides Bay.dat", 19);
    t.u32(19);
    t.u32(340);
    t.u32(5678);
    t.u32(60);
    t.bytes("Amber Tides Bay\\", 16);
    t.u32(16);
    t.bytes("Amber Tides Bay.scr", 19);
    t.u32(19);
    t.u32(2);
    t.bytes("0.10", 4);
    t.bytes("!MARIGOLD!", 10);
    w.bytes(g.trailer);
    return g;
}

class TrailerTest : public PackageTest {};

TEST_F(TrailerTest, GoldenTrailerReadsFieldByField) {
    const GoldenPackage g = MakeGolden();
    ASSERT_EQ(g.trailer.size(), 128u);
    PackageArchive archive("unused");
    ASSERT_EQ(archive.ReadTrailer(WritePackageFile(g.bytes)), PackageResult::Success);
    EXPECT_EQ(archive.GetTrailerSize(), 128u);
    ASSERT_EQ(archive.GetEntryCount(), 2u);
    const PackageEntry& dat = archive.GetEntry(0);
    EXPECT_EQ(dat.GetDir(), kTitle + "\\");
    EXPECT_EQ(dat.GetName(), kTitle + ".dat");
    EXPECT_EQ(dat.streamOffset, 300u);
    EXPECT_EQ(dat.uncompressedSize, 1234u);
    EXPECT_EQ(dat.compressedSize, 40u);
    const PackageEntry& scr = archive.GetEntry(1);
    EXPECT_EQ(scr.GetName(), kTitle + ".scr");
    EXPECT_EQ(scr.streamOffset, 340u);
    EXPECT_EQ(scr.uncompressedSize, 5678u);
    EXPECT_EQ(scr.compressedSize, 60u);
}

TEST_F(TrailerTest, WriterProducesTheGoldenBytes) {
    const GoldenPackage g = MakeGolden();
    std::vector<PackageEntry> entries(2);
    entries[0] = {kTitle + "\\", kTitle + ".dat", 1234, 40, 300};
    entries[1] = {kTitle + "\\", kTitle + ".scr", 5678, 60, 340};
    Bytes written;
    lv::ByteWriter w(written);
    WritePackageTrailer(w, entries);
    EXPECT_EQ(written, g.trailer);
}

TEST_F(TrailerTest, AnswersForFilesThatAreNoPackage) {
    PackageArchive archive("unused");
    EXPECT_EQ(archive.ReadTrailer(lv::to_windows_path(Host("missing.exe").string())),
              PackageResult::OpenFailed);
    EXPECT_EQ(archive.ReadTrailer(WritePackageFile({})), PackageResult::NotAPackage);
}

// Each case edits the records or the end of a valid two-entry package.
struct MalformedCase {
    const char* what;
    void (*edit)(std::vector<TrailerRecord>& records, TrailerEnd& end, std::size_t trailerStart);
    PackageResult expected;
};

const MalformedCase kMalformed[] = {
    {"wrong marker", [](auto&, TrailerEnd& e, std::size_t) { e.marker = "!MARIGOLD?"; },
     PackageResult::NotAPackage},
    {"marker of another case", [](auto&, TrailerEnd& e, std::size_t) { e.marker = "!marigold!"; },
     PackageResult::NotAPackage},
    {"wrong version", [](auto&, TrailerEnd& e, std::size_t) { e.version = "0.11"; },
     PackageResult::NotAPackage},
    {"count 0", [](auto&, TrailerEnd& e, std::size_t) { e.count = 0; }, PackageResult::NoEntries},
    {"count above the table", [](auto&, TrailerEnd& e, std::size_t) { e.count = 1025; },
     PackageResult::NotAPackage},
    {"count of all bits", [](auto&, TrailerEnd& e, std::size_t) { e.count = 0xFFFFFFFF; },
     PackageResult::NotAPackage},
    {"count one more than the records", [](auto&, TrailerEnd& e, std::size_t) { e.count = 3; },
     PackageResult::NotAPackage},
    {"count that outruns the file", [](auto&, TrailerEnd& e, std::size_t) { e.count = 1024; },
     PackageResult::NotAPackage},
    {"name length past the start of the file",
     [](auto& r, TrailerEnd&, std::size_t) { r[1].nameLength = 0x7FFFFFFF; },
     PackageResult::NotAPackage},
    {"name length of all bits",
     [](auto& r, TrailerEnd&, std::size_t) { r[1].nameLength = 0xFFFFFFFF; },
     PackageResult::NotAPackage},
    {"folder length past the start of the file",
     [](auto& r, TrailerEnd&, std::size_t) { r[0].folderLength = 0x10000; },
     PackageResult::NotAPackage},
    {"name longer than 1000 bytes",
     [](auto& r, TrailerEnd&, std::size_t) { r[1].name = std::string(1001, 'n'); },
     PackageResult::NotAPackage},
    {"folder longer than 1000 bytes",
     [](auto& r, TrailerEnd&, std::size_t) { r[0].folder = std::string(1000, 'f') + "\\"; },
     PackageResult::NotAPackage},
    {"zero-length name", [](auto& r, TrailerEnd&, std::size_t) { r[0].name.clear(); },
     PackageResult::NotAPackage},
    {"stream offset inside the trailer",
     [](auto& r, TrailerEnd&, std::size_t start) {
         r[1].offset = static_cast<std::uint32_t>(start + 4);
     },
     PackageResult::NotAPackage},
    {"stream running into the trailer",
     [](auto& r, TrailerEnd&, std::size_t start) {
         r[1].compressedSize = static_cast<std::uint32_t>(start - r[1].offset + 1);
     },
     PackageResult::NotAPackage},
    {"stream offset of all bits",
     [](auto& r, TrailerEnd&, std::size_t) { r[0].offset = 0xFFFFFFFF; },
     PackageResult::NotAPackage},
    {"compressed size of all bits",
     [](auto& r, TrailerEnd&, std::size_t) { r[0].compressedSize = 0xFFFFFFFF; },
     PackageResult::NotAPackage},
    {"stream ending where the trailer starts",
     [](auto& r, TrailerEnd&, std::size_t start) {
         r[0].compressedSize = static_cast<std::uint32_t>(start - r[0].offset);
     },
     PackageResult::Success},
    {"name of exactly 1000 bytes",
     [](auto& r, TrailerEnd&, std::size_t) { r[1].name = std::string(1000, 'n'); },
     PackageResult::Success},
};

TEST_F(TrailerTest, MalformedTrailersAreRefused) {
    const AssembledPackage base =
        AssemblePackage(Bytes(64, 0), {{"Quiet\\", "Quiet.dat", TextLikeBytes(500)},
                                       {"Quiet\\", "Quiet.scr", NoiseBytes(300)}});
    for (const MalformedCase& c : kMalformed) {
        SCOPED_TRACE(c.what);
        std::vector<TrailerRecord> records = base.records;
        TrailerEnd end;
        c.edit(records, end, base.trailerStart);
        PackageArchive archive("unused");
        EXPECT_EQ(archive.ReadTrailer(WritePackageFile(Reassemble(base, records, end))),
                  c.expected);
        if (c.expected != PackageResult::Success) {
            EXPECT_EQ(archive.GetEntryCount(), 0u);
        }
    }
}

TEST_F(TrailerTest, ShortFilesAreRefused) {
    const Bytes whole = AssemblePackage(Bytes(8, 0), {{"NULL", "a.dat", TextLikeBytes(50)}}).bytes;
    // Every cut of the file's start, down to the marker alone and less.
    for (std::size_t keep : {std::size_t(0), std::size_t(9), std::size_t(10), std::size_t(14),
                             std::size_t(17), std::size_t(18), std::size_t(30), whole.size() - 9}) {
        SCOPED_TRACE(keep);
        const Bytes cut(whole.end() - static_cast<std::ptrdiff_t>(keep), whole.end());
        PackageArchive archive("unused");
        EXPECT_EQ(archive.ReadTrailer(WritePackageFile(cut)), PackageResult::NotAPackage);
    }
}

TEST_F(TrailerTest, NamesThatLeaveTheTargetAreRefused) {
    struct Case {
        const char* folder;
        const char* name;
    };
    const Case cases[] = {
        {"..\\", "x.dat"},     {"a\\..\\", "x.dat"}, {"\\abs\\", "x.dat"}, {"C:\\", "x.dat"},
        {"a\\\\b\\", "x.dat"}, {"/etc/", "x.dat"},   {"a/../", "x.dat"},   {"..", "x.dat"},
        {"NULL", "..\\x.dat"}, {"NULL", "../x.dat"}, {"NULL", "C:x.dat"},  {"NULL", ".."},
        {"NULL", "."},         {"NULL", "\\x.dat"},  {"a\\", "b\\x.dat"},  {"a\\", "/tmp/x.dat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.folder) + " | " + c.name);
        const AssembledPackage p =
            AssemblePackage(Bytes(16, 0), {{c.folder, c.name, TextLikeBytes(20)}});
        PackageArchive archive(WritePackageFile(p.bytes));
        EXPECT_EQ(archive.ReadTrailer(archive.GetPackagePath()), PackageResult::NotAPackage);
        EXPECT_EQ(archive.ExtractAll(Target(), nullptr, nullptr), PackageResult::NotAPackage);
    }
    EXPECT_TRUE(std::filesystem::is_empty(TargetHost()));
    EXPECT_FALSE(std::filesystem::exists(Host("x.dat")));
}

TEST_F(TrailerTest, SafeFoldersAreKept) {
    for (const char* folder : {"NULL", "Quiet Horizons\\", "a\\b\\", "a\\b", "..a\\", "a..\\"}) {
        SCOPED_TRACE(folder);
        const AssembledPackage p =
            AssemblePackage(Bytes(16, 0), {{folder, "x..dat", TextLikeBytes(20)}});
        PackageArchive archive("unused");
        ASSERT_EQ(archive.ReadTrailer(WritePackageFile(p.bytes)), PackageResult::Success);
        EXPECT_EQ(archive.GetEntry(0).GetDir(), folder);
    }
}

TEST_F(TrailerTest, AddBackslashAddsOneOnlyWhenMissing) {
    EXPECT_EQ(PackageArchive::AddBackslash("C:\\x"), "C:\\x\\");
    EXPECT_EQ(PackageArchive::AddBackslash("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(PackageArchive::AddBackslash(""), "\\");
}

} // namespace
} // namespace lvtest
