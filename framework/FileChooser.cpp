#include "framework/FileChooser.h"
#include <vector>

namespace {

class SystemChooser : public FileChooser {
public:
    bool ChooseToOpen(HWND owner, const FileDialogOptions& options, std::string& path) override {
        return Choose(owner, options, path, GetOpenFileNameA);
    }
    bool ChooseToSave(HWND owner, const FileDialogOptions& options, std::string& path) override {
        return Choose(owner, options, path, GetSaveFileNameA);
    }

private:
    static bool Choose(HWND owner, const FileDialogOptions& options, std::string& path,
                       BOOL(WINAPI* show)(LPOPENFILENAMEA)) {
        // The system wants the pairs separated by zero bytes and the list ended by two.
        std::string filter = options.filter;
        for (char& c : filter)
            if (c == '|') c = '\0';
        filter.append(2, '\0');
        std::vector<char> file(32768, '\0');
        options.initialName.copy(file.data(), file.size() - 1);

        OPENFILENAMEA dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.lpstrFilter = filter.c_str();
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file.data();
        dialog.nMaxFile = static_cast<DWORD>(file.size());
        // The dialog appends the default extension after a period of its own and wants it bare:
        // "*.esm" would make "backup.*.esm" (or "backup.*.e" on older systems) where the user
        // typed "backup".
        std::string extension = options.defaultExtension;
        if (extension.compare(0, 2, "*.") == 0) extension.erase(0, 2);
        dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
        dialog.Flags = options.flags | OFN_EXPLORER;
        if (!show(&dialog)) return false;
        path = file.data();
        return true;
    }
};

SystemChooser g_system;
FileChooser* g_current = &g_system;

} // namespace

FileChooser& SystemFileChooser() { return g_system; }

FileChooser& CurrentFileChooser() { return *g_current; }

FileChooser* SetFileChooser(FileChooser* chooser) {
    FileChooser* previous = g_current;
    g_current = chooser ? chooser : &g_system;
    return previous;
}
