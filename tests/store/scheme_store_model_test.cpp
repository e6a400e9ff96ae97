// Whole schemes through the store: Load reads every section of every listed scheme, SaveAll
// writes them back.
#include <gtest/gtest.h>
#include "store/RegKey.h"
#include "store/SchemeStore.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"
#include "tests/sections/SchemeSamples.h"

namespace {
const std::string kSchemes = "Software\\Orrinford\\VexarLumen\\Schemes";

void SetSz(const std::string& path, const char* name, const std::string& text) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, path, name, text);
}
void SetDw(const std::string& path, const char* name, DWORD value) {
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, path, name, value);
}

// A scheme as the shell's installer leaves it: one root, one link, every toolbar button on.
void SeedScheme(const std::string& name, const std::string& description) {
    const std::string key = kSchemes + "\\" + name;
    SetSz(kSchemes, name.c_str(), description);
    SetSz(key, "Scheme Name", name);
    SetDw(key + "\\FolderDisplay", "RootFolderCount", 1);
    const std::string root = key + "\\FolderDisplay\\Root 1";
    SetSz(root, "RootDisplayName", "My Work");
    SetSz(root, "RootPath", "H:\\");
    SetDw(root, "FolderLevels", 2);
    SetSz(root, "CollapsedIconFile", "C:\\Pictures\\closed.bmp");
    SetSz(root, "ExpandedIconFile", "C:\\Pictures\\open.bmp");
    SetSz(root, "LongToolTip", "Your own work");
    SetSz(root, "ShortToolTip", "Work");
    SetSz(root, "Wav File", "C:\\Sounds\\work.wav");
    SetDw(root, "DenyModify", 1);
    SetDw(key + "\\WebLinks", "WebLinksCount", 1);
    const std::string link = key + "\\WebLinks\\WebLink 1";
    SetSz(link, "DisplayName", "School site");
    SetSz(link, "URL", "http://school.example/");
    SetSz(link, "IconFile", "C:\\Pictures\\web.bmp");
    SetSz(link, "LongToolTip", "The school's site");
    SetSz(link, "ShortToolTip", "Site");
    SetSz(link, "Wav File", "");
    SetDw(key + "\\TabSelection", "Page1", 1);
    SetDw(key + "\\TabSelection", "Page2", 1);
    SetDw(key + "\\TabSelection", "Page3", 0);
    for (const char* page : {"\\ToolBars\\Page 1", "\\ToolBars\\Page 2", "\\ToolBars\\Page 3"})
        for (const char* button :
             {"Back", "Forward", "Up", "Rename", "New", "Cut", "Copy", "Paste", "Delete", "Undo",
              "Print", "Refresh", "Icon", "View", "Help", "Side"})
            SetDw(key + page, button, 1);
    SetSz(key + "\\Defaults", "DefaultView", "tree1");
    SetDw(key + "\\Defaults", "DefaultIconSize", 16);
    SetDw(key + "\\Defaults", "DefaultFirstTab", 1);
    SetDw(key + "\\Defaults", "ShortToolTips", 0);
    SetDw(key + "\\Defaults", "Silent", 1);
    SetDw(key + "\\Defaults", "Context Menu", 0);
    SetDw(key + "\\Defaults", "Options Menu", 1);
}

// The same scheme as the model holds it.
Scheme SeededScheme(const std::string& name) {
    Scheme s;
    s.name = name;
    s.roots.count = 1;
    s.roots.roots = {{"My Work", "H:\\", 2, "C:\\Pictures\\closed.bmp", "C:\\Pictures\\open.bmp",
                      "Your own work", "Work", "C:\\Sounds\\work.wav", 1}};
    s.webLinks.count = 1;
    s.webLinks.links = {{"School site", "http://school.example/", "C:\\Pictures\\web.bmp",
                         "The school's site", "Site", ""}};
    s.tabs.page1 = 1;
    s.tabs.page2 = 1;
    s.tabs.page3 = 0;
    for (ToolBarPage& page : s.toolBars.pages)
        for (int* field : {&page.back, &page.forward, &page.newItem, &page.rename, &page.cut,
                           &page.copy, &page.paste, &page.deleteItem, &page.undo, &page.print,
                           &page.refresh, &page.icon, &page.view, &page.help, &page.up, &page.side})
            *field = 1;
    s.defaults = {"tree1", 16, 1, 0, 1, 0, 1};
    return s;
}

class SchemeStoreModel : public testing::Test {
protected:
    RegistrySandbox sandbox;
    RecordingNotices notices;
};

TEST_F(SchemeStoreModel, LoadReadsEverySectionOfEveryScheme) {
    SeedScheme("Default User", "Built in");
    SeedScheme("Year 7", "First year");
    ASSERT_TRUE(RegKey(false, kSchemes + "\\Year 7").DeleteTree("Defaults"));

    SchemeStore store;
    store.Load(true);
    ASSERT_EQ(store.schemes.size(), 2u);
    const Scheme& first =
        store.schemes[0].name == "Default User" ? store.schemes[0] : store.schemes[1];
    const Scheme& second = &first == &store.schemes[0] ? store.schemes[1] : store.schemes[0];
    EXPECT_EQ(Describe(first), Describe(SeededScheme("Default User")));
    Scheme withoutDefaults = SeededScheme("Year 7");
    withoutDefaults.defaults = DefaultsSection();
    EXPECT_EQ(Describe(second), Describe(withoutDefaults));
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(SchemeStoreModel, SaveAllWritesChangedAndNewSchemesThatLoadBackTheSame) {
    SeedScheme("Default User", "Built in");
    SchemeStore store;
    store.Load(false);
    ASSERT_EQ(store.schemes.size(), 1u);
    Scheme& scheme = store.schemes[0];
    scheme.roots.roots.push_back(SampleRoot("Shared", 1, 0));
    scheme.roots.count = 2;
    scheme.webLinks.links.clear();
    scheme.webLinks.count = 0;
    scheme.toolBars.pages[2].side = 0;
    scheme.defaults.silent = 0;
    store.entries.push_back({"Hall", "Main hall"});
    store.schemes.push_back(SampleScheme("Hall"));
    ASSERT_TRUE(store.SaveAll());

    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemes, "Hall"), "Main hall");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemes + "\\Hall", "Scheme Name"),
              "Hall");
    // The link removed stays in the registry, unread.
    EXPECT_TRUE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE,
                                           kSchemes + "\\Default User\\WebLinks\\WebLink 1"));

    SchemeStore reloaded;
    reloaded.Load(true);
    ASSERT_EQ(reloaded.schemes.size(), 2u);
    for (const Scheme& loaded : reloaded.schemes) {
        const Scheme& saved = loaded.name == "Hall" ? store.schemes[1] : store.schemes[0];
        EXPECT_EQ(Describe(loaded), Describe(saved));
    }
    EXPECT_TRUE(notices.shown.empty());
}
} // namespace
