#include "win32/win32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::string system_message(DWORD code, DWORD language = 0x400) {
    LPSTR text = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, language, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    if (length == 0)
        return "(none)";
    std::string result(text, length);
    EXPECT_EQ(std::strlen(text), length);
    EXPECT_EQ(LocalFree(text), nullptr);
    return result;
}

TEST(FormatMessage, SystemTextsInEnglish) {
    struct Case {
        DWORD code;
        const char* text;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
        {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
        {ERROR_SUCCESS, "The operation completed successfully.\r\n"},
        {ERROR_MORE_DATA, "More data is available.\r\n"},
        {ERROR_CANTWRITE, "The configuration registry key could not be written.\r\n"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(system_message(test.code), test.text) << test.code;
    // Every code the layer names has a text.
    for (LONG code : {ERROR_PATH_NOT_FOUND, ERROR_INVALID_HANDLE, ERROR_NO_MORE_ITEMS,
                      ERROR_MOD_NOT_FOUND, ERROR_PROC_NOT_FOUND, ERROR_KEY_DELETED,
                      ERROR_RESOURCE_NAME_NOT_FOUND, ERROR_INVALID_WINDOW_HANDLE, ERROR_BADDB})
        EXPECT_NE(system_message(static_cast<DWORD>(code)), "(none)") << code;
    EXPECT_EQ(system_message(ERROR_FILE_NOT_FOUND, 0), system_message(ERROR_FILE_NOT_FOUND));
}

TEST(FormatMessage, FailuresAndBuffers) {
    EXPECT_EQ(system_message(99999), "(none)");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    EXPECT_EQ(system_message(ERROR_FILE_NOT_FOUND, 0x0411), "(none)"); // no Japanese texts
    char buffer[64];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             ERROR_ACCESS_DENIED, 0, buffer, sizeof buffer, nullptr);
    EXPECT_EQ(n, 19u);
    EXPECT_STREQ(buffer, "Access is denied.\r\n");
    EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             ERROR_ACCESS_DENIED, 0, buffer, 10, nullptr),
              0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(FormatMessage, InsertsFromAnArgumentArray) {
    char buffer[128];
    ULONG_PTR args[] = {reinterpret_cast<ULONG_PTR>("SetRegString"), 5};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
                             "Error in %1 (%2!d!)%n100%% done%0 ignored", 0, 0, buffer,
                             sizeof buffer, reinterpret_cast<va_list*>(args));
    EXPECT_STREQ(buffer, "Error in SetRegString (5)\r\n100% done");
    EXPECT_EQ(n, std::strlen(buffer));
    EXPECT_EQ(
        FormatMessageA(FORMAT_MESSAGE_FROM_STRING, "%1", 0, 0, buffer, sizeof buffer, nullptr), 0u);
}

TEST(Memory, LocalAndGlobalBlocks) {
    auto* zeroed = static_cast<unsigned char*>(LocalAlloc(LPTR, 64));
    ASSERT_NE(zeroed, nullptr);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(zeroed[i], 0);
    EXPECT_EQ(LocalFree(zeroed), nullptr);
    int not_ours = 0;
    EXPECT_EQ(LocalFree(&not_ours), &not_ours);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    HGLOBAL global = GlobalAlloc(GHND, 10);
    ASSERT_NE(global, nullptr);
    EXPECT_EQ(GlobalSize(global), 10u);
    void* data = GlobalLock(global);
    ASSERT_NE(data, nullptr);
    std::memcpy(data, "123456789", 10);
    EXPECT_FALSE(GlobalUnlock(global));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_EQ(GlobalFree(global), nullptr);
    EXPECT_EQ(GlobalLock(global), nullptr);
    EXPECT_EQ(GlobalFree(global), global);
}

} // namespace
