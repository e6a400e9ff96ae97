#pragma once
// What a picture file must look like before the system is asked to load it, and where a picture
// of any size goes in a square cell. No Windows header: the rules are tested natively.
#include <cstddef>
#include <cstdint>

// The bytes of a bitmap file that CheckBitmapFile needs: file header and the start of the info header.
inline constexpr size_t kBitmapHeadSize = 14 + 40;
// Larger files or pictures are not pictures a user would choose from 32 x 32 cells.
inline constexpr uint64_t kMaxBitmapFileBytes = 16u * 1024 * 1024;
inline constexpr int32_t kMaxBitmapSide = 4096;

enum class BitmapCheck { kOk, kNotBitmap, kTruncated, kTooLarge };

struct BitmapShape {
    int32_t width = 0;
    int32_t height = 0; // always positive; top-down files are flipped by the loader
};

// Checks the first bytes of a file (up to kBitmapHeadSize) against the file's whole size: the
// headers are sound, the pixel data they describe lies inside the file, and the sizes are sane.
BitmapCheck CheckBitmapFile(const unsigned char* head, size_t headSize, uint64_t fileSize,
                            BitmapShape* shape = nullptr);

// The place of a width x height picture in a cell x cell square: the longer side fills the cell,
// the shorter keeps the proportion (at least one pixel), and the picture sits in the middle.
struct CellPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
CellPlace FitIntoCell(int width, int height, int cell);
