#pragma once
// Chooses a folder with the system's Open dialog, reshaped: titled "Choose a Folder", folders
// only, the file-name box labelled "Folder Path:" and showing the folder, and a "Select" button
// in place of Open that accepts the folder shown. A typed name is never accepted as a file.
#include <windows.h>
#include <string>

class CDirDlg {
public:
    static constexpr int kSelectId = 5000;

    explicit CDirDlg(const std::string& startFolder = std::string(), HWND parent = nullptr);
    CDirDlg(const CDirDlg&) = delete;
    CDirDlg& operator=(const CDirDlg&) = delete;

    void SetInitialFolder(const std::string& folder) { initialFolder_ = folder; }
    // IDOK when Select was pressed, else IDCANCEL.
    INT_PTR DoModal();
    // The folder shown when Select was pressed, ending in a backslash.
    const std::string& Result() const { return result_; }

private:
    static UINT_PTR CALLBACK HookProc(HWND hook, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FrameProc(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);
    void OnInitDone(HWND frame);
    void OnFolderChange(HWND frame);
    void ShowFolder(HWND frame);
    void OnSelect(HWND frame);

    std::string initialFolder_;
    std::string current_;
    std::string result_;
    HWND parent_;
    bool selected_ = false;
};
