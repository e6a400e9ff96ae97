#pragma once
// The program's main window: the scheme list and every command. It owns the program's one
// long-lived SchemeStore and hands it to the commands with itself as their list.
#include <string>
#include <unordered_map>
#include <vector>
#include "app/SchemeListSite.h"
#include "app/WaitTurnDlg.h"
#include "editor/HoverButton.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/ListView.h"
#include "resource.h"
#include "store/SchemeStore.h"

class CMainDialog : public Dialog, public SchemeListSite {
public:
    explicit CMainDialog(HWND parent = nullptr);
    ~CMainDialog() override;

    SchemeStore& Store() { return store_; }
    ListView SchemeList() const { return ListView(Hwnd(), IDC_SCHEME_LIST); }
    // Rebuilds the rows and their icons from the store's entries.
    void RefreshList();
    // The first selected row, or -1.
    int SelectedRow() const { return SchemeList().Selected(); }
    const std::vector<std::string>& ProtectedNames() const { return protectedNames_; }
    bool IsProtected(const std::string& name) const;

    // The list as the commands see it. Bringing it into step touches only the rows that went,
    // changed (description or built-in mark) or came since they were last shown.
    HWND Owner() const override { return Hwnd(); }
    bool SelectedName(std::string& name) const override;
    void BringIntoStep(const std::string& selected) override;
    // While set, the dialog shows the busy cursor whenever the pointer is over it.
    void SetBusy(bool busy) override { busy_ = busy; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR* header) override;
    void OnHelp() override;
    void OnDpiChanged(int dpi) override;
    void OnControlsRescaled() override;
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void OnCreate();
    void OnEdit();
    void OnDelete();
    void OnLoadFromDisk();
    void OnSaveToDisk();
    void OnAllocate();
    void OnChooseHelper();
    void OnHelpMenu();
    void OnAboutMenu();

    void SetUpButtons();
    void SetUpList();
    // The small image list of the scheme list, at the window's scale.
    void MakeImages(int dpi);

    static const std::vector<Command<CMainDialog>> commands_;

    CHoverButton load_;
    CHoverButton save_;
    CHoverButton help_;
    ImageList images_;
    // What a row shows besides its name.
    struct Row {
        std::string description;
        bool builtIn = false;
        bool operator==(const Row& other) const {
            return description == other.description && builtIn == other.builtIn;
        }
    };

    SchemeStore store_;
    std::vector<std::string> protectedNames_;
    static int ImageOf(const Row& row);

    std::unordered_map<std::string, Row> shown_; // by name
    bool busy_ = false;
    // The program's writers wait for their turn in this window, while the dialog lives.
    CWaitTurnDlg waiting_;
    TurnWaiter* previousWaiter_ = nullptr;
    bool waiterInstalled_ = false;
};
