#pragma once
// The pictures of the two picture folders (the default folder first, then the user-defined one):
// every loadable "*.bmp" as a 32 x 32 image (at 96 DPI; scaled with the display) with magenta
// transparent, and its full path, kept in step. Schemes name pictures by those paths, compared exactly, letter case counting.
#include <windows.h>
#include <string>
#include <vector>
#include "framework/Dpi.h"
#include "framework/ImageList.h"

class PictureLibrary {
public:
    static constexpr int kSide = 32;

    PictureLibrary() = default;
    PictureLibrary(const PictureLibrary&) = delete;
    PictureLibrary& operator=(const PictureLibrary&) = delete;

    // Rescans both folders named by the settings, with cells for `dpi` (48 x 48 at 144); the
    // earlier image list is destroyed, so a list control that borrowed it must be given the new one.
    void Build(int dpi = Dpi::OfSystem());
    // The side of a picture cell at `dpi`.
    static int SideFor(int dpi) { return Dpi::Scale(kSide, dpi); }
    int Side() const { return side_; }

    int Count() const { return static_cast<int>(paths_.size()); }
    // The first picture with exactly this path, or -1.
    int IndexOf(const std::string& path) const;
    // Empty for an index out of range.
    std::string PathAt(int index) const;
    const std::vector<std::string>& Paths() const { return paths_; }
    HIMAGELIST ImageList() const { return images_.Handle(); }
    // A new icon of picture `index` (the caller destroys it), or nullptr.
    HICON Icon(int index) const;

private:
    void AddFolder(const std::string& folder);
    bool AddFile(const std::string& path);

    ::ImageList images_;
    int side_ = kSide;
    std::vector<std::string> paths_;
};

// An icon that a static picture control shows: the control does not own it, so this does.
class ShownIcon {
public:
    ShownIcon() = default;
    ~ShownIcon() { Reset(nullptr); }
    ShownIcon(const ShownIcon&) = delete;
    ShownIcon& operator=(const ShownIcon&) = delete;

    // Shows `icon` (which this takes over) in control `id` of `dialog`; nullptr empties it.
    void Show(HWND dialog, int id, HICON icon);
    // Shows the picture of `library` with this path (or none), and keeps the path for Reshow.
    void Show(HWND dialog, int id, const PictureLibrary& library, const std::string& path);
    // The same picture again from a rebuilt library (at another DPI).
    void Reshow(const PictureLibrary& library);
    void Reset(HICON icon) {
        if (icon_) DestroyIcon(icon_);
        icon_ = icon;
    }

private:
    HICON icon_ = nullptr;
    HWND dialog_ = nullptr;
    int id_ = 0;
    std::string path_;
};
