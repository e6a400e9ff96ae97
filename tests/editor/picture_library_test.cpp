#include <gtest/gtest.h>
#include <algorithm>
#include "editor/PictureLibrary.h"
#include "framework/FileSystem.h"
#include "tests/editor/picture_files.h"

namespace {
using namespace picture_files;
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kRed = RGB(220, 0, 0);

class PictureLibraryTest : public testing::Test {
protected:
    RegistrySandbox registry;
    Folders folders;
    PictureLibrary library;
};

// Image `index` drawn over `background`: the 32 x 32 pixels as 0xRRGGBB, row by row from the top.
std::vector<DWORD> Draw(const PictureLibrary& library, int index, COLORREF background) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP target = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, target);
    RECT all = {0, 0, 32, 32};
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ImageList_Draw(library.ImageList(), index, dc, 0, 0, ILD_TRANSPARENT);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<DWORD*>(bits), static_cast<DWORD*>(bits) + 32 * 32);
    for (DWORD& p : pixels) p &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(target);
    return pixels;
}

DWORD Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }
} // namespace

TEST_F(PictureLibraryTest, DefaultPicturesComeFirstAndPathsStayInStepWithImages) {
    folders.root.Write("User Pictures\\Eco Club.bmp", Solid(RGB(0, 150, 0)));
    const std::string current = CurrentFolder();
    library.Build();
    EXPECT_EQ(current, CurrentFolder());

    ASSERT_EQ(5, library.Count());
    EXPECT_EQ(5, ImageList_GetImageCount(library.ImageList()));
    EXPECT_EQ(library.Count() - 1, library.IndexOf(folders.User("Eco Club.bmp")));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(0u, library.PathAt(i).rfind(folders.defaults + "\\", 0)) << library.PathAt(i);
    EXPECT_EQ(folders.User("Eco Club.bmp"), library.PathAt(4));
    EXPECT_EQ("", library.PathAt(5));
    EXPECT_EQ("", library.PathAt(-1));

    // Exact comparison: letter case counts, and the folder must be named as the library names it.
    EXPECT_EQ(-1, library.IndexOf(folders.Default("maths.bmp")));
    EXPECT_EQ(-1, library.IndexOf(folders.defaults + "\\\\Maths.bmp"));
    EXPECT_LE(0, library.IndexOf(folders.Default("Maths.bmp")));

    HICON icon = library.Icon(4);
    EXPECT_NE(nullptr, icon);
    DestroyIcon(icon);
    EXPECT_EQ(nullptr, library.Icon(5));

    // A rebuild sees a picture added meanwhile, and nothing twice.
    folders.root.Write("User Pictures\\Library.bmp", Solid(RGB(0, 0, 0)));
    library.Build();
    EXPECT_EQ(6, library.Count());
    EXPECT_EQ(6, ImageList_GetImageCount(library.ImageList()));
}

TEST_F(PictureLibraryTest, FilesThatAreNotSoundBitmapsAreSkipped) {
    const std::string good = Solid(kRed);
    folders.root.Write("User Pictures\\Notes.bmp", "This is not a picture at all, only text.");
    folders.root.Write("User Pictures\\Cut Off.bmp", good.substr(0, good.size() / 2));
    folders.root.Write("User Pictures\\Empty.bmp", "");
    // Claims 5000 x 5000 pixels in a small file.
    std::string huge = Bitmap(2, 2, [](int, int) { return kRed; });
    huge[18] = static_cast<char>(0x88), huge[19] = 0x13, huge[22] = static_cast<char>(0x88), huge[23] = 0x13;
    folders.root.Write("User Pictures\\Huge.bmp", huge);
    folders.root.Write("User Pictures\\Sound.bmp", good);
    library.Build();

    EXPECT_EQ(5, library.Count());
    EXPECT_EQ(library.Count(), ImageList_GetImageCount(library.ImageList()));
    EXPECT_EQ(4, library.IndexOf(folders.User("Sound.bmp")));
    for (const char* name : {"Notes.bmp", "Cut Off.bmp", "Empty.bmp", "Huge.bmp"})
        EXPECT_EQ(-1, library.IndexOf(folders.User(name))) << name;
}

TEST_F(PictureLibraryTest, OtherSizesAreScaledWholeIntoOneCentredCell) {
    // 64 x 32: red above, blue below. Scaled to 32 x 16 in the middle rows, magenta around it.
    folders.root.Write("User Pictures\\Wide.bmp",
                       Bitmap(64, 32, [](int, int y) { return y < 16 ? kRed : RGB(0, 0, 255); }));
    folders.root.Write("User Pictures\\After.bmp", Solid(RGB(0, 150, 0)));
    library.Build();
    ASSERT_EQ(6, library.Count());
    // One image for the wide bitmap: the picture after it still has its own.
    ASSERT_EQ(6, ImageList_GetImageCount(library.ImageList()));
    const int wide = library.IndexOf(folders.User("Wide.bmp"));
    ASSERT_LE(0, wide);

    const DWORD white = 0xFFFFFF;
    std::vector<DWORD> pixels = Draw(library, wide, RGB(255, 255, 255));
    for (int x = 0; x < 32; ++x) {
        EXPECT_EQ(white, pixels[0 * 32 + x]);
        EXPECT_EQ(white, pixels[7 * 32 + x]);
        EXPECT_EQ(Rgb(kRed), pixels[8 * 32 + x]);
        EXPECT_EQ(Rgb(kRed), pixels[15 * 32 + x]);
        EXPECT_EQ(0x0000FFu, pixels[16 * 32 + x]);
        EXPECT_EQ(0x0000FFu, pixels[23 * 32 + x]);
        EXPECT_EQ(white, pixels[24 * 32 + x]);
    }
    const int after = library.IndexOf(folders.User("After.bmp"));
    EXPECT_EQ(Rgb(RGB(0, 150, 0)), Draw(library, after, RGB(255, 255, 255))[0]);
}

TEST_F(PictureLibraryTest, MagentaIsDrawnTransparent) {
    folders.root.Write("User Pictures\\Crest.bmp",
                       Bitmap(32, 32, [](int x, int) { return x < 16 ? kMagenta : kRed; }));
    library.Build();
    const int crest = library.IndexOf(folders.User("Crest.bmp"));
    ASSERT_LE(0, crest);
    for (COLORREF background : {RGB(255, 255, 255), RGB(0, 0, 0)}) {
        std::vector<DWORD> pixels = Draw(library, crest, background);
        EXPECT_EQ(Rgb(background), pixels[5 * 32 + 3]);
        EXPECT_EQ(Rgb(kRed), pixels[5 * 32 + 20]);
        EXPECT_EQ(0u, std::count(pixels.begin(), pixels.end(), Rgb(kMagenta)));
    }
}

TEST_F(PictureLibraryTest, MissingFoldersContributeNothingAndTheOtherIsStillScanned) {
    folders.root.Write("User Pictures\\Eco Club.bmp", Solid(RGB(0, 150, 0)));
    SetFolders(folders.root.File("No Such Folder"), folders.user);
    library.Build();
    ASSERT_EQ(1, library.Count());
    EXPECT_EQ(folders.User("Eco Club.bmp"), library.PathAt(0));

    // A missing setting is no folder at all (not the current drive's root).
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, "Default Pictures");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSettingsKey, "User Defined Pictures");
    library.Build();
    EXPECT_EQ(0, library.Count());
    EXPECT_EQ(0, ImageList_GetImageCount(library.ImageList()));
    EXPECT_EQ(-1, library.IndexOf("\\Closed Folder.bmp"));
}
