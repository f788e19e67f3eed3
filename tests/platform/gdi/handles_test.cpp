#include "gdi/surface_dc.h"
#include "win32/win32.h"

#include <gtest/gtest.h>

using lv::gdi::Region;
using lv::gdi::Surface;

TEST(Handles, StaleAndWrongKindFailCleanly) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
    HRGN region = lv::gdi::create_region_handle(Region(RECT{0, 0, 4, 4}));
    EXPECT_EQ(GetObjectType(region), OBJ_REGION);
    // A region handle is not a DC, and a DC is not a region.
    EXPECT_EQ(SetBkColor(reinterpret_cast<HDC>(region), 0), CLR_INVALID);
    EXPECT_EQ(lv::gdi::region_of(reinterpret_cast<HRGN>(dc)), nullptr);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(SetBkColor(dc, 0), CLR_INVALID);
    // A new DC never takes the old value.
    HDC again = CreateCompatibleDC(nullptr);
    EXPECT_NE(again, dc);
    EXPECT_TRUE(DeleteDC(again));
    EXPECT_TRUE(DeleteObject(region));
    EXPECT_EQ(lv::gdi::region_of(region), nullptr);
}

TEST(Handles, StockObjectsSurviveDeletion) {
    HGDIOBJ brush = GetStockObject(NULL_BRUSH);
    ASSERT_NE(brush, nullptr);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
    EXPECT_NE(GetStockObject(DEFAULT_GUI_FONT), nullptr);
    EXPECT_EQ(GetStockObject(99), nullptr);
}

TEST(Handles, WindowSurfaceDcsAreReleasedNotDeleted) {
    Surface surface(8, 8);
    HDC dc = lv::gdi::create_surface_dc(&surface, POINT{2, 2}, Region(RECT{0, 0, 8, 8}));
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), OBJ_DC);
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(lv::gdi::release_surface_dc(dc));
    EXPECT_FALSE(lv::gdi::release_surface_dc(dc));
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_FALSE(lv::gdi::release_surface_dc(memory));
    EXPECT_TRUE(DeleteDC(memory));
}
