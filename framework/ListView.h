#pragma once
#include "framework/Window.h"

class ListView : public Window {
public:
    using Window::Window;
    int InsertColumn(int index, const std::string& title, int width) const {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(title.c_str());
        column.cx = width;
        column.iSubItem = index;
        return static_cast<int>(Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column)));
    }
    void SetColumnWidth(int column, int width) const { Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width); }
    int ColumnWidth(int column) const { return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    int ColumnCount() const { return Header_GetItemCount(reinterpret_cast<HWND>(Send(LVM_GETHEADER))); }
    // Every column's width from one DPI to another.
    void ScaleColumns(int fromDpi, int toDpi) const {
        for (int column = 0; column < ColumnCount(); ++column)
            SetColumnWidth(column, MulDiv(ColumnWidth(column), toDpi, fromDpi));
    }
    // The last column takes the width the others leave (inside a vertical scroll bar while one
    // shows), so that the rows never need scrolling across. Called again when the rows or the
    // list's size change, since rows may bring a vertical scroll bar.
    void FitLastColumn() const {
        const int last = ColumnCount() - 1;
        if (last < 0) return;
        RECT client;
        GetClientRect(hwnd_, &client);
        int rest = client.right;
        for (int column = 0; column < last; ++column)
            rest -= ColumnWidth(column);
        SetColumnWidth(last, rest > 0 ? rest : 0);
    }
    void SetExtendedStyle(DWORD style) const { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style); }
    void SetImageList(HIMAGELIST list, int which) const { Send(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list)); }
    int InsertItem(int index, const std::string& text, int image) const {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = index;
        item.pszText = const_cast<char*>(text.c_str());
        item.iImage = image;
        return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    bool SetItemText(int index, int column, const std::string& text) const {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = const_cast<char*>(text.c_str());
        return Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
    }
    std::string ItemText(int index, int column) const {
        char buffer[1024] = "";
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        return buffer;
    }
    int ItemImage(int index) const {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = index;
        return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -1;
    }
    bool SetItemImage(int index, int image) const {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = index;
        item.iImage = image;
        return Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
    }
    bool DeleteItem(int index) const { return Send(LVM_DELETEITEM, static_cast<WPARAM>(index)) != 0; }
    void DeleteAll() const { Send(LVM_DELETEALLITEMS); }
    int Count() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
    // First selected row, or -1.
    int Selected() const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
    int NextSelected(int after) const { return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED)); }
    void Select(int index, bool on = true) const {
        LVITEMA item = {};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = on ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    // The row whose text is `text` (letter case ignored), or -1.
    int FindItem(const std::string& text) const {
        LVFINDINFOA find = {};
        find.flags = LVFI_STRING;
        find.psz = text.c_str();
        return static_cast<int>(Send(LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
    }
    void EnsureVisible(int index) const { Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE); }
};
