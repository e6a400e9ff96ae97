#include "editor/PictureLibrary.h"
#include "store/Settings.h"
#include "editor/PictureRules.h"
#include "framework/FileSystem.h"

namespace {
const COLORREF kTransparent = RGB(255, 0, 255);
const int kInitialSize = 300;
const int kGrowBy = 50;

// A side x side picture of the file's bitmap: the longer side fills the cell, the rest is the
// transparent colour. The scaling copies whole pixels, so no blend of magenta reaches an edge.
HBITMAP FitIntoSquare(HBITMAP source, int width, int height, int side) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = side;
    info.bmiHeader.biHeight = -side;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP square = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!square) return nullptr;
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, square);
    RECT all = {0, 0, side, side};
    HBRUSH magenta = CreateSolidBrush(kTransparent);
    FillRect(to, &all, magenta);
    DeleteObject(magenta);
    const CellPlace place = FitIntoCell(width, height, side);
    SetStretchBltMode(to, COLORONCOLOR);
    StretchBlt(to, place.x, place.y, place.width, place.height, from, 0, 0, width, height, SRCCOPY);
    SelectObject(to, oldTo);
    SelectObject(from, oldFrom);
    DeleteDC(to);
    DeleteDC(from);
    return square;
}
} // namespace

void PictureLibrary::Build(int dpi) {
    side_ = SideFor(dpi);
    images_.Create(side_, ILC_COLOR32 | ILC_MASK, kInitialSize, kGrowBy);
    paths_.clear();
    const std::string current = CurrentFolder();
    AddFolder(GetDefaultPicturesFolder());
    AddFolder(GetUserPicturesFolder());
    if (CurrentFolder() != current) SetCurrentFolder(current);
}

void PictureLibrary::AddFolder(const std::string& folder) {
    // A missing setting names no folder: scanning "\*.bmp" would list the current drive's root.
    if (folder.empty()) return;
    for (const std::string& name : ListFiles(folder, "*.bmp")) AddFile(folder + "\\" + name);
}

bool PictureLibrary::AddFile(const std::string& path) {
    // The headers are checked first, so that a damaged or huge file never reaches the loader.
    std::string head;
    unsigned long long size = 0;
    if (!ReadFileHead(path, kBitmapHeadSize, head, size)) return false;
    BitmapShape shape;
    if (CheckBitmapFile(reinterpret_cast<const unsigned char*>(head.data()), head.size(), size, &shape) !=
        BitmapCheck::kOk)
        return false;
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!loaded) return false;
    BITMAP facts = {};
    GetObjectA(loaded, sizeof facts, &facts);
    // Always a single square image: a wider bitmap given as it is would add several images and
    // put every later picture out of step with its path.
    HBITMAP square = FitIntoSquare(loaded, facts.bmWidth, facts.bmHeight, side_);
    DeleteObject(loaded);
    if (!square) return false;
    const int before = images_.Count();
    const int index = images_.AddMasked(square, kTransparent);
    DeleteObject(square);
    if (index < 0 || images_.Count() != before + 1) return false;
    paths_.push_back(path);
    return true;
}

int PictureLibrary::IndexOf(const std::string& path) const {
    for (size_t i = 0; i < paths_.size(); ++i) {
        if (paths_[i] == path) return static_cast<int>(i);
    }
    return -1;
}

std::string PictureLibrary::PathAt(int index) const {
    return index >= 0 && index < Count() ? paths_[static_cast<size_t>(index)] : std::string();
}

HICON PictureLibrary::Icon(int index) const {
    return index >= 0 && index < Count() ? images_.Icon(index) : nullptr;
}

void ShownIcon::Show(HWND dialog, int id, HICON icon) {
    SendDlgItemMessageA(dialog, id, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    Reset(icon);
    dialog_ = nullptr;
}

void ShownIcon::Show(HWND dialog, int id, const PictureLibrary& library, const std::string& path) {
    Show(dialog, id, library.Icon(library.IndexOf(path)));
    dialog_ = dialog;
    id_ = id;
    path_ = path;
}

void ShownIcon::Reshow(const PictureLibrary& library) {
    if (dialog_ && IsWindow(dialog_)) Show(dialog_, id_, library, path_);
}
