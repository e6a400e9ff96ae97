#include "editor/PictureRules.h"

namespace {
const uint32_t kCoreHeaderSize = 12; // OS/2 1.x: 16-bit sides
const uint32_t kInfoHeaderSize = 40;
const uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

uint32_t Read16(const unsigned char* p) { return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8); }
uint32_t Read32(const unsigned char* p) { return Read16(p) | (Read16(p + 2) << 16); }

bool KnownDepth(uint32_t bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}
} // namespace

BitmapCheck CheckBitmapFile(const unsigned char* head, size_t headSize, uint64_t fileSize, BitmapShape* shape) {
    if (!head || headSize < 14 + kCoreHeaderSize || head[0] != 'B' || head[1] != 'M') return BitmapCheck::kNotBitmap;
    if (fileSize > kMaxBitmapFileBytes) return BitmapCheck::kTooLarge;
    const uint32_t offBits = Read32(head + 10);
    const uint32_t infoSize = Read32(head + 14);

    int64_t width = 0, height = 0;
    uint32_t planes = 0, bits = 0, compression = kRgb, imageSize = 0;
    if (infoSize == kCoreHeaderSize) {
        width = Read16(head + 18);
        height = Read16(head + 20);
        planes = Read16(head + 22);
        bits = Read16(head + 24);
    } else if (infoSize >= kInfoHeaderSize && infoSize <= 1024) {
        if (headSize < 14 + kInfoHeaderSize) return BitmapCheck::kTruncated;
        width = static_cast<int32_t>(Read32(head + 18));
        height = static_cast<int32_t>(Read32(head + 22));
        planes = Read16(head + 26);
        bits = Read16(head + 28);
        compression = Read32(head + 30);
        imageSize = Read32(head + 34);
    } else {
        return BitmapCheck::kNotBitmap;
    }
    if (planes != 1 || !KnownDepth(bits) || width <= 0 || height == 0) return BitmapCheck::kNotBitmap;
    const bool topDown = height < 0;
    if (topDown) height = -height;
    if (width > kMaxBitmapSide || height > kMaxBitmapSide) return BitmapCheck::kTooLarge;
    if (offBits < 14 + infoSize) return BitmapCheck::kNotBitmap;

    uint64_t pixelBytes = 0;
    if (compression == kRgb || compression == kBitFields) {
        if (compression == kBitFields && bits != 16 && bits != 32) return BitmapCheck::kNotBitmap;
        const uint64_t row = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
        pixelBytes = row * static_cast<uint64_t>(height);
    } else if ((compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4)) {
        if (topDown || imageSize == 0) return BitmapCheck::kNotBitmap;
        pixelBytes = imageSize;
    } else {
        return BitmapCheck::kNotBitmap; // embedded JPEG or PNG, or unknown
    }
    if (static_cast<uint64_t>(offBits) + pixelBytes > fileSize) return BitmapCheck::kTruncated;
    if (shape) {
        shape->width = static_cast<int32_t>(width);
        shape->height = static_cast<int32_t>(height);
    }
    return BitmapCheck::kOk;
}

CellPlace FitIntoCell(int width, int height, int cell) {
    CellPlace place;
    if (width <= 0 || height <= 0 || cell <= 0) return place;
    // Rounded to the nearest pixel, in 64 bits: sides up to any int do not overflow.
    if (width >= height) {
        place.width = cell;
        place.height = static_cast<int>((static_cast<int64_t>(height) * cell * 2 + width) / (2 * static_cast<int64_t>(width)));
    } else {
        place.height = cell;
        place.width = static_cast<int>((static_cast<int64_t>(width) * cell * 2 + height) / (2 * static_cast<int64_t>(height)));
    }
    if (place.width < 1) place.width = 1;
    if (place.height < 1) place.height = 1;
    place.x = (cell - place.width) / 2;
    place.y = (cell - place.height) / 2;
    return place;
}
