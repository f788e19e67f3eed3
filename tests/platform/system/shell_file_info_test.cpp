// SHGetFileInfo: type names and icons by the kind of file, existing files and folders, and
// the attributes standing in for a file that need not exist.
#include "layer_root_fixture.h"
#include "win32/win32.h"

#include <cstdint>
#include <fstream>
#include <set>
#include <vector>

namespace {

class ShellFileInfoTest : public lvtest::LayerRootTest {
protected:
    // The icon's colour pixels, row by row; empty when there is no icon.
    static std::vector<std::uint32_t> PixelsOf(HICON icon, int& side) {
        ICONINFO info{};
        if (!icon || !GetIconInfo(icon, &info))
            return {};
        BITMAP header{};
        GetObjectA(info.hbmColor, sizeof header, &header);
        side = header.bmWidth;
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        format.bmiHeader.biWidth = header.bmWidth;
        format.bmiHeader.biHeight = -header.bmHeight;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(header.bmWidth) *
                                          static_cast<std::size_t>(header.bmHeight));
        HDC dc = CreateCompatibleDC(nullptr);
        GetDIBits(dc, info.hbmColor, 0, static_cast<UINT>(header.bmHeight), pixels.data(), &format,
                  DIB_RGB_COLORS);
        DeleteDC(dc);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return pixels;
    }
};

TEST_F(ShellFileInfoTest, TypeNamesFollowTheExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Music\\song.mp3", "MP3 Format Sound"},
        {"C:\\Music\\tone.WAV", "Wave Sound"},
        {"C:\\Music\\tune.mid", "MIDI Sequence"},
        {"C:\\a.jpeg", "JPEG Image"},
        {"C:\\a.bmp", "Bitmap Image"},
        {"C:\\a.xyz", "XYZ File"},
        {"C:\\noextension", "File"},
        {"C:\\dir.d\\noextension", "File"},
    };
    for (const auto& [path, type] : cases) {
        SHFILEINFOA info{};
        ASSERT_NE(SHGetFileInfoA(path, 0, &info, sizeof info,
                                 SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_USEFILEATTRIBUTES),
                  0u)
            << path;
        EXPECT_STREQ(info.szTypeName, type) << path;
        EXPECT_EQ(info.hIcon, nullptr);
    }
    SHFILEINFOA folder{};
    SHGetFileInfoA("C:\\Music\\", FILE_ATTRIBUTE_DIRECTORY, &folder, sizeof folder,
                   SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_USEFILEATTRIBUTES);
    EXPECT_STREQ(folder.szTypeName, "File Folder");
    EXPECT_STREQ(folder.szDisplayName, "Music");
}

TEST_F(ShellFileInfoTest, AFileMustExistUnlessItsAttributesAreGiven) {
    std::filesystem::create_directories(drive_c() / "Music");
    std::ofstream(drive_c() / "Music" / "song.mp3") << "ID3";
    SHFILEINFOA info{};
    EXPECT_NE(SHGetFileInfoA("C:\\Music\\song.mp3", 0, &info, sizeof info, SHGFI_DISPLAYNAME), 0u);
    EXPECT_STREQ(info.szDisplayName, "song.mp3");
    EXPECT_EQ(SHGetFileInfoA("C:\\Music\\gone.mp3", 0, &info, sizeof info, SHGFI_TYPENAME), 0u);
    EXPECT_NE(SHGetFileInfoA("C:\\Music\\gone.mp3", 0, &info, sizeof info,
                             SHGFI_TYPENAME | SHGFI_USEFILEATTRIBUTES),
              0u);
    SHGetFileInfoA("C:\\Music", 0, &info, sizeof info, SHGFI_TYPENAME);
    EXPECT_STREQ(info.szTypeName, "File Folder");
    // What is not served fails instead of answering half.
    EXPECT_EQ(SHGetFileInfoA("C:\\Music\\song.mp3", 0, &info, sizeof info, 0x4000), 0u);
    EXPECT_EQ(SHGetFileInfoA("C:\\Music\\song.mp3", 0, &info, 8, SHGFI_TYPENAME), 0u);
}

TEST_F(ShellFileInfoTest, EachKindHasAnIconOfItsOwnInBothSizes) {
    std::set<std::vector<std::uint32_t>> looks;
    const char* paths[] = {"C:\\a.mp3", "C:\\a.mid", "C:\\a.png", "C:\\a.exe", "C:\\a.txt"};
    for (const char* path : paths) {
        SHFILEINFOA large{}, small{};
        ASSERT_NE(SHGetFileInfoA(path, 0, &large, sizeof large,
                                 SHGFI_ICON | SHGFI_LARGEICON | SHGFI_USEFILEATTRIBUTES),
                  0u);
        ASSERT_NE(SHGetFileInfoA(path, 0, &small, sizeof small,
                                 SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES),
                  0u);
        int side = 0, smallSide = 0;
        const auto pixels = PixelsOf(large.hIcon, side);
        PixelsOf(small.hIcon, smallSide);
        EXPECT_EQ(side, 32) << path;
        EXPECT_EQ(smallSide, 16) << path;
        // Transparent round the shape, drawn in the middle.
        EXPECT_EQ(pixels[0] >> 24, 0u) << path;
        EXPECT_EQ(pixels[16 * 32 + 16] >> 24, 0xFFu) << path;
        looks.insert(pixels);
        DestroyIcon(large.hIcon);
        DestroyIcon(small.hIcon);
    }
    // The two sounds share a look; every other kind has its own.
    EXPECT_EQ(looks.size(), 4u);
    SHFILEINFOA folder{};
    SHGetFileInfoA("C:\\x", FILE_ATTRIBUTE_DIRECTORY, &folder, sizeof folder,
                   SHGFI_ICON | SHGFI_USEFILEATTRIBUTES);
    int side = 0;
    EXPECT_EQ(looks.count(PixelsOf(folder.hIcon, side)), 0u);
    DestroyIcon(folder.hIcon);
}

} // namespace
