#pragma once
// The program's main window: the scheme list and every command. It owns the program's one
// long-lived SchemeStore; the commands of other files work on it through the accessors below.
#include <string>
#include <unordered_map>
#include <vector>
#include "editor/HoverButton.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/ListView.h"
#include "resource.h"
#include "store/SchemeStore.h"

class CMainDialog : public Dialog {
public:
    // What the scheme commands hand between their steps.
    struct SchemeWork {
        std::string oldName;
        std::string newName;
        std::string description;
        bool selectionEditable = false; // the selected scheme is not protected
    };

    explicit CMainDialog(HWND parent = nullptr);

    SchemeStore& Store() { return store_; }
    ListView SchemeList() const { return ListView(Hwnd(), IDC_SCHEME_LIST); }
    // Rebuilds the rows and their icons from the store's entries.
    void RefreshList();
    // Reads the entries again and brings the rows into step with them, touching only the rows
    // that differ, so that another writer's changes show too; then selects the row named
    // `selected`, when there is one.
    void SyncList(const std::string& selected);
    // The same with the store's entries as they stand, when they have just been read.
    void ShowEntries(const std::string& selected);
    // The first selected row, or -1.
    int SelectedRow() const { return SchemeList().Selected(); }
    // The Name text of the selected row; false when no row is selected.
    bool SelectedName(std::string& name) const;
    const std::vector<std::string>& ProtectedNames() const { return protectedNames_; }
    bool IsProtected(const std::string& name) const;
    SchemeWork& Work() { return work_; }
    // While set, the dialog shows the busy cursor whenever the pointer is over it.
    void SetBusy(bool busy) { busy_ = busy; }

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
    SchemeStore store_;
    std::vector<std::string> protectedNames_;
    std::unordered_map<std::string, std::string> shown_; // each row's name and description
    SchemeWork work_;
    bool busy_ = false;
};
