// Extraction of hand-assembled packages: round trips, the calling order, and entries whose
// streams lie about themselves.
#include "installer/package_archive.h"
#include "system/paths.h"
#include "tests/installer/package_fixture.h"
#include "tests/support/process_runner.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

namespace lvtest {
namespace {

namespace fs = std::filesystem;

struct Event {
    int code;
    std::string name; // the entry's, for start and done
    int percent = -1; // for progress
};

int Record(int code, void* data, void* user) {
    auto& events = *static_cast<std::vector<Event>*>(user);
    if (code == kExtractProgress)
        events.push_back({code, {}, *static_cast<int*>(data)});
    else
        events.push_back({code, static_cast<PackageEntry*>(data)->GetName()});
    return 0;
}

class ExtractTest : public PackageTest {
protected:
    PackageResult Extract(const Bytes& package) {
        PackageArchive archive(WritePackageFile(package));
        return archive.ExtractAll(Target(), Record, &m_events);
    }
    std::vector<Event> StartsAndDones() const {
        std::vector<Event> out;
        for (const Event& e : m_events) {
            if (e.code != kExtractProgress)
                out.push_back(e);
        }
        return out;
    }

    std::vector<Event> m_events;
};

TEST_F(ExtractTest, RoundTripsAcrossTheBufferBoundaries) {
    struct Case {
        std::size_t size;
        bool noise; // incompressible: the stream crosses the input buffer's edge too
    };
    const Case cases[] = {{0, false},    {1, false},       {4095, false},        {4096, false},
                          {4097, false}, {8192, false},    {4085, true},         {4086, true},
                          {4087, true},  {4095, true},     {4096, true},         {4097, true},
                          {12289, true}, {3 << 20, false}, {(2 << 20) + 7, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + (c.noise ? " noise" : " text"));
        const Bytes data = c.noise ? NoiseBytes(c.size, 7) : TextLikeBytes(c.size, 7);
        fs::remove_all(TargetHost());
        ASSERT_EQ(
            Extract(AssemblePackage(Bytes(100, 0x4D), {{"Theme\\", "Theme.dat", data}}).bytes),
            PackageResult::Success);
        EXPECT_EQ(ReadFileBytes(TargetHost() / "Theme" / "Theme.dat"), data);
    }
}

TEST_F(ExtractTest, LastEntryFirstWithCallbacksAroundEach) {
    const Bytes big = TextLikeBytes(400000, 3);
    const AssembledPackage p =
        AssemblePackage(Bytes(32, 0), {{"T\\", "T.dat", big},
                                       {"T\\", "T.scr", NoiseBytes(9000, 4)},
                                       {"NULL", "readme.txt", TextLikeBytes(10)}});
    ASSERT_EQ(Extract(p.bytes), PackageResult::Success);

    const std::vector<Event> marks = StartsAndDones();
    const std::vector<std::pair<int, std::string>> expected = {
        {kExtractEntryStarting, "readme.txt"}, {kExtractEntryDone, "readme.txt"},
        {kExtractEntryStarting, "T.scr"},      {kExtractEntryDone, "T.scr"},
        {kExtractEntryStarting, "T.dat"},      {kExtractEntryDone, "T.dat"}};
    ASSERT_EQ(marks.size(), expected.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].code, expected[i].first) << i;
        EXPECT_EQ(marks[i].name, expected[i].second) << i;
    }
    // Progress comes between an entry's start and its end, rising, within 0..100.
    int last = -1;
    bool insideBig = false;
    int progressForBig = 0;
    for (const Event& e : m_events) {
        if (e.code == kExtractEntryStarting) {
            last = -1;
            insideBig = e.name == "T.dat";
        } else if (e.code == kExtractProgress) {
            EXPECT_GE(e.percent, last);
            EXPECT_LE(e.percent, 100);
            last = e.percent;
            progressForBig += insideBig;
        }
    }
    EXPECT_GT(progressForBig, 2);

    EXPECT_EQ(ReadFileBytes(TargetHost() / "T" / "T.dat"), big);
    EXPECT_EQ(ReadFileBytes(TargetHost() / "T" / "T.scr"), NoiseBytes(9000, 4));
    EXPECT_EQ(ReadFileBytes(TargetHost() / "readme.txt"), TextLikeBytes(10));
}

TEST_F(ExtractTest, ExistingFilesAreReplaced) {
    fs::create_directories(TargetHost() / "T");
    WriteFileBytes(TargetHost() / "T" / "T.dat", TextLikeBytes(50000, 9));
    ASSERT_EQ(Extract(AssemblePackage({}, {{"T\\", "T.dat", TextLikeBytes(100)}}).bytes),
              PackageResult::Success);
    EXPECT_EQ(ReadFileBytes(TargetHost() / "T" / "T.dat"), TextLikeBytes(100));
}

TEST_F(ExtractTest, FoldersAreMadeTwoLevelsDeep) {
    ASSERT_EQ(Extract(AssemblePackage({}, {{"a\\b\\", "x.dat", TextLikeBytes(10)}}).bytes),
              PackageResult::Success);
    EXPECT_EQ(ReadFileBytes(TargetHost() / "a" / "b" / "x.dat"), TextLikeBytes(10));

    m_events.clear();
    EXPECT_EQ(Extract(AssemblePackage({}, {{"c\\d\\e\\", "x.dat", TextLikeBytes(10)}}).bytes),
              PackageResult::OutputFailed);
    EXPECT_FALSE(fs::exists(TargetHost() / "c"));
}

// Each case spoils entry 1 of three; entries 0 and 2 are still written and entry 1 leaves
// nothing behind.
struct SpoiledCase {
    const char* what;
    void (*spoil)(AssembledPackage& p, std::vector<TrailerRecord>& records);
};

const SpoiledCase kSpoiled[] = {
    {"damaged stream",
     [](AssembledPackage& p, auto& r) { p.bytes[r[1].offset + r[1].compressedSize / 2] ^= 0x55; }},
    {"damaged checksum",
     [](AssembledPackage& p, auto& r) { p.bytes[r[1].offset + r[1].compressedSize - 1] ^= 1; }},
    {"stream cut short", [](AssembledPackage&, auto& r) { r[1].compressedSize -= 600; }},
    {"stream cut to its header", [](AssembledPackage&, auto& r) { r[1].compressedSize = 2; }},
    {"no stream at all", [](AssembledPackage&, auto& r) { r[1].compressedSize = 0; }},
    {"stream longer than its record",
     [](AssembledPackage&, auto& r) { r[1].uncompressedSize -= 1; }},
    {"stream shorter than its record",
     [](AssembledPackage&, auto& r) { r[1].uncompressedSize += 1; }},
    {"stream far longer than its record",
     [](AssembledPackage&, auto& r) { r[1].uncompressedSize = 10; }},
    {"offset at another stream's middle",
     [](AssembledPackage&, auto& r) { r[1].offset = r[0].offset + 100; }},
    {"not a zlib stream", [](AssembledPackage& p, auto& r) { p.bytes[r[1].offset] = 0x12; }},
};

TEST_F(ExtractTest, SpoiledEntriesFailAndLeaveNoFile) {
    const Bytes good0 = TextLikeBytes(70000, 1), bad = TextLikeBytes(90000, 2),
                good2 = NoiseBytes(5000, 3);
    for (const SpoiledCase& c : kSpoiled) {
        SCOPED_TRACE(c.what);
        AssembledPackage p = AssemblePackage(
            Bytes(40, 0),
            {{"T\\", "zero.dat", good0}, {"T\\", "one.dat", bad}, {"T\\", "two.dat", good2}});
        std::vector<TrailerRecord> records = p.records;
        c.spoil(p, records);
        fs::remove_all(TargetHost());
        m_events.clear();
        ASSERT_EQ(Extract(Reassemble(p, records)), PackageResult::OutputFailed);
        EXPECT_FALSE(fs::exists(TargetHost() / "T" / "one.dat"));
        EXPECT_EQ(ReadFileBytes(TargetHost() / "T" / "zero.dat"), good0);
        EXPECT_EQ(ReadFileBytes(TargetHost() / "T" / "two.dat"), good2);
        // The failed entry is announced but never reported as extracted.
        const std::vector<Event> marks = StartsAndDones();
        ASSERT_EQ(marks.size(), 5u);
        EXPECT_EQ(marks[2].code, kExtractEntryStarting);
        EXPECT_EQ(marks[2].name, "one.dat");
        EXPECT_EQ(marks[3].code, kExtractEntryStarting);
        EXPECT_EQ(marks[3].name, "zero.dat");
    }
}

TEST_F(ExtractTest, AnOutputThatCannotBeCreatedFailsOnlyItsEntry) {
    fs::create_directories(TargetHost() / "T" / "one.dat");
    const AssembledPackage p = AssemblePackage(
        {}, {{"T\\", "zero.dat", TextLikeBytes(100)}, {"T\\", "one.dat", TextLikeBytes(200)}});
    EXPECT_EQ(Extract(p.bytes), PackageResult::OutputFailed);
    EXPECT_TRUE(fs::is_directory(TargetHost() / "T" / "one.dat"));
    EXPECT_EQ(ReadFileBytes(TargetHost() / "T" / "zero.dat"), TextLikeBytes(100));
}

// Every output is written under a private name and then moved into place: a link planted at
// an output's name while the extraction runs is replaced, and its target stays as it was.
TEST_F(ExtractTest, ALinkAtAnOutputsNameIsReplacedNotWrittenThrough) {
    ScratchDir outside;
    struct Planting {
        fs::path folder;
        fs::path victim;
    } planting{TargetHost() / "T", outside / "victim"};
    WriteFileBytes(planting.victim, TextLikeBytes(20, 5));
    const AssembledPackage p = AssemblePackage(
        {}, {{"T\\", "T.dat", TextLikeBytes(3000)}, {"T\\", "T.scr", NoiseBytes(5000, 2)}});
    PackageArchive archive(WritePackageFile(p.bytes));
    auto plant = [](int code, void* data, void* user) {
        if (code != kExtractEntryStarting)
            return 0;
        const auto& at = *static_cast<Planting*>(user);
        fs::create_directories(at.folder);
        fs::create_symlink(at.victim, at.folder / static_cast<PackageEntry*>(data)->GetName());
        return 0;
    };
    ASSERT_EQ(archive.ExtractAll(Target(), plant, &planting), PackageResult::Success);
    EXPECT_EQ(ReadFileBytes(planting.victim), TextLikeBytes(20, 5));
    EXPECT_FALSE(fs::is_symlink(planting.folder / "T.dat"));
    EXPECT_EQ(ReadFileBytes(planting.folder / "T.dat"), TextLikeBytes(3000));
    EXPECT_EQ(ReadFileBytes(planting.folder / "T.scr"), NoiseBytes(5000, 2));
    EXPECT_EQ(std::distance(fs::directory_iterator(planting.folder), fs::directory_iterator()), 2);
}

TEST_F(ExtractTest, TrailerAnswersPassThrough) {
    PackageArchive missing(lv::to_windows_path(Host("none.exe").string()));
    EXPECT_EQ(missing.ExtractAll(Target(), Record, &m_events), PackageResult::OpenFailed);
    EXPECT_EQ(Extract(TextLikeBytes(5000)), PackageResult::NotAPackage);
    const AssembledPackage p = AssemblePackage(Bytes(10, 0), {});
    EXPECT_EQ(Extract(p.bytes), PackageResult::NoEntries);
    EXPECT_TRUE(m_events.empty());
}

TEST_F(ExtractTest, ExtractEntryChecksItsIndex) {
    const AssembledPackage p = AssemblePackage({}, {{"NULL", "a.dat", TextLikeBytes(10)}});
    PackageArchive archive(WritePackageFile(p.bytes));
    ASSERT_EQ(archive.ReadTrailer(archive.GetPackagePath()), PackageResult::Success);
    CFile package;
    ASSERT_TRUE(
        package.Open(archive.GetPackagePath().c_str(), CFile::modeRead | CFile::shareDenyNone));
    EXPECT_EQ(archive.ExtractEntry(package, 1, Target()), PackageResult::OutputFailed);
    EXPECT_EQ(archive.ExtractEntry(package, 0, Target()), PackageResult::Success);
    EXPECT_EQ(ReadFileBytes(TargetHost() / "a.dat"), TextLikeBytes(10));
}

TEST(ProgressPercent, ScalesTheDivisorAboveTenMillionBytes) {
    struct Case {
        std::uint32_t totalIn, compressed, percent;
    };
    const Case cases[] = {
        {0, 0, 100},
        {12345, 0, 100},
        {0, 4096, 0},
        {2048, 4096, 50},
        {4096, 4096, 100},
        {9'999'999, 10'000'000, 99},
        {10'000'000, 10'000'000, 100},
        // Above the boundary the divisor is cut to 100,000: 10,000,000 bytes of 10,000,001
        // read as 100 percent where exact division gives 99.
        {10'000'000, 10'000'001, 100},
        {9'999'999, 10'000'001, 99},
        {1'234'567, 40'000'000, 3},
        {39'999'999, 40'000'000, 99},
        // total_in x 100 would overflow 32 bits here.
        {45'000'000, 50'000'000, 90},
        {0xFFFFFFFF, 0xFFFFFFFF, 100},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PackageProgressPercent(c.totalIn, c.compressed), c.percent)
            << c.totalIn << " of " << c.compressed;
}

} // namespace
} // namespace lvtest
