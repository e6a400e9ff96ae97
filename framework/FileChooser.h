#pragma once
// The system's Open and Save file dialogs behind one small interface, so that a test can script
// the path the user picks. The real dialogs are in force unless a test installs its own.
#include <windows.h>
#include <commdlg.h>
#include <string>

struct FileDialogOptions {
    std::string filter;           // "Description|pattern|...", the pairs separated by '|'
    std::string defaultExtension; // lpstrDefExt, as given
    std::string initialName;      // what the file-name box shows first
    DWORD flags = 0;              // OFN_* flags
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // True with the chosen path when the user pressed OK.
    virtual bool ChooseToOpen(HWND owner, const FileDialogOptions& options, std::string& path) = 0;
    virtual bool ChooseToSave(HWND owner, const FileDialogOptions& options, std::string& path) = 0;
};

FileChooser& SystemFileChooser();
FileChooser& CurrentFileChooser();
// Installs `chooser` (nullptr restores the system's); returns the previous one.
FileChooser* SetFileChooser(FileChooser* chooser);
