// Cursor handles: the system's arrow for a null instance; a program's own cursors would come
// from its resources, which hold none.
#include "win32/win32.h"

#include <gtest/gtest.h>

namespace {

TEST(Cursors, TheSystemArrowIsOneStableHandle) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    HCURSOR previous = SetCursor(arrow);
    EXPECT_EQ(GetCursor(), arrow);
    SetCursor(previous);
}

TEST(Cursors, UnknownOrProgramCursorsAreNotFound) {
    SetLastError(0);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(1)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), IDC_ARROW), nullptr);
    EXPECT_NE(GetLastError(), 0u);
}

} // namespace
