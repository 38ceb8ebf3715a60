// The icon, cursor and bitmap as they arrive in the executable: formats and
// sizes read from the raw resources, then as the system loads them.
#include "resource.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace {

constexpr std::size_t kInfoHeaderSize = sizeof(BITMAPINFOHEADER);

struct ResourceBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

ResourceBytes FindBytes(LPCSTR type, int id)
{
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (!found)
        return {};
    return {static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, found))),
            SizeofResource(nullptr, found)};
}

template <typename T> T ReadAt(const ResourceBytes& bytes, std::size_t offset)
{
    T value{};
    if (offset + sizeof(T) <= bytes.size)
        std::memcpy(&value, bytes.data + offset, sizeof(T));
    else
        ADD_FAILURE() << "read past the resource at " << offset;
    return value;
}

std::size_t RowBytes(int width, int bitsPerPixel)
{
    return static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
}

// One image of an icon or cursor: a DIB whose height counts the colour rows
// and the mask rows, followed by its palette, colour bits and mask bits.
struct MaskedImage {
    BITMAPINFOHEADER header;
    std::size_t paletteOffset;
    std::size_t colourOffset;
    std::size_t maskOffset;
};

MaskedImage ReadMaskedImage(const ResourceBytes& bytes, std::size_t start)
{
    MaskedImage image{};
    image.header = ReadAt<BITMAPINFOHEADER>(bytes, start);
    const int width = image.header.biWidth;
    const int height = image.header.biHeight / 2;
    const std::size_t colours =
        image.header.biClrUsed ? image.header.biClrUsed : 1u << image.header.biBitCount;
    image.paletteOffset = start + image.header.biSize;
    image.colourOffset = image.paletteOffset + colours * sizeof(RGBQUAD);
    image.maskOffset = image.colourOffset + RowBytes(width, image.header.biBitCount) * height;
    return image;
}

// Whether pixel (x, y), counted from the top, lets the screen show through.
bool IsTransparent(const ResourceBytes& bytes, const MaskedImage& image, int x, int y)
{
    const int height = image.header.biHeight / 2;
    const std::size_t row = image.maskOffset + RowBytes(image.header.biWidth, 1) * (height - 1 - y);
    return (ReadAt<std::uint8_t>(bytes, row + x / 8) >> (7 - x % 8)) & 1;
}

int CursorColourBit(const ResourceBytes& bytes, const MaskedImage& image, int x, int y)
{
    const int height = image.header.biHeight / 2;
    const std::size_t row = image.colourOffset + RowBytes(image.header.biWidth, 1) * (height - 1 - y);
    return (ReadAt<std::uint8_t>(bytes, row + x / 8) >> (7 - x % 8)) & 1;
}

#pragma pack(push, 2)
struct GroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct GroupIconEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
struct GroupCursorEntry {
    WORD width;
    WORD height; // colour and mask rows together
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

TEST(IconResourceTest, HasSixteenColourImagesOf32And16Pixels)
{
    const ResourceBytes group = FindBytes(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, IDR_MAINFRAME);
    ASSERT_NE(group.data, nullptr);
    const GroupHeader header = ReadAt<GroupHeader>(group, 0);
    EXPECT_EQ(header.type, 1);
    ASSERT_EQ(header.count, 2);

    std::set<int> sizes;
    for (int i = 0; i < header.count; ++i) {
        const GroupIconEntry entry =
            ReadAt<GroupIconEntry>(group, sizeof header + i * sizeof(GroupIconEntry));
        SCOPED_TRACE("image " + std::to_string(entry.width) + " x " + std::to_string(entry.height));
        sizes.insert(entry.width);
        EXPECT_EQ(entry.width, entry.height);
        EXPECT_EQ(entry.colourCount, 16);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, 4);

        const ResourceBytes bytes = FindBytes(MAKEINTRESOURCEA(3) /* RT_ICON */, entry.id);
        ASSERT_NE(bytes.data, nullptr);
        EXPECT_EQ(bytes.size, entry.bytesInResource);
        const MaskedImage image = ReadMaskedImage(bytes, 0);
        EXPECT_EQ(image.header.biSize, kInfoHeaderSize);
        EXPECT_EQ(image.header.biWidth, entry.width);
        EXPECT_EQ(image.header.biHeight, 2 * entry.height);
        EXPECT_EQ(image.header.biPlanes, 1);
        EXPECT_EQ(image.header.biBitCount, 4);
        EXPECT_EQ(image.header.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(image.maskOffset + RowBytes(entry.width, 1) * entry.height, bytes.size);
        // The picture stands on the desktop: its corner is see-through, its
        // middle is not.
        EXPECT_TRUE(IsTransparent(bytes, image, 0, 0));
        EXPECT_FALSE(IsTransparent(bytes, image, entry.width / 2, entry.height / 2));
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

TEST(IconResourceTest, LoadsAtBothSizes)
{
    for (int size : {32, 16}) {
        SCOPED_TRACE(size);
        HICON icon = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                   IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        EXPECT_TRUE(info.fIcon);
        BITMAP colour = {};
        ASSERT_NE(info.hbmColor, nullptr);
        GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    // The image the system picks for each size is the one drawn for it, not
    // a stretched copy of the other.
    const ResourceBytes group = FindBytes(MAKEINTRESOURCEA(14), IDR_MAINFRAME);
    for (int size : {32, 16}) {
        const int id = LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.data), TRUE, size, size, 0);
        const ResourceBytes bytes = FindBytes(MAKEINTRESOURCEA(3), id);
        ASSERT_NE(bytes.data, nullptr);
        EXPECT_EQ(ReadAt<BITMAPINFOHEADER>(bytes, 0).biWidth, size);
    }
}

TEST(CursorResourceTest, IsOneMonochromeImageOf32PixelsWithHotspotAtTheFingertip)
{
    const ResourceBytes group = FindBytes(MAKEINTRESOURCEA(12) /* RT_GROUP_CURSOR */, IDC_HAND_CURSOR);
    ASSERT_NE(group.data, nullptr);
    const GroupHeader header = ReadAt<GroupHeader>(group, 0);
    EXPECT_EQ(header.type, 2);
    ASSERT_EQ(header.count, 1);
    const GroupCursorEntry entry = ReadAt<GroupCursorEntry>(group, sizeof header);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 64);
    EXPECT_EQ(entry.bitCount, 1);

    const ResourceBytes bytes = FindBytes(MAKEINTRESOURCEA(1) /* RT_CURSOR */, entry.id);
    ASSERT_NE(bytes.data, nullptr);
    const int hotX = ReadAt<WORD>(bytes, 0);
    const int hotY = ReadAt<WORD>(bytes, 2);
    EXPECT_EQ(hotX, 5);
    EXPECT_EQ(hotY, 0);

    const MaskedImage image = ReadMaskedImage(bytes, 2 * sizeof(WORD));
    EXPECT_EQ(image.header.biWidth, 32);
    EXPECT_EQ(image.header.biHeight, 64);
    EXPECT_EQ(image.header.biBitCount, 1);
    EXPECT_EQ(image.header.biCompression, static_cast<DWORD>(BI_RGB));
    const RGBQUAD black = ReadAt<RGBQUAD>(bytes, image.paletteOffset);
    const RGBQUAD white = ReadAt<RGBQUAD>(bytes, image.paletteOffset + sizeof(RGBQUAD));
    EXPECT_EQ(black.rgbRed | black.rgbGreen | black.rgbBlue, 0);
    EXPECT_EQ(white.rgbRed & white.rgbGreen & white.rgbBlue, 0xFF);

    // Black, white or transparent only: a transparent pixel never inverts
    // the screen behind it.
    int opaque = 0;
    int whitePixels = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool transparent = IsTransparent(bytes, image, x, y);
            const int colour = CursorColourBit(bytes, image, x, y);
            EXPECT_FALSE(transparent && colour) << "inverting pixel at " << x << ", " << y;
            opaque += !transparent;
            whitePixels += !transparent && colour;
        }
    }
    EXPECT_GT(whitePixels, 100);         // a white hand ...
    EXPECT_GT(opaque - whitePixels, 40); // ... with a black outline
    // The hotspot is an opaque pixel of the top row, the tip of the finger.
    EXPECT_FALSE(IsTransparent(bytes, image, hotX, hotY));
}

TEST(CursorResourceTest, LoadsWithItsHotspot)
{
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_CURSOR));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 0u);
    EXPECT_EQ(info.hbmColor, nullptr); // monochrome: the mask holds both halves
    BITMAP mask = {};
    ASSERT_NE(info.hbmMask, nullptr);
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    EXPECT_EQ(mask.bmHeight, 64);
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
}

TEST(BitmapResourceTest, IsAnUncompressedSixteenColourPictureOf100By64)
{
    const ResourceBytes bytes = FindBytes(MAKEINTRESOURCEA(2) /* RT_BITMAP */, IDB_CREDITS);
    ASSERT_NE(bytes.data, nullptr);
    const BITMAPINFOHEADER header = ReadAt<BITMAPINFOHEADER>(bytes, 0);
    EXPECT_EQ(header.biSize, kInfoHeaderSize);
    EXPECT_EQ(header.biWidth, 100);
    EXPECT_EQ(header.biHeight, 64); // bottom-up
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 4);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_LE(header.biClrUsed, 16u);
    const std::size_t colours = header.biClrUsed ? header.biClrUsed : 16;
    EXPECT_EQ(bytes.size, kInfoHeaderSize + colours * sizeof(RGBQUAD) + RowBytes(100, 4) * 64);

    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_CREDITS));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info = {};
    ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 100);
    EXPECT_EQ(info.bmHeight, 64);
    DeleteObject(bitmap);
}

} // namespace
