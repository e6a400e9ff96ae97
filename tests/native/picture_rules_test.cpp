#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "editor/PictureRules.h"

namespace {
void Put16(std::vector<unsigned char>& b, size_t at, uint32_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void Put32(std::vector<unsigned char>& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A whole BITMAPINFOHEADER file of width x height at `bits` per pixel.
std::vector<unsigned char> BitmapFile(int32_t width, int32_t height, uint32_t bits, uint32_t compression = 0) {
    const uint32_t palette = bits <= 8 ? (4u << bits) : 0;
    const uint32_t offBits = 54 + palette;
    const uint64_t row = ((static_cast<uint64_t>(width < 0 ? 0 : width) * bits + 31) / 32) * 4;
    const uint64_t pixels = row * static_cast<uint64_t>(height < 0 ? -height : height);
    std::vector<unsigned char> file(offBits + (pixels < 100000 ? pixels : 0), 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<uint32_t>(file.size()));
    Put32(file, 10, offBits);
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<uint32_t>(width));
    Put32(file, 22, static_cast<uint32_t>(height));
    Put16(file, 26, 1);
    Put16(file, 28, bits);
    Put32(file, 30, compression);
    return file;
}

BitmapCheck Check(const std::vector<unsigned char>& file, uint64_t size) {
    return CheckBitmapFile(file.data(), std::min<size_t>(file.size(), kBitmapHeadSize), size);
}
BitmapCheck Check(const std::vector<unsigned char>& file) { return Check(file, file.size()); }
} // namespace

TEST(BitmapFileCheck, AcceptsSoundFilesOfEveryDepthAndBothDirections) {
    for (uint32_t bits : {1u, 4u, 8u, 16u, 24u, 32u}) EXPECT_EQ(BitmapCheck::kOk, Check(BitmapFile(32, 32, bits))) << bits;
    BitmapShape shape;
    std::vector<unsigned char> topDown = BitmapFile(48, -20, 24);
    EXPECT_EQ(BitmapCheck::kOk, CheckBitmapFile(topDown.data(), kBitmapHeadSize, topDown.size(), &shape));
    EXPECT_EQ(48, shape.width);
    EXPECT_EQ(20, shape.height);
}

TEST(BitmapFileCheck, RefusesWhatIsNotABitmap) {
    const std::string text = "Hello, this is a text file that happens to be named .bmp, not a picture.";
    EXPECT_EQ(BitmapCheck::kNotBitmap,
              CheckBitmapFile(reinterpret_cast<const unsigned char*>(text.data()), text.size(), text.size()));
    EXPECT_EQ(BitmapCheck::kNotBitmap, CheckBitmapFile(nullptr, 0, 0));
    std::vector<unsigned char> file = BitmapFile(32, 32, 24);
    EXPECT_EQ(BitmapCheck::kNotBitmap, CheckBitmapFile(file.data(), 10, file.size())); // shorter than a header

    std::vector<unsigned char> damaged = file;
    Put16(damaged, 28, 7); // no such depth
    EXPECT_EQ(BitmapCheck::kNotBitmap, Check(damaged));
    damaged = file;
    Put32(damaged, 18, 0); // no width
    EXPECT_EQ(BitmapCheck::kNotBitmap, Check(damaged));
    damaged = file;
    Put32(damaged, 14, 20); // unknown header size
    EXPECT_EQ(BitmapCheck::kNotBitmap, Check(damaged));
    damaged = file;
    Put32(damaged, 10, 20); // pixels inside the headers
    EXPECT_EQ(BitmapCheck::kNotBitmap, Check(damaged));
    EXPECT_EQ(BitmapCheck::kNotBitmap, Check(BitmapFile(32, 32, 24, 4))); // embedded JPEG
    EXPECT_EQ(BitmapCheck::kNotBitmap, Check(BitmapFile(32, -32, 8, 1))); // top-down RLE does not exist
}

TEST(BitmapFileCheck, RefusesFilesShorterThanTheirPixels) {
    std::vector<unsigned char> file = BitmapFile(32, 32, 24);
    EXPECT_EQ(BitmapCheck::kTruncated, Check(file, file.size() - 1));
    EXPECT_EQ(BitmapCheck::kTruncated, Check(file, 54));
    // An info header cut off after its first fields.
    EXPECT_EQ(BitmapCheck::kTruncated, CheckBitmapFile(file.data(), 30, 30));
    // A negative height of the most negative value must not overflow into a small picture.
    std::vector<unsigned char> extreme = BitmapFile(32, 32, 24);
    Put32(extreme, 22, 0x80000000u);
    EXPECT_EQ(BitmapCheck::kTooLarge, Check(extreme));
}

TEST(BitmapFileCheck, RefusesHugeFilesAndPictures) {
    EXPECT_EQ(BitmapCheck::kTooLarge, Check(BitmapFile(kMaxBitmapSide + 1, 1, 24)));
    EXPECT_EQ(BitmapCheck::kTooLarge, Check(BitmapFile(1, kMaxBitmapSide + 1, 24)));
    std::vector<unsigned char> file = BitmapFile(32, 32, 24);
    EXPECT_EQ(BitmapCheck::kTooLarge, Check(file, kMaxBitmapFileBytes + 1));
    // Wide sides whose pixel size would overflow 32 bits are refused, not wrapped.
    std::vector<unsigned char> wide = BitmapFile(32, 32, 32);
    Put32(wide, 18, 0x7FFFFFFF);
    Put32(wide, 22, 0x7FFFFFFF);
    EXPECT_EQ(BitmapCheck::kTooLarge, Check(wide));
}

TEST(FitIntoCell, LongerSideFillsTheCellAndThePictureIsCentred) {
    auto same = [](CellPlace p, int x, int y, int w, int h) {
        return p.x == x && p.y == y && p.width == w && p.height == h;
    };
    EXPECT_TRUE(same(FitIntoCell(32, 32, 32), 0, 0, 32, 32));
    EXPECT_TRUE(same(FitIntoCell(16, 16, 32), 0, 0, 32, 32));  // small pictures grow
    EXPECT_TRUE(same(FitIntoCell(64, 32, 32), 0, 8, 32, 16));  // wide: centred vertically
    EXPECT_TRUE(same(FitIntoCell(20, 40, 32), 8, 0, 16, 32));  // tall: centred horizontally
    EXPECT_TRUE(same(FitIntoCell(48, 36, 32), 0, 4, 32, 24));
    EXPECT_TRUE(same(FitIntoCell(4096, 1, 32), 0, 15, 32, 1)); // never thinner than a pixel
    EXPECT_TRUE(same(FitIntoCell(0, 10, 32), 0, 0, 0, 0));
    EXPECT_TRUE(same(FitIntoCell(-5, 10, 32), 0, 0, 0, 0));
}
