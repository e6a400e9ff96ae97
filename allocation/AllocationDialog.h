#pragma once
// "Classes, Users and Schemes": allocates schemes to the classes and users of the
// class-management software, or, where that software configures schemes per user, chooses the
// current user's own scheme. Writes the registry on OK only.
#include <string>
#include <vector>
#include "allocation/AccountSources.h"
#include "allocation/ConfigMode.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/ListView.h"

struct AllocationRow {
    std::string name;
    std::string type; // the key the allocation is kept in: "Class Schemes" or "User Schemes"
    std::string scheme;
};

// Where the class lists are read; the class-management software's own files unless a test
// points elsewhere.
struct ClassFiles {
    std::string ntFolder = kNtClassFolder;
    std::string file9x = k9xClassFile;
};

class CAllocationDialog : public Dialog {
public:
    explicit CAllocationDialog(HWND parent, ConfigModeSource& modes = SystemConfigModeSource());

    ClassFiles classFiles;

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD code, int id, HWND control) override;
    bool OnNotify(int id, NMHDR* header) override;
    void OnOK() override;
    bool Exchange(bool save) override;
    void OnDpiChanged(int dpi) override;
    void OnControlsRescaled() override;

private:
    static const std::vector<Command<CAllocationDialog>>& Commands();
    void OnChange();
    void SetSchemeOfSameRows(int changed, const std::string& scheme);

    bool PerUserLayout() const;
    void ArrangeLayout();
    // The small image list of the list, at the window's scale: the user and the class icon.
    void MakeImages(int dpi);
    void SetUpList();
    void ReadSchemeChoices();
    void ReadRows();

    ImageList images_;
    std::vector<std::string> classes_;
    std::vector<std::string> users_;
    int mode_;
    ConfigModeSource& modes_;
    ListView list_;
    ComboBox schemeChoice_;

    std::vector<AllocationRow> rows_;
    std::vector<std::string> schemeNames_;
    std::string userScheme_; // the current user's "ConfigToUse"
};
