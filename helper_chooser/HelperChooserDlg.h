#pragma once
// Chooses the Microsoft Agent character that the shell shows as its OnScreen Helper. The choice
// is stored, on OK, as the full path of the character's file in "msAgent Path".
#include <string>
#include "editor/RoundedHoverButton.h"
#include "framework/Dialog.h"

// SHGetFolderPathA, looked up at run time: older systems have it only in SHFolder.dll.
using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
FolderPathFunction FindFolderFunction();

// The stored path of a character: windowsFolder\msagent\chars\character.acs
std::string AgentPath(const std::string& windowsFolder, const std::string& character);
// The character a stored path names, by the stored path's own cutting rule (may be any text).
std::string CharacterOfPath(const std::string& path);

class CHelperChooserDlg : public Dialog {
public:
    explicit CHelperChooserDlg(HWND parent = nullptr);

    void SelectCharacter(const std::string& character);
    const std::string& Chosen() const { return chosen_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    void OnOK() override;
    bool Exchange(bool save) override;
    void OnDpiChanged(int dpi) override { SetPictures(dpi); }

private:
    struct Character {
        int id;
        const char* name;
        const char* tooltip;
        int pressedBitmap;
        int normalBitmap;
    };
    static const Character kCharacters[4];
    static const std::vector<Command<CHelperChooserDlg>> commands_;

    void OnPeedy() { SelectCharacter("Peedy"); }
    void OnRobby() { SelectCharacter("Robby"); }
    void OnMerlin() { SelectCharacter("Merlin"); }
    void OnGenie() { SelectCharacter("Genie"); }

    void SetUpButtons();
    // The four characters' pictures, drawn for `dpi`.
    void SetPictures(int dpi);
    void ReadWindowsFolder();
    bool StoreChoice() const;

    CRoundedHoverButton buttons_[4];
    std::string storedPath_;
    std::string chosen_;
    std::string windowsFolder_;
    COLORREF lightFace_; // the button face, each part raised by 10 (at most 255)
};
