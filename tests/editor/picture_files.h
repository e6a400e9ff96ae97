#pragma once
// Bitmap files for the picture tests, and the picture settings that point at them.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "store/RegistryPaths.h"
#include "tests/bench/Sandbox.h"

namespace picture_files {

// A 24-bit bottom-up bitmap file; `color(x, y)` gives each pixel, y counted from the top.
inline std::string Bitmap(int width, int height, const std::function<COLORREF(int, int)>& color) {
    const int row = ((width * 3 + 3) / 4) * 4;
    std::string file(54 + static_cast<size_t>(row) * height, '\0');
    auto put32 = [&](size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i) file[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<DWORD>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<DWORD>(width));
    put32(22, static_cast<DWORD>(height));
    file[26] = 1;
    file[28] = 24;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = color(x, y);
            const size_t at = 54 + static_cast<size_t>(height - 1 - y) * row + static_cast<size_t>(x) * 3;
            file[at] = static_cast<char>(GetBValue(c));
            file[at + 1] = static_cast<char>(GetGValue(c));
            file[at + 2] = static_cast<char>(GetRValue(c));
        }
    }
    return file;
}

inline std::string Solid(COLORREF color, int side = 32) {
    return Bitmap(side, side, [=](int, int) { return color; });
}

// Names the two picture folders in the (sandboxed) settings; an empty text leaves a value out.
inline void SetFolders(const std::string& defaults, const std::string& user) {
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSettingsKey);
    if (!defaults.empty()) RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSettingsKey, "Default Pictures", defaults);
    if (!user.empty()) RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSettingsKey, "User Defined Pictures", user);
}

// Picture folders with a few pictures, as a school would have them.
struct Folders {
    TempFolder root;
    std::string defaults;
    std::string user;
    Folders() {
        root.MakeFolder("Pictures");
        root.MakeFolder("User Pictures");
        defaults = root.File("Pictures");
        user = root.File("User Pictures");
        for (const char* name : {"Closed Folder.bmp", "Open Folder.bmp", "defaultWebLink.bmp", "Maths.bmp"})
            root.Write(std::string("Pictures\\") + name, Solid(RGB(0, 0, 200)));
        SetFolders(defaults, user);
    }
    std::string Default(const std::string& name) const { return defaults + "\\" + name; }
    std::string User(const std::string& name) const { return user + "\\" + name; }
};

} // namespace picture_files
