// The hive form of a scheme: every record's section, key and value in order, and what an import
// makes of damaged counts.
#include <gtest/gtest.h>
#include <vector>
#include "hive/ImportOrder.h"
#include "hive/SettingsHive.h"
#include "tests/sections/SchemeSamples.h"

namespace {
const char kEnd = '\xAC';

HiveRecord Exported(const std::string& section, const std::string& key, const std::string& value) {
    return {section + kEnd, key + kEnd, value + kEnd};
}

// The working hive's export records as a file read would give them back: without terminators.
std::vector<HiveRecord> Parsed(const std::vector<HiveRecord>& exported) {
    std::vector<HiveRecord> parsed;
    for (HiveRecord r : exported) {
        for (std::string* field : {&r.section, &r.key, &r.value})
            if (!field->empty() && field->back() == kEnd) field->pop_back();
        parsed.push_back(r);
    }
    return parsed;
}

void LoadWorkingHive(const std::vector<HiveRecord>& parsed) {
    ResetCursor();
    ClearHive();
    for (const HiveRecord& r : parsed)
        WorkingHive().Append(r);
}

std::vector<HiveRecord> Export(const Scheme& scheme) {
    ClearHive();
    EXPECT_TRUE(scheme.ExportToHive(scheme.name));
    return WorkingHive().Records();
}

Scheme Import(const std::string& name) {
    Scheme scheme;
    scheme.name = name;
    EXPECT_TRUE(scheme.ImportFromHive(name));
    return scheme;
}

// The sixteen switches in the hive's alphabetical order, as `bits` gives them in field order
// (Back, Forward, New, Rename, Cut, Copy, Paste, Delete, Undo, Print, Refresh, Icon, View, Help,
// Up, Side).
void AddToolBarPage(std::vector<HiveRecord>& out, const std::string& section,
                    const std::string& bits) {
    const std::pair<const char*, int> alphabetical[] = {
        {"Back", 0},  {"Copy", 5}, {"Cut", 4},   {"Delete", 7}, {"Forward", 1},  {"Help", 13},
        {"Icon", 11}, {"New", 2},  {"Paste", 6}, {"Print", 9},  {"Refresh", 10}, {"Rename", 3},
        {"Side", 15}, {"Undo", 8}, {"Up", 14},   {"View", 12}};
    for (const auto& [name, field] : alphabetical)
        out.push_back(Exported(section, name, std::string(1, bits[field])));
}

TEST(SchemeHive, TwoRootsAndOneLinkExportAsEightyFourRecordsInOrder) {
    Scheme scheme = SampleScheme("Lab");
    scheme.toolBars.pages[0].undo = 5; // reduced to 1
    const std::vector<HiveRecord> records = Export(scheme);

    std::vector<HiveRecord> expected = {
        Exported("Lab - Defaults", "DefaultView", "details"),
        Exported("Lab - Defaults", "DefaultIconSize", "32"),
        Exported("Lab - Defaults", "DefaultFirstTab", "2"),
        Exported("Lab - Defaults", "ShortToolTips", "1"),
        Exported("Lab - Defaults", "Silent", "0"),
        Exported("Lab - Defaults", "Context Menu", "3"),
        Exported("Lab - Defaults", "Options Menu", "4"),
        Exported("Lab - FolderDisplay", "RootFoldersCount", "2"),
    };
    for (const auto& [n, tag, levels, deny] :
         {std::tuple<const char*, const char*, const char*, const char*>{"1", "Pupils", "5", "1"},
          {"2", "Work", "3", "0"}}) {
        const std::string section = std::string("Lab - FolderDisplay - Root ") + n;
        const std::string t = tag;
        expected.push_back(
            Exported(section, "CollapsedIconFile", "C:\\Pictures\\" + t + " closed.bmp"));
        expected.push_back(
            Exported(section, "ExpandedIconFile", "C:\\Pictures\\" + t + " open.bmp"));
        expected.push_back(Exported(section, "RootDisplayName", t + " display"));
        expected.push_back(Exported(section, "RootPath", "C:\\Shared\\" + t));
        expected.push_back(Exported(section, "DenyModify", deny));
        expected.push_back(Exported(section, "FolderLevels", levels));
        expected.push_back(Exported(section, "LongToolTip", t + " long tip"));
        expected.push_back(Exported(section, "ShortToolTip", t + " tip"));
        expected.push_back(Exported(section, "Wav File", "C:\\Sounds\\" + t + ".wav"));
    }
    expected.push_back(Exported("Lab - Tabs", "Page1", "1"));
    expected.push_back(Exported("Lab - Tabs", "Page2", "0"));
    expected.push_back(Exported("Lab - Tabs", "Page3", "2"));
    AddToolBarPage(expected, "Lab - ToolBars - Page 1",
                   Describe(scheme.toolBars.pages[0]).replace(8, 1, "1"));
    AddToolBarPage(expected, "Lab - ToolBars - Page 2", Describe(scheme.toolBars.pages[1]));
    AddToolBarPage(expected, "Lab - ToolBars - Page 3", Describe(scheme.toolBars.pages[2]));
    expected.push_back(Exported("Lab - Folder Display", "WeblinksCount", "1"));
    const std::string link = "Lab - Weblinks - WebLink 1";
    expected.push_back(Exported(link, "DisplayName", "library site"));
    expected.push_back(Exported(link, "URL", "http://library.example/"));
    expected.push_back(Exported(link, "IconFile", "C:\\Pictures\\library link.bmp"));
    expected.push_back(Exported(link, "LongToolTip", "library long link tip"));
    expected.push_back(Exported(link, "ShortToolTip", "library link tip"));
    expected.push_back(Exported(link, "Wav File", "C:\\Sounds\\library link.wav"));

    ASSERT_EQ(expected.size(), 84u);
    ASSERT_EQ(records.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(records[i].section, expected[i].section) << "record " << i;
        EXPECT_EQ(records[i].key, expected[i].key) << "record " << i;
        EXPECT_EQ(records[i].value, expected[i].value) << "record " << i;
    }
    // The counts stand where the whole-file check of a scheme file looks for them.
    EXPECT_EQ(records[kDefaultsRecords].key, kRootCountKey + std::string(1, kEnd));
    EXPECT_EQ(records[kRecordsPerScheme - 2 + 2 * kRecordsPerRoot].key,
              kLinkCountKey + std::string(1, kEnd));

    // Every button on in turn: each name goes with its own field.
    for (int hot = 0; hot < 16; ++hot) {
        ClearHive();
        OneHotPage(hot).ExportToHive("Page");
        std::vector<HiveRecord> page;
        AddToolBarPage(page, "Page", Describe(OneHotPage(hot)));
        EXPECT_EQ(WorkingHive().Records(), page) << "button " << hot;
    }
}

TEST(SchemeHive, ImportRestoresEveryFieldWithSwitchesReducedToOneOrZero) {
    Scheme scheme = SampleScheme("Lab");
    scheme.defaults.defaultView = "";
    scheme.defaults.defaultIconSize = -3; // numbers of the defaults travel as they are
    scheme.toolBars.pages[2].side = 5;
    scheme.roots.roots[1].folderLevels = 17;
    LoadWorkingHive(Parsed(Export(scheme)));

    Scheme imported = Import("Lab");
    EXPECT_EQ(WorkingHive().ReadCursor(), 84u);
    scheme.toolBars.pages[2].side = 1;
    EXPECT_EQ(Describe(imported), Describe(scheme));

    // An imported 5 is a switch that is on.
    std::vector<HiveRecord> parsed = Parsed(Export(SampleScheme("Lab")));
    for (HiveRecord& r : parsed)
        if (r.section == "Lab - ToolBars - Page 2" && r.key == "Print") r.value = "5";
    LoadWorkingHive(parsed);
    EXPECT_EQ(Import("Lab").toolBars.pages[1].print, 1);
}

TEST(SchemeHive, ImportReplacesTheListsItFills) {
    LoadWorkingHive(Parsed(Export(SampleScheme("Lab"))));
    Scheme scheme = SampleScheme("Lab");
    scheme.roots.roots.push_back(SampleRoot("Extra", 1, 1));
    scheme.roots.count = 3;
    scheme.webLinks.links.push_back(SampleLink("extra"));
    scheme.webLinks.count = 2;
    scheme.ImportFromHive("Lab");
    EXPECT_EQ(Describe(scheme), Describe(SampleScheme("Lab")));
}

TEST(SchemeHive, NamesDifferingInLetterCaseStayApart) {
    Scheme lower = SampleScheme("lab");
    Scheme upper = SampleScheme("LAB");
    upper.roots.roots.pop_back();
    upper.roots.count = 1;
    upper.defaults.defaultView = "icons";
    upper.tabs.page2 = 3;
    ClearHive();
    lower.ExportToHive("lab");
    upper.ExportToHive("LAB");
    std::vector<HiveRecord> parsed = Parsed(WorkingHive().Records());
    LoadWorkingHive(parsed);
    Scheme a = Import("lab");
    Scheme b = Import("LAB");
    EXPECT_EQ(Describe(a), Describe(lower));
    EXPECT_EQ(Describe(b), Describe(upper));

    // Out of step as well: the last match of each exact name, not of the other spelling.
    ResetCursor();
    GetString("nothing", "here");
    EXPECT_EQ(Describe(Import("LAB")), Describe(upper));
}

TEST(SchemeHive, DamagedCountsNeitherRunAwayNorHideTheRest) {
    Scheme scheme = SampleScheme("Lab");
    std::vector<HiveRecord> parsed = Parsed(Export(scheme));
    for (HiveRecord& r : parsed) {
        if (r.key == "RootFoldersCount") r.value = "2147483647";
        if (r.key == "WeblinksCount") r.value = "-4";
    }
    LoadWorkingHive(parsed);
    Scheme imported = Import("Lab");
    EXPECT_LE(imported.roots.roots.size(), parsed.size() / 9);
    EXPECT_EQ(imported.roots.count, static_cast<int>(imported.roots.roots.size()));
    ASSERT_GE(imported.roots.roots.size(), 2u);
    EXPECT_EQ(imported.roots.roots[1].wavFile, "C:\\Sounds\\Work.wav");
    EXPECT_EQ(imported.roots.roots.back().path, "");
    EXPECT_EQ(imported.webLinks.count, 0);
    EXPECT_TRUE(imported.webLinks.links.empty());
    // Sections after the damaged count are found although the reads are out of step.
    EXPECT_EQ(Describe(imported.toolBars.pages[1]), Describe(scheme.toolBars.pages[1]));
    EXPECT_EQ(imported.tabs.page3, 2);

    // A count past what the hive holds, in an almost empty hive.
    LoadWorkingHive({{"Lab - Folder Display", "WeblinksCount", "900000000"}});
    WebLinksSection links;
    links.ImportFromHive("Lab");
    EXPECT_TRUE(links.links.empty());
    EXPECT_EQ(links.count, 0);
}
} // namespace
