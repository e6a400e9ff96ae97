#pragma once
// Owns an image list (RAII); a list view borrows it through LVS_SHAREIMAGELISTS.
#include <windows.h>
#include <commctrl.h>

class ImageList {
public:
    ImageList() = default;
    ImageList(int size, UINT flags, int initial, int grow) { Create(size, flags, initial, grow); }
    ~ImageList() { Destroy(); }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    void Create(int size, UINT flags, int initial, int grow) {
        Destroy();
        list_ = ImageList_Create(size, size, flags, initial, grow);
    }
    void Destroy() {
        if (list_) ImageList_Destroy(list_);
        list_ = nullptr;
    }
    HIMAGELIST Handle() const { return list_; }
    int AddIcon(HICON icon) const { return ImageList_AddIcon(list_, icon); }
    int AddMasked(HBITMAP bitmap, COLORREF mask) const { return ImageList_AddMasked(list_, bitmap, mask); }
    int Count() const { return ImageList_GetImageCount(list_); }
    HICON Icon(int index) const { return ImageList_GetIcon(list_, index, ILD_TRANSPARENT); }

private:
    HIMAGELIST list_ = nullptr;
};
