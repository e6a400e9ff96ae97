#include "helper_chooser/HelperChooserDlg.h"
#include <algorithm>
#include <shlobj.h>
#include "framework/Dpi.h"
#include "store/Settings.h"
#include "resource.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"

namespace {
const COLORREF kMagenta = RGB(255, 0, 255);
const char* const kAgentValue = "msAgent Path";

BYTE Lighter(BYTE part) { return static_cast<BYTE>(std::min(255, part + 10)); }

// The pictures are drawn at 64 pixels and again at 125, 150 and 200 % (IDB_HELPER_SCALE_STEP):
// the largest drawing that the scale of `dpi` leaves room for, so none is stretched.
int PictureIdStep(int dpi) {
    const int sizes[] = {64, 80, 96, 128};
    const int room = Dpi::Scale(sizes[0], dpi);
    int step = 0;
    for (int i = 1; i < 4; ++i) {
        if (sizes[i] <= room) step = i;
    }
    return step * IDB_HELPER_SCALE_STEP;
}
} // namespace

const CHelperChooserDlg::Character CHelperChooserDlg::kCharacters[4] = {
    {IDC_PEEDY, "Peedy", "Selects Peedy as agent to use", IDB_PEEDY_PRESSED, IDB_PEEDY_NORMAL},
    {IDC_ROBBY, "Robby", "Selects Robby as agent to use", IDB_ROBBY_PRESSED, IDB_ROBBY_NORMAL},
    {IDC_MERLIN, "Merlin", "Selects Merlin as agent to use", IDB_MERLIN_PRESSED, IDB_MERLIN_NORMAL},
    {IDC_GENIE, "Genie", "Selects Genie as agent to use", IDB_GENIE_PRESSED, IDB_GENIE_NORMAL},
};

const std::vector<Command<CHelperChooserDlg>> CHelperChooserDlg::commands_ = {
    {IDC_PEEDY, BN_CLICKED, &CHelperChooserDlg::OnPeedy},
    {IDC_ROBBY, BN_CLICKED, &CHelperChooserDlg::OnRobby},
    {IDC_MERLIN, BN_CLICKED, &CHelperChooserDlg::OnMerlin},
    {IDC_GENIE, BN_CLICKED, &CHelperChooserDlg::OnGenie},
};

FolderPathFunction FindFolderFunction() {
    // Found once and kept, with its library, for the program's lifetime: looking again in
    // SHFolder.dll alone on a later opening would lose the Windows folder where that is missing.
    static FolderPathFunction found = nullptr;
    if (found) return found;
    for (const char* name : {"Shell32.dll", "SHFolder.dll"}) {
        HMODULE library = LoadLibraryA(name);
        FARPROC function = library ? GetProcAddress(library, "SHGetFolderPathA") : nullptr;
        if (function) {
            found = reinterpret_cast<FolderPathFunction>(reinterpret_cast<void*>(function));
            return found;
        }
        if (library) FreeLibrary(library);
    }
    return nullptr;
}

std::string AgentPath(const std::string& windowsFolder, const std::string& character) {
    return windowsFolder + "\\msagent\\chars\\" + character + ".acs";
}

std::string CharacterOfPath(const std::string& path) {
    std::string cut = path.size() > 4 ? path.substr(0, path.size() - 4) : std::string();
    // Backwards down to the second character: a backslash in front is not looked at.
    for (size_t i = cut.size(); i-- > 1;) {
        if (cut[i] == '\\') return cut.substr(i + 1);
    }
    return cut.size() > 1 ? cut.substr(1) : std::string();
}

CHelperChooserDlg::CHelperChooserDlg(HWND parent) : Dialog(IDD_HELPER_CHOOSER, parent) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    lightFace_ = RGB(Lighter(GetRValue(face)), Lighter(GetGValue(face)), Lighter(GetBValue(face)));
}

BOOL CHelperChooserDlg::OnInitDialog() {
    storedPath_.clear();
    chosen_.clear();
    windowsFolder_.clear();
    SetUpButtons();
    ReadWindowsFolder();

    storedPath_ = GetAgentPath();
    const std::string character = CharacterOfPath(storedPath_);
    for (const Character& known : kCharacters) {
        if (character == known.name) {
            SelectCharacter(character);
            return TRUE;
        }
    }
    // The shell needs a valid character: an unknown or missing one becomes Peedy at once.
    SelectCharacter("Peedy");
    StoreChoice();
    return TRUE;
}

void CHelperChooserDlg::SetUpButtons() {
    for (int i = 0; i < 4; ++i) {
        const Character& character = kCharacters[i];
        CRoundedHoverButton& button = buttons_[i];
        button.Attach(Hwnd(), character.id);
        button.SetColor(CHoverButton::kBackHot, lightFace_);
        button.SetRounded(true);
        button.SetTooltip(character.tooltip, true);
        button.SetIconAlignment(CHoverButton::kImageAbove);
        button.SetText(character.name);
    }
    SetPictures(ShownDpi());
}

void CHelperChooserDlg::SetPictures(int dpi) {
    const int step = PictureIdStep(dpi);
    for (int i = 0; i < 4; ++i) {
        const Character& character = kCharacters[i];
        buttons_[i].SetBitmaps(character.pressedBitmap + step, kMagenta, character.normalBitmap + step, kMagenta);
    }
}

void CHelperChooserDlg::ReadWindowsFolder() {
    FolderPathFunction folderPath = FindFolderFunction();
    if (!folderPath) return;
    char folder[MAX_PATH] = "";
    if (SUCCEEDED(folderPath(nullptr, CSIDL_WINDOWS, nullptr, SHGFP_TYPE_CURRENT, folder))) windowsFolder_ = folder;
    else windowsFolder_ = "C:\\Windows";
}

void CHelperChooserDlg::SelectCharacter(const std::string& character) {
    chosen_ = character;
    Exchange(false);
}

bool CHelperChooserDlg::Exchange(bool save) {
    // The buttons and the name label show the chosen character; clicks change it directly.
    if (save) return true;
    for (int i = 0; i < 4; ++i) buttons_[i].SetChecked(chosen_ == kCharacters[i].name, true);
    SetItemText(IDC_HELPER_NAME, chosen_);
    return true;
}

bool CHelperChooserDlg::OnCommand(WORD code, int id, HWND) { return DispatchCommand(this, commands_, code, id); }

void CHelperChooserDlg::OnOK() {
    StoreChoice(); // a failure is not reported: the shell then keeps its earlier helper
    EndDialog(IDOK);
}

bool CHelperChooserDlg::StoreChoice() const {
    // The Settings key belongs to the installation: it is written, never created.
    RegKey settings(false, kSettingsKey);
    return settings.Open(KEY_WRITE) && settings.WriteString(kAgentValue, AgentPath(windowsFolder_, chosen_));
}
