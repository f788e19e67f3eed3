#include "win32/win32.h"

#include <gtest/gtest.h>

#include <thread>

TEST(LastError, IsPerThread) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    DWORD other = 1234;
    std::thread([&] { other = GetLastError(); }).join();
    EXPECT_EQ(other, 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
