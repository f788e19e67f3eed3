#include "skin/core/mem_stream.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

std::vector<std::uint8_t> Bytes(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(i);
    return bytes;
}

TEST(MemStream, ConstructionCopiesTheSourceOrOnlyMakesRoom) {
    auto source = Bytes(8);
    MemStream copy(source.data(), 8, 10240);
    EXPECT_EQ(copy.Length(), 8u);
    EXPECT_EQ(copy.Capacity(), 8u);
    EXPECT_EQ(copy.Position(), 0u);

    MemStream room(nullptr, 64, 10240);
    EXPECT_EQ(room.Length(), 0u);
    EXPECT_EQ(room.Capacity(), 64u);
}

TEST(MemStream, WriteGrowsByWholeStepsPastTheCapacity) {
    struct Case {
        std::uint32_t capacity;
        std::uint32_t position;
        std::uint32_t count;
        std::uint32_t expectedCapacity;
    };
    const Case cases[] = {
        {10240, 10240, 1, 20480},     // the edge: one byte past a full block
        {10240, 10000, 240, 10240},   // fits exactly
        {10240, 10000, 241, 20480},   // one byte over
        {10240, 0, 30000, 30720},     // grows by step x ((n + pos - cap) / step + 1)
        {10240, 10240, 10240, 30720}, // a whole extra block still adds one more
    };
    for (const Case& c : cases) {
        MemStream stream(nullptr, c.capacity, 10240);
        auto fill = Bytes(c.position);
        ASSERT_EQ(stream.Write(fill.data(), c.position), c.position);
        auto more = Bytes(c.count);
        EXPECT_EQ(stream.Write(more.data(), c.count), c.count);
        EXPECT_EQ(stream.Capacity(), c.expectedCapacity)
            << "capacity " << c.capacity << " position " << c.position << " count " << c.count;
        EXPECT_EQ(stream.Length(), c.position + c.count);
        EXPECT_EQ(stream.Position(), c.position + c.count);
    }
}

TEST(MemStream, WriteWithoutABufferAllocatesWhatItWrites) {
    MemStream stream;
    auto bytes = Bytes(5);
    EXPECT_EQ(stream.Write(bytes.data(), 5), 5u);
    EXPECT_EQ(stream.Capacity(), 5u);
    EXPECT_EQ(stream.Length(), 5u);
}

TEST(MemStream, OverwritingInsideKeepsTheLength) {
    auto bytes = Bytes(10);
    MemStream stream(bytes.data(), 10);
    stream.Seek(2, 0);
    std::uint8_t x = 0xAA;
    stream.Write(&x, 1);
    EXPECT_EQ(stream.Length(), 10u);
    EXPECT_EQ(stream.Position(), 3u);
    EXPECT_EQ(stream.Data()[2], 0xAA);
}

TEST(MemStream, SeekClampsToTheContent) {
    struct Case {
        std::int64_t offset;
        int origin;
        std::uint32_t from;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {5, 2, 0, 100}, {-5, 2, 0, 95},  {-200, 2, 0, 0}, {50, 0, 0, 50},   {500, 0, 0, 100},
        {-1, 0, 0, 0},  {10, 1, 40, 50}, {-50, 1, 40, 0}, {90, 1, 40, 100}, {7, 9, 40, 40},
    };
    auto bytes = Bytes(100);
    for (const Case& c : cases) {
        MemStream stream(bytes.data(), 100);
        stream.Seek(c.from, 0);
        EXPECT_EQ(stream.Seek(c.offset, c.origin), c.expected)
            << "offset " << c.offset << " origin " << c.origin;
    }
}

TEST(MemStream, ReadTakesWhatIsLeftAndReadU32NeedsFourBytes) {
    auto bytes = Bytes(6);
    MemStream stream(bytes.data(), 6);
    EXPECT_EQ(ReadU32(stream), 0x03020100u);
    std::array<std::uint8_t, 8> out{};
    EXPECT_EQ(stream.Read(out.data(), 8), 2u);
    EXPECT_EQ(out[0], 4);
    EXPECT_EQ(out[1], 5);
    EXPECT_EQ(stream.Read(out.data(), 8), 0u);

    MemStream shortStream(bytes.data(), 3);
    EXPECT_EQ(ReadU32(shortStream), 0u);

    MemStream empty;
    EXPECT_EQ(empty.Read(out.data(), 4), 0u);
}

TEST(MemStream, AllocateStartsOver) {
    auto bytes = Bytes(20);
    MemStream stream(bytes.data(), 20);
    stream.Seek(10, 0);
    ASSERT_TRUE(stream.Allocate(64));
    EXPECT_EQ(stream.Capacity(), 64u);
    EXPECT_EQ(stream.Length(), 0u);
    EXPECT_EQ(stream.Position(), 0u);
}

TEST(MemStream, AGrowStepOfZeroStillGrows) {
    MemStream stream(nullptr, 4, 0);
    auto bytes = Bytes(10);
    EXPECT_EQ(stream.Write(bytes.data(), 10), 10u);
    EXPECT_GE(stream.Capacity(), 10u);
}

} // namespace
