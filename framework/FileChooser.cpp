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
        dialog.lpstrDefExt =
            options.defaultExtension.empty() ? nullptr : options.defaultExtension.c_str();
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
