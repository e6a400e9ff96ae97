#include "editor/MyPropertySheet.h"
#include "store/Settings.h"
#include "framework/Dpi.h"
#include "framework/Notices.h"
#include "resource.h"

namespace {
// By tab: General, Links, My Files.
const int kTabIcons[] = {IDI_TAB_GENERAL, IDI_TAB_LINKS, IDI_TAB_MY_FILES};
const int kTabIconCount = static_cast<int>(sizeof kTabIcons / sizeof kTabIcons[0]);
} // namespace

CMyPropertySheet::CMyPropertySheet(const std::string& caption, HWND parent) : PropertySheet(caption, parent) {
    AddPage(general_);
    AddPage(links_);
    AddPage(myFiles_);
}

void CMyPropertySheet::Fill(const Scheme& scheme, const std::string& name, const std::string& description,
                            const Scheme* stored) {
    general_.SetNameAndDescription(name, description);
    if (stored) general_.SetStored(*stored);
    general_.SetTabs(scheme.tabs.page1 != 0, scheme.tabs.page2 != 0, scheme.tabs.page3 != 0);
    links_.ClearLinks();
    for (const WebLink& link : scheme.webLinks.links) links_.AddLink(link);
    myFiles_.ClearRoots();
    for (const FolderRoot& root : scheme.roots.roots) myFiles_.AddRoot(root);
    myFiles_.SetIconSize(scheme.defaults.defaultIconSize);
}

INT_PTR CMyPropertySheet::Show() {
    for (;;) {
        SetNoApplyNow(true);
        const INT_PTR result = DoModal();
        // Only an OK is checked: a sheet that could not be made must not bring the question back.
        if (result != IDOK) return result;
        const bool* shown = general_.showTab;
        if (shown[CPage1::kPrograms] || shown[CPage1::kMyFiles] || shown[CPage1::kLinks]) return result;
        ShowMessage(nullptr,
                    "You need to select at least one\n\rof the tabs for Programs, Files, or\n\rWeb Links.",
                    "Tab Selection Error", MB_OK);
    }
}

void CMyPropertySheet::StoreInto(Scheme& scheme) const {
    general_.StoreInto(scheme);
    links_.StoreInto(scheme);
    myFiles_.StoreInto(scheme);
}

void CMyPropertySheet::OnInitialized() {
    MakeTabImages(Dpi::OfWindow(Hwnd()));
    HWND tabs = TabControl();
    const int count = TabCtrl_GetItemCount(tabs);
    for (int tab = 0; tab < count && tab < kTabIconCount; ++tab) {
        TCITEMA item = {};
        item.mask = TCIF_IMAGE;
        item.iImage = tab;
        SendMessageA(tabs, TCM_SETITEMA, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    }
}

void CMyPropertySheet::MakeTabImages(int dpi) {
    const int size = Dpi::SmallIconSize(dpi);
    tabImages_.Create(size, ILC_COLOR32 | ILC_MASK, 0, 1000);
    TabCtrl_SetImageList(TabControl(), tabImages_.Handle());
    for (int id : kTabIcons) {
        HICON icon = Dpi::LoadIconAt(id, size);
        tabImages_.AddIcon(icon);
        if (icon) DestroyIcon(icon);
    }
}

void CMyPropertySheet::OnDpiChanged(int dpi) { MakeTabImages(dpi); }

void CMyPropertySheet::OnHelp() { OpenHelp(); }
