#include "tests/support/skin_builder.h"

#include "skin/core/skin_format_version.h"
#include "tests/support/process_runner.h"
#include "tools/skinbuilder/skin_file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace lvtest {

std::size_t BaseRecordSize(int minor) {
    return 51 + 4 * 3 + 51 + 4 + (minor >= 8 ? 20 : 0) + 4;
}

void WriteBaseRecord(lv::ByteWriter& w, const std::string& name, int minor,
                     std::uint32_t childCount) {
    w.text(name, 51);
    w.u32(0x010203);
    w.u32(0x040506);
    w.u32(0x070809);
    w.text("text", 51);
    w.u32(7);
    if (minor >= 8) {
        w.i32(1);
        w.i32(2);
        w.i32(3);
        w.i32(4);
        w.u32(1);
    }
    w.u32(childCount);
}

void WriteFill(lv::ByteWriter& w, std::size_t count, std::uint8_t pattern) {
    std::vector<std::uint8_t> bytes(count, pattern);
    w.bytes(bytes);
}

std::vector<std::uint8_t> SkinFile(std::uint8_t major, std::uint8_t minor,
                                   std::uint32_t objectCount, std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> file = MakeSkinHeader(major, minor, objectCount);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> file) {
    return PackSkinContainer(file);
}

std::unique_ptr<MemStream> StreamOf(std::span<const std::uint8_t> bytes) {
    return std::make_unique<MemStream>(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

int LoadContainer(SkinData& skin, std::span<const std::uint8_t> container) {
    auto stream = StreamOf(container);
    return skin.Load(*stream);
}

std::unique_ptr<SkinData> LoadSkinFile(const std::string& path) {
    const std::vector<unsigned char> bytes = ReadFileBytes(path);
    auto skin = std::make_unique<SkinData>();
    const bool loaded = !bytes.empty() && LoadContainer(*skin, bytes) == 1;
    // The format revision is global while a skin loads; the next load starts afresh.
    SkinFormatVersion.Reset();
    return loaded ? std::move(skin) : nullptr;
}

void ExpectSkinSurvivesDamage(std::span<const std::uint8_t> container,
                              std::span<const std::uint8_t> objectsFile, const char* probe) {
    // Byte changes spread over the whole skin, a few hundred of each kind whatever its size.
    const std::size_t containerStep = std::max<std::size_t>(13, container.size() / 400);
    const std::size_t fileStep = std::max<std::size_t>(5, objectsFile.size() / 600);
    for (std::size_t length = 0; length < container.size(); length += 1 + length / 64) {
        SkinData damaged;
        EXPECT_EQ(LoadContainer(damaged, container.first(length)), 0) << length;
        EXPECT_TRUE(damaged.Objects().empty());
    }
    for (std::size_t at = 0; at < container.size(); at += containerStep) {
        std::vector<std::uint8_t> flipped(container.begin(), container.end());
        flipped[at] ^= 0x5A;
        SkinData damaged;
        if (!LoadContainer(damaged, flipped)) {
            EXPECT_TRUE(damaged.Objects().empty());
        }
    }

    std::set<std::size_t> truncations;
    for (std::size_t length = 0; length <= objectsFile.size(); length += 1 + length / 16)
        truncations.insert(length);
    for (std::size_t length : truncations) {
        SkinData damaged;
        const int result = LoadContainer(damaged, Pack(objectsFile.first(length)));
        EXPECT_EQ(result, length >= SkinData::kHeaderSize ? 1 : 0) << length;
    }
    for (std::size_t at = SkinData::kHeaderSize - 12; at < objectsFile.size(); at += fileStep) {
        for (std::uint8_t value : {std::uint8_t{0x00}, std::uint8_t{0xFF}}) {
            std::vector<std::uint8_t> flipped(objectsFile.begin(), objectsFile.end());
            flipped[at] = value;
            SkinData damaged;
            LoadContainer(damaged, Pack(flipped));
            damaged.FindElement(probe);
            damaged.FindElementByType(1);
        }
    }
}

} // namespace lvtest
