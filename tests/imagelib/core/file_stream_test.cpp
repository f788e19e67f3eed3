// The memory and stdio streams under the codecs.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "imagelib/px_file.h"

namespace {

TEST(PxMemoryFile, ReadsWholeItemsAndStopsAtTheEnd) {
    BYTE data[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    PxMemoryFile file(data, sizeof(data));
    BYTE out[12] = {};
    EXPECT_EQ(file.Read(out, 4, 3), 2u);
    EXPECT_EQ(file.Tell(), 10);
    EXPECT_EQ(out[9], 9);
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.GetC(), -1);
    EXPECT_EQ(file.Tell(), 10);
    EXPECT_EQ(file.Read(out, 1, 1), 0u);
    // Counts whose byte total wraps are served from what is there, never past it.
    ASSERT_TRUE(file.Seek(8, 0));
    EXPECT_EQ(file.Read(out, 2, static_cast<std::size_t>(-1)), 1u);
    EXPECT_EQ(file.Read(nullptr, 1, 1), 0u);
}

TEST(PxMemoryFile, SeekRules) {
    BYTE data[4] = {};
    PxMemoryFile file(data, sizeof(data));
    EXPECT_TRUE(file.Seek(-5, 0));
    EXPECT_EQ(file.Tell(), 0);
    EXPECT_FALSE(file.Seek(0, 3));
    EXPECT_TRUE(file.Seek(-1, 2));
    EXPECT_EQ(file.Tell(), 3);
    EXPECT_TRUE(file.Seek(10, 1));
    EXPECT_EQ(file.Tell(), 13);
    EXPECT_EQ(file.Error(), 1); // beyond the end
    EXPECT_TRUE(file.Seek(0x7FFFFFFF, 0));
    EXPECT_FALSE(file.Seek(1, 1)); // past what a position can hold

    PxMemoryFile none;
    EXPECT_FALSE(none.Seek(0, 0));
    EXPECT_EQ(none.Tell(), -1);
    EXPECT_EQ(none.Size(), -1);
    EXPECT_EQ(none.Error(), -1);
    EXPECT_TRUE(none.Eof());
    EXPECT_FALSE(none.Flush());
    EXPECT_FALSE(none.PutC(1));
}

TEST(PxMemoryFile, GrowsInStepsOf4096) {
    PxMemoryFile file;
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(file.Open());
    EXPECT_EQ(file.Capacity(), 0u);
    EXPECT_TRUE(file.PutC(7));
    EXPECT_EQ(file.Capacity(), 4096u);
    EXPECT_EQ(file.Size(), 1);

    PxMemoryFile big;
    ASSERT_TRUE(big.Open());
    std::vector<BYTE> block(4096, 1);
    EXPECT_EQ(big.Write(block.data(), block.size(), 1), 1u);
    EXPECT_EQ(big.Capacity(), 8192u);
    EXPECT_EQ(big.Write(block.data(), 1, 0), 0u);
    EXPECT_EQ(big.Write(nullptr, 1, 1), 0u);
    // A byte total that does not fit the stream is refused, and the stream stays usable.
    EXPECT_EQ(big.Write(block.data(), 0x10000, 0x10000), 0u);
    EXPECT_EQ(big.Size(), 4096);
    EXPECT_TRUE(big.PutC(2));
    EXPECT_EQ(big.Size(), 4097);
}

TEST(PxMemoryFile, GapAfterSeekPastTheEndIsZero) {
    PxMemoryFile file;
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.PutC(0xAA));
    ASSERT_TRUE(file.Seek(5000, 0));
    ASSERT_TRUE(file.PutC(0xBB));
    EXPECT_EQ(file.Size(), 5001);
    ASSERT_TRUE(file.Seek(0, 0));
    std::vector<BYTE> back(5001, 0xEE);
    ASSERT_EQ(file.Read(back.data(), 1, back.size()), back.size());
    EXPECT_EQ(back[0], 0xAA);
    for (std::size_t i = 1; i < 5000; ++i)
        ASSERT_EQ(back[i], 0) << i;
    EXPECT_EQ(back[5000], 0xBB);
}

TEST(PxMemoryFile, CallersBufferIsNeverWrittenOrFreed) {
    BYTE data[4] = {1, 2, 3, 4};
    {
        PxMemoryFile file(data, sizeof(data));
        EXPECT_EQ(file.GetC(), 1);
        ASSERT_TRUE(file.PutC(9)); // lands in the file's own copy
        EXPECT_NE(file.DetachBuffer(false), data);
        ASSERT_TRUE(file.Seek(0, 0));
        EXPECT_EQ(file.GetC(), 1);
        EXPECT_EQ(file.GetC(), 9);
        EXPECT_EQ(file.GetC(), 3);
    }
    EXPECT_EQ(data[1], 2);
}

TEST(PxMemoryFile, DetachedBufferBelongsToTheCaller) {
    BYTE* buffer = nullptr;
    {
        PxMemoryFile file;
        ASSERT_TRUE(file.Open());
        ASSERT_EQ(file.Write("abc", 1, 3), 3u);
        buffer = file.DetachBuffer(true);
    }
    EXPECT_EQ(buffer[2], 'c');
    std::free(buffer);
}

TEST(PxStdioFile, WrapsACallersHandleWithoutClosingIt) {
    FILE* handle = std::tmpfile();
    ASSERT_NE(handle, nullptr);
    {
        PxStdioFile file(handle);
        EXPECT_EQ(file.Write("hello", 1, 5), 5u);
        EXPECT_TRUE(file.PutC('!'));
        EXPECT_TRUE(file.Flush());
        EXPECT_EQ(file.Size(), 6);
        EXPECT_EQ(file.Tell(), 6);
        EXPECT_TRUE(file.Seek(-6, 2));
        EXPECT_EQ(file.GetC(), 'h');
        BYTE rest[8] = {};
        EXPECT_EQ(file.Read(rest, 1, 8), 5u);
        EXPECT_EQ(file.GetC(), -1);
        EXPECT_TRUE(file.Eof());
        EXPECT_EQ(file.Error(), 0);
        EXPECT_FALSE(file.Seek(0, 7));
        EXPECT_TRUE(file.Close()); // not ours: stays open
    }
    EXPECT_EQ(std::fseek(handle, 0, SEEK_SET), 0);
    EXPECT_EQ(std::fgetc(handle), 'h');
    std::fclose(handle);

    PxStdioFile none;
    EXPECT_EQ(none.Size(), -1);
    EXPECT_EQ(none.Error(), -1);
    EXPECT_EQ(none.GetC(), -1);
    EXPECT_TRUE(none.Eof());
    EXPECT_FALSE(none.PutC(1));
    EXPECT_TRUE(none.Close());
}

} // namespace
