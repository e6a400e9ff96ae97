// The registry form of a scheme: names, types, orders of reading, and what damaged keys give.
#include <gtest/gtest.h>
#include <map>
#include "store/RegKey.h"
#include "tests/bench/Sandbox.h"
#include "tests/sections/SchemeSamples.h"

namespace {
const std::string kProduct = "Software\\Orrinford\\VexarLumen";
const std::string kLab = "Software\\Orrinford\\VexarLumen\\Schemes\\Lab";

// Every value of a key as name -> "sz:text" or "dword:n"; other types show their number.
std::map<std::string, std::string> Dump(const std::string& path) {
    std::map<std::string, std::string> values;
    RegKey key(false, path);
    for (const RegValue& v : key.Values()) {
        if (v.type == REG_SZ) {
            values[v.name] = "sz:" + v.Text();
        } else if (v.type == REG_DWORD && v.data.size() == 4) {
            DWORD n = 0;
            memcpy(&n, v.data.data(), 4);
            values[v.name] = "dword:" + std::to_string(n);
        } else {
            values[v.name] = "type" + std::to_string(v.type);
        }
    }
    return values;
}

void SeedToolBarPage(const std::string& path, DWORD value) {
    for (const char* name : {"Back", "Forward", "Up", "Rename", "New", "Cut", "Copy", "Paste",
                             "Delete", "Undo", "Print", "Refresh", "Icon", "View", "Help", "Side"})
        RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, path, name, value);
}

class SchemeRegistry : public testing::Test {
protected:
    SchemeRegistry() { RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kProduct + "\\Schemes"); }
    RegistrySandbox sandbox;
};

TEST_F(SchemeRegistry, WritesEveryValueUnderItsNameAndTypeAndReadsThemBack) {
    Scheme written = SampleScheme("Lab");
    // The registry keeps a switch's number as it is, so every button of a page can differ.
    for (int i = 0; i < 16; ++i)
        Switch(written.toolBars.pages[1], i) = 10 + i;
    ASSERT_TRUE(written.WriteToRegistry("Lab"));

    using Values = std::map<std::string, std::string>;
    EXPECT_EQ(Dump(kLab), (Values{{"Scheme Name", "sz:Lab"}}));
    EXPECT_EQ(Dump(kLab + "\\FolderDisplay"), (Values{{"RootFolderCount", "dword:2"}}));
    EXPECT_EQ(Dump(kLab + "\\FolderDisplay\\Root 2"),
              (Values{{"RootDisplayName", "sz:Work display"},
                      {"RootPath", "sz:C:\\Shared\\Work"},
                      {"FolderLevels", "dword:3"},
                      {"CollapsedIconFile", "sz:C:\\Pictures\\Work closed.bmp"},
                      {"ExpandedIconFile", "sz:C:\\Pictures\\Work open.bmp"},
                      {"LongToolTip", "sz:Work long tip"},
                      {"ShortToolTip", "sz:Work tip"},
                      {"Wav File", "sz:C:\\Sounds\\Work.wav"},
                      {"DenyModify", "dword:0"}}));
    EXPECT_EQ(Dump(kLab + "\\FolderDisplay\\Root 1")["DenyModify"], "dword:1");
    EXPECT_EQ(Dump(kLab + "\\WebLinks"), (Values{{"WebLinksCount", "dword:1"}}));
    EXPECT_EQ(Dump(kLab + "\\WebLinks\\WebLink 1"),
              (Values{{"DisplayName", "sz:library site"},
                      {"URL", "sz:http://library.example/"},
                      {"IconFile", "sz:C:\\Pictures\\library link.bmp"},
                      {"LongToolTip", "sz:library long link tip"},
                      {"ShortToolTip", "sz:library link tip"},
                      {"Wav File", "sz:C:\\Sounds\\library link.wav"}}));
    EXPECT_EQ(Dump(kLab + "\\TabSelection"),
              (Values{{"Page1", "dword:1"}, {"Page2", "dword:0"}, {"Page3", "dword:2"}}));
    EXPECT_EQ(Dump(kLab + "\\Defaults"), (Values{{"DefaultView", "sz:details"},
                                                 {"DefaultIconSize", "dword:32"},
                                                 {"DefaultFirstTab", "dword:2"},
                                                 {"ShortToolTips", "dword:1"},
                                                 {"Silent", "dword:0"},
                                                 {"Context Menu", "dword:3"},
                                                 {"Options Menu", "dword:4"}}));
    EXPECT_TRUE(Dump(kLab + "\\ToolBars").empty());
    EXPECT_EQ(Dump(kLab + "\\ToolBars\\Page 2"), (Values{{"Back", "dword:10"},
                                                         {"Forward", "dword:11"},
                                                         {"New", "dword:12"},
                                                         {"Rename", "dword:13"},
                                                         {"Cut", "dword:14"},
                                                         {"Copy", "dword:15"},
                                                         {"Paste", "dword:16"},
                                                         {"Delete", "dword:17"},
                                                         {"Undo", "dword:18"},
                                                         {"Print", "dword:19"},
                                                         {"Refresh", "dword:20"},
                                                         {"Icon", "dword:21"},
                                                         {"View", "dword:22"},
                                                         {"Help", "dword:23"},
                                                         {"Up", "dword:24"},
                                                         {"Side", "dword:25"}}));
    EXPECT_EQ(Dump(kLab + "\\ToolBars\\Page 3").size(), 16u);

    Scheme read;
    EXPECT_TRUE(read.ReadFromRegistry("Lab"));
    EXPECT_EQ(Describe(read), Describe(written));
}

TEST(SchemeRegistryWithoutShell, NothingIsWrittenWithoutTheProductKey) {
    RegistrySandbox sandbox;
    Scheme scheme = SampleScheme("Lab");
    EXPECT_FALSE(scheme.WriteToRegistry("Lab"));
    EXPECT_FALSE(scheme.toolBars.WriteToRegistry("Lab"));
    EXPECT_FALSE(scheme.roots.roots[0].WriteToRegistry("Lab", 1));
    EXPECT_FALSE(RegistrySandbox::KeyExists(HKEY_LOCAL_MACHINE, "Software\\Orrinford"));
}

TEST_F(SchemeRegistry, MissingNumbersRepeatThePreviousOneInRegistryOrder) {
    const std::string root = kLab + "\\FolderDisplay\\Root 1";
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kLab + "\\FolderDisplay", "RootFolderCount", 1);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, root, "RootDisplayName", "Home");
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, root, "FolderLevels", 4); // no "DenyModify"
    const std::string page = kLab + "\\ToolBars\\Page 1";
    SeedToolBarPage(page, 1);
    RegKey(true, page).DeleteValue("Back");
    RegKey(true, page).DeleteValue("Rename");
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, page, "Up", 7);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, page, "New", 3);
    const std::string defaults = kLab + "\\Defaults";
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, defaults, "DefaultFirstTab", 3);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, defaults, "ShortToolTips", 2);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, defaults, "Context Menu", 4);
    // No "DefaultView", "DefaultIconSize", "Silent", "Options Menu".

    Scheme scheme;
    scheme.defaults.defaultView = "icons";
    EXPECT_FALSE(scheme.roots.ReadFromRegistry("Lab"));
    ASSERT_EQ(scheme.roots.roots.size(), 1u);
    EXPECT_EQ(scheme.roots.roots[0].displayName, "Home");
    EXPECT_EQ(scheme.roots.roots[0].denyModify, 4);

    EXPECT_FALSE(scheme.toolBars.pages[0].ReadFromRegistry("Lab", 1));
    EXPECT_EQ(scheme.toolBars.pages[0].back, 0);
    EXPECT_EQ(scheme.toolBars.pages[0].rename, 7); // "Up" is read just before "Rename"
    EXPECT_EQ(scheme.toolBars.pages[0].newItem, 3);

    EXPECT_FALSE(scheme.defaults.ReadFromRegistry("Lab"));
    EXPECT_EQ(scheme.defaults.defaultView, "");
    EXPECT_EQ(scheme.defaults.defaultIconSize, 0);
    EXPECT_EQ(scheme.defaults.defaultFirstTab, 3);
    EXPECT_EQ(scheme.defaults.silent, 2); // read after "ShortToolTips", before "Context Menu"
    EXPECT_EQ(scheme.defaults.contextMenu, 4);
    EXPECT_EQ(scheme.defaults.optionsMenu, 4);
}

TEST_F(SchemeRegistry, MissingTabPageKeepsItsFieldAndWrongTypesCountAsMissing) {
    const std::string tabs = kLab + "\\TabSelection";
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, tabs, "Page1", 0);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, tabs, "Page3", 1);
    TabSelectionSection section;
    section.page1 = section.page2 = section.page3 = 7;
    EXPECT_FALSE(section.ReadFromRegistry("Lab"));
    EXPECT_EQ(section.page1, 0);
    EXPECT_EQ(section.page2, 7);
    EXPECT_EQ(section.page3, 1);

    const std::string link = kLab + "\\WebLinks\\WebLink 1";
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kLab + "\\WebLinks", "WebLinksCount", 1);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, link, "DisplayName", "%TEMP%\\x", REG_EXPAND_SZ);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, link, "URL", 5);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, link, "IconFile", "a.bmp");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, link, "LongToolTip", "l");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, link, "ShortToolTip", "s");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, link, "Wav File", "w");
    WebLinksSection links;
    EXPECT_FALSE(links.ReadFromRegistry("Lab"));
    ASSERT_EQ(links.links.size(), 1u);
    EXPECT_EQ(links.links[0].displayName, "%TEMP%\\x"); // taken as stored, not expanded
    EXPECT_EQ(links.links[0].url, "");
    EXPECT_EQ(links.links[0].iconFile, "a.bmp");

    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kLab + "\\Defaults", "DefaultIconSize", "5");
    DefaultsSection defaults;
    EXPECT_FALSE(defaults.ReadFromRegistry("Lab"));
    EXPECT_EQ(defaults.defaultIconSize, 0);
}

TEST_F(SchemeRegistry, MissingDefaultsFailsTheReadButEverythingElseLoads) {
    ASSERT_TRUE(SampleScheme("Lab").WriteToRegistry("Lab"));
    ASSERT_TRUE(RegKey(false, kLab).DeleteTree("Defaults"));

    Scheme read;
    read.defaults.defaultView = "tree2";
    read.defaults.silent = 6;
    EXPECT_FALSE(read.ReadFromRegistry("Lab"));
    Scheme expected = SampleScheme("Lab");
    expected.defaults = DefaultsSection();
    expected.defaults.defaultView = "tree2";
    expected.defaults.silent = 6;
    EXPECT_EQ(Describe(read), Describe(expected));
}

TEST_F(SchemeRegistry, MissingMiddleRootGivesAnEmptyItemAndFailsTheRead) {
    Scheme scheme = SampleScheme("Lab");
    scheme.roots.roots.push_back(SampleRoot("Third", 1, 1));
    scheme.roots.count = 3;
    ASSERT_TRUE(scheme.WriteToRegistry("Lab"));
    ASSERT_TRUE(RegKey(false, kLab + "\\FolderDisplay").DeleteTree("Root 2"));

    FolderRootsSection read;
    EXPECT_FALSE(read.ReadFromRegistry("Lab"));
    ASSERT_EQ(read.roots.size(), 3u);
    EXPECT_EQ(read.count, 3);
    EXPECT_EQ(read.roots[0].displayName, "Pupils display");
    EXPECT_EQ(read.roots[1].displayName, "");
    EXPECT_EQ(read.roots[1].folderLevels, 0);
    EXPECT_EQ(read.roots[2].displayName, "Third display");
}

TEST_F(SchemeRegistry, LoweredCountLeavesStaleItemKeysThatAreNeverRead) {
    Scheme scheme = SampleScheme("Lab");
    scheme.roots.roots.push_back(SampleRoot("Third", 1, 1));
    scheme.roots.count = 3;
    scheme.webLinks.links.push_back(SampleLink("museum"));
    scheme.webLinks.count = 2;
    ASSERT_TRUE(scheme.WriteToRegistry("Lab"));
    scheme.roots.roots.pop_back();
    scheme.roots.count = 2;
    scheme.webLinks.links.pop_back();
    scheme.webLinks.count = 1;
    ASSERT_TRUE(scheme.WriteToRegistry("Lab"));

    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kLab + "\\FolderDisplay\\Root 3",
                                         "RootDisplayName"),
              "Third display");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kLab + "\\WebLinks\\WebLink 2", "URL"),
              "http://museum.example/");
    Scheme read;
    EXPECT_TRUE(read.ReadFromRegistry("Lab"));
    EXPECT_EQ(Describe(read), Describe(scheme));
}

TEST_F(SchemeRegistry, DamagedCountsStopAtTheItemKeysThatExist) {
    Scheme scheme = SampleScheme("Lab");
    ASSERT_TRUE(scheme.WriteToRegistry("Lab"));
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kLab + "\\FolderDisplay", "RootFolderCount",
                              5000000);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kLab + "\\WebLinks", "WebLinksCount", 0xFFFFFFFF);

    Scheme read;
    EXPECT_FALSE(read.ReadFromRegistry("Lab"));
    EXPECT_EQ(read.roots.count, 2);
    ASSERT_EQ(read.roots.roots.size(), 2u);
    EXPECT_EQ(read.roots.roots[1].displayName, "Work display");
    EXPECT_EQ(read.webLinks.count, 0);
    EXPECT_TRUE(read.webLinks.links.empty());
    EXPECT_EQ(Describe(read.toolBars.pages[2]), Describe(scheme.toolBars.pages[2]));

    // One far item key does not make millions of empty items; key names ignore letter case.
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kLab + "\\FolderDisplay\\Root 4999999");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kLab + "\\FolderDisplay\\ROOT 4", "RootPath",
                               "D:\\");
    FolderRootsSection roots;
    EXPECT_FALSE(roots.ReadFromRegistry("Lab"));
    EXPECT_LE(roots.roots.size(), 8u);
    EXPECT_EQ(roots.count, static_cast<int>(roots.roots.size()));
    ASSERT_GE(roots.roots.size(), 4u);
    EXPECT_EQ(roots.roots[2].path, "");
    EXPECT_EQ(roots.roots[3].path, "D:\\");
}

TEST_F(SchemeRegistry, ToolBarSwitchKeepsItsNumberInTheRegistry) {
    for (int n = 1; n <= 3; ++n)
        SeedToolBarPage(kLab + "\\ToolBars\\Page " + std::to_string(n), 0);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kLab + "\\ToolBars\\Page 1", "Back", 5);
    ToolBarsSection toolBars;
    ASSERT_TRUE(toolBars.ReadFromRegistry("Lab"));
    EXPECT_EQ(toolBars.pages[0].back, 5);
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kLab + "\\ToolBars\\Page 1", "Back", 0);
    ASSERT_TRUE(toolBars.WriteToRegistry("Lab"));
    EXPECT_EQ(Dump(kLab + "\\ToolBars\\Page 1")["Back"], "dword:5");
}

TEST_F(SchemeRegistry, MissingToolBarsKeyFailsWithoutTouchingThePages) {
    ToolBarsSection toolBars;
    toolBars.pages[1].help = 1;
    EXPECT_FALSE(toolBars.ReadFromRegistry("Lab"));
    EXPECT_EQ(toolBars.pages[1].help, 1);
    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kLab + "\\ToolBars\\Page 1");
    EXPECT_FALSE(toolBars.ReadFromRegistry("Lab")); // pages 2 and 3 missing
    EXPECT_EQ(toolBars.pages[1].help, 1);
}
} // namespace
