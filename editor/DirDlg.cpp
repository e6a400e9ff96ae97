#include "editor/DirDlg.h"
#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

namespace {
const char kFilter[] = "Show Folders Only\0.\0";
const char* const kTitle = "Choose a Folder";
const UINT_PTR kFrameSubclass = 1;
// Shows the folder again once the standard dialog has finished a change of folder: after a typed
// folder name it empties the file-name box last.
const UINT kShowFolderAgain = WM_APP + 1;

// The file-name box: an edit on some systems, a combo box on others.
int FileNameBox(HWND frame) { return GetDlgItem(frame, cmb13) ? cmb13 : edt1; }
} // namespace

CDirDlg::CDirDlg(const std::string& startFolder, HWND parent)
    : initialFolder_(startFolder), parent_(parent) {}

INT_PTR CDirDlg::DoModal() {
    selected_ = false;
    current_.clear();
    result_.clear();
    char file[MAX_PATH * 2] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = parent_;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = initialFolder_.empty() ? nullptr : initialFolder_.c_str();
    dialog.lpstrTitle = kTitle;
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    dialog.lpfnHook = HookProc;
    dialog.lCustData = reinterpret_cast<LPARAM>(this);
    // Select ends the dialog through Cancel (see OnSelect), so the result is ours, not the call's.
    GetOpenFileNameA(&dialog);
    return selected_ ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CDirDlg::HookProc(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        const OPENFILENAMEA* dialog = reinterpret_cast<const OPENFILENAMEA*>(lParam);
        SetWindowLongPtrA(hook, DWLP_USER, dialog->lCustData);
        HWND frame = GetParent(hook);
        SetWindowLongPtrA(frame, GWL_EXSTYLE, GetWindowLongPtrA(frame, GWL_EXSTYLE) & ~WS_EX_CONTEXTHELP);
        return TRUE;
    }
    CDirDlg* self = reinterpret_cast<CDirDlg*>(GetWindowLongPtrA(hook, DWLP_USER));
    if (!self) return FALSE;
    HWND frame = GetParent(hook);
    if (msg == kShowFolderAgain) {
        self->ShowFolder(frame);
        return TRUE;
    }
    if (msg != WM_NOTIFY) return FALSE;
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case CDN_INITDONE:
        self->OnInitDone(frame);
        return TRUE;
    case CDN_FOLDERCHANGE:
        self->OnFolderChange(frame);
        PostMessageA(hook, kShowFolderAgain, 0, 0);
        return TRUE;
    case CDN_FILEOK:
        // Whatever was typed, it is not a file to open: only Select ends the choice.
        SetWindowLongPtrA(hook, DWLP_MSGRESULT, 1);
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CALLBACK CDirDlg::FrameProc(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (msg == WM_COMMAND && LOWORD(wParam) == kSelectId && HIWORD(wParam) == BN_CLICKED) {
        reinterpret_cast<CDirDlg*>(self)->OnSelect(frame);
        return 0;
    }
    if (msg == WM_NCDESTROY) RemoveWindowSubclass(frame, FrameProc, kFrameSubclass);
    return DefSubclassProc(frame, msg, wParam, lParam);
}

void CDirDlg::OnInitDone(HWND frame) {
    SendMessageA(frame, CDM_SETCONTROLTEXT, stc3, reinterpret_cast<LPARAM>("Folder Path:"));
    SetWindowSubclass(frame, FrameProc, kFrameSubclass, reinterpret_cast<DWORD_PTR>(this));

    // Select takes the Open button's place, size and font, and becomes the default button.
    HWND open = GetDlgItem(frame, IDOK);
    RECT place = {};
    GetWindowRect(open, &place);
    MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&place), 2);
    HWND select = CreateWindowExA(0, "BUTTON", "Select", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
                                  place.left, place.top, place.right - place.left, place.bottom - place.top, frame,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSelectId)),
                                  GetModuleHandleA(nullptr), nullptr);
    SendMessageA(select, WM_SETFONT, SendMessageA(open, WM_GETFONT, 0, 0), TRUE);
    SetWindowPos(select, open, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE); // Open's tab place
    SendMessageA(open, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageA(frame, DM_SETDEFID, kSelectId, 0);
    for (int id : {IDOK, stc2, cmb1}) SendMessageA(frame, CDM_HIDECONTROL, static_cast<WPARAM>(id), 0);
    OnFolderChange(frame);
}

void CDirDlg::OnFolderChange(HWND frame) {
    char folder[MAX_PATH * 2] = "";
    LRESULT length = SendMessageA(frame, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    // A place outside the file system (such as My Computer) is no folder to return.
    current_ = length > 0 ? folder : "";
    if (!current_.empty() && current_.back() != '\\') current_ += '\\';
    ShowFolder(frame);
    result_ = current_;
}

void CDirDlg::ShowFolder(HWND frame) {
    SendMessageA(frame, CDM_SETCONTROLTEXT, static_cast<WPARAM>(FileNameBox(frame)),
                 reinterpret_cast<LPARAM>(current_.c_str()));
}

void CDirDlg::OnSelect(HWND frame) {
    selected_ = true;
    result_ = current_;
    // Cancel closes the standard dialog without its Open processing, which would look for a file.
    PostMessageA(frame, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(frame, IDCANCEL)));
}
