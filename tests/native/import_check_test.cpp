#include "hive/ImportCheck.h"
#include "hive/SchemeFileFormat.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Records = std::vector<HiveRecord>;

// One scheme's records in parsed form, in the order the exporter writes them.
void AddScheme(Records& out, int index, const std::string& name, int roots, int links) {
    const std::string n = std::to_string(roots);
    out.push_back({"Scheme" + std::to_string(index), "Name of scheme", name});
    out.push_back({name + " - Defaults", "DefaultView", "tree1"});
    for (const char* key : {"DefaultIconSize", "DefaultFirstTab", "ShortToolTips", "Silent",
                            "Context Menu", "Options Menu"})
        out.push_back({name + " - Defaults", key, "0"});
    out.push_back({name + " - FolderDisplay", "RootFoldersCount", std::to_string(roots)});
    for (int r = 1; r <= roots; ++r)
        for (const char* key :
             {"CollapsedIconFile", "ExpandedIconFile", "RootDisplayName", "RootPath", "DenyModify",
              "FolderLevels", "LongToolTip", "ShortToolTip", "Wav File"})
            out.push_back({name + " - FolderDisplay - Root " + std::to_string(r), key, "x"});
    for (const char* key : {"Page1", "Page2", "Page3"})
        out.push_back({name + " - Tabs", key, "1"});
    for (int page = 1; page <= 3; ++page)
        for (int b = 0; b < 16; ++b)
            out.push_back({name + " - ToolBars - Page " + std::to_string(page), "b", "1"});
    out.push_back({name + " - Folder Display", "WeblinksCount", std::to_string(links)});
    for (int l = 1; l <= links; ++l)
        for (const char* key :
             {"DisplayName", "URL", "IconFile", "LongToolTip", "ShortToolTip", "Wav File"})
            out.push_back({name + " - Weblinks - WebLink " + std::to_string(l), key, "y"});
}

struct Scheme {
    std::string name;
    int roots, links;
    std::string description = "Described";
};

Records FileOf(const std::vector<Scheme>& schemes) {
    Records out;
    for (size_t k = 0; k < schemes.size(); ++k) {
        out.push_back({"Config Hive", "Config" + std::to_string(k + 1), schemes[k].name});
        out.push_back({"Config Hive", schemes[k].name, schemes[k].description});
    }
    out.push_back({"Scheme Count", "The number of schemes", std::to_string(schemes.size())});
    for (size_t i = 0; i < schemes.size(); ++i)
        AddScheme(out, static_cast<int>(i), schemes[i].name, schemes[i].roots, schemes[i].links);
    return out;
}

HiveRecord& Find(Records& records, const std::string& section, const std::string& key) {
    auto it = std::find_if(records.begin(), records.end(), [&](const HiveRecord& r) {
        return r.section == section && r.key == key;
    });
    EXPECT_NE(it, records.end()) << section << " / " << key;
    return *it;
}

// The check of the records as the reader hands them over: written into a plain file and parsed.
bool Check(const Records& records, std::string* why = nullptr) {
    std::vector<HiveRecord> exportForm;
    const std::string t(1, kFieldTerminator);
    for (const HiveRecord& r : records)
        exportForm.push_back({r.section + t, r.key + t, r.value + t});
    const std::string plain = EncodeSchemeFile(exportForm);
    ParsedRecords parsed;
    EXPECT_EQ(ParseSchemeFile(plain, parsed), ParseStatus::Ok);
    EXPECT_EQ(parsed.size(), records.size());
    return CheckImportable(parsed, why);
}

// The reason given for a refusal; empty when the file is accepted.
std::string Refusal(const Records& records) {
    std::string why;
    const bool ok = Check(records, &why);
    EXPECT_EQ(ok, why.empty()) << why;
    return why;
}

bool Refused(const Records& records) { return !Refusal(records).empty(); }

TEST(ImportCheck, FilesTheProgramWritesAreAccepted) {
    const Records two = FileOf({{"Infants", 2, 1}, {"Juniors", 0, 3}});
    ASSERT_EQ(two.size(), 2 * 2 + 1 + (61 + 18 + 6) + (61 + 18));
    std::string why = "unchanged";
    EXPECT_TRUE(Check(two, &why));
    EXPECT_EQ(why, "unchanged");
    EXPECT_TRUE(Check(FileOf({})));
    EXPECT_TRUE(Check(FileOf({{std::string(255, 'n'), 0, 0}})));
    // A scheme named like an entry's name record, with a description that is no usable name.
    EXPECT_EQ(Refusal(FileOf({{"Config2", 0, 0, std::string(300, 'd')},
                              {"Config1", 1, 0, ""},
                              {"Config3", 0, 1, "C:\\Notes"}})),
              "");
}

TEST(ImportCheck, SchemeCountMustBeAPresentNonNegativeNumber) {
    EXPECT_TRUE(Refused({}));
    for (const char* bad : {"-1", "2000000000", "", "abc", " 1", "+1", "01", "1x", "4294967297",
                            "99999999999999999999"}) {
        Records file = FileOf({{"Infants", 1, 1}});
        Find(file, "Scheme Count", "The number of schemes").value = bad;
        EXPECT_TRUE(Refused(file)) << bad;
    }
    // More schemes than the file holds.
    Records file = FileOf({{"Infants", 1, 1}, {"Juniors", 1, 1}});
    Find(file, "Scheme Count", "The number of schemes").value = "3";
    EXPECT_TRUE(Refused(file));
}

TEST(ImportCheck, EveryCountedSchemeAndEntryMustBeThere) {
    Records noEntry = FileOf({{"Infants", 0, 0}, {"Juniors", 0, 0}});
    Find(noEntry, "Config Hive", "Config2").key = "Config3";
    EXPECT_TRUE(Refused(noEntry));

    Records noScheme = FileOf({{"Infants", 0, 0}, {"Juniors", 0, 0}});
    Find(noScheme, "Scheme1", "Name of scheme").section = "Scheme2";
    EXPECT_TRUE(Refused(noScheme));

    Records noRootCount = FileOf({{"Infants", 0, 0}});
    Find(noRootCount, "Infants - FolderDisplay", "RootFoldersCount").key = "RootFolderCount";
    EXPECT_TRUE(Refused(noRootCount));
}

TEST(ImportCheck, NamesMustBeUsableInTheRegistry) {
    const std::string tooLong(256, 'n');
    for (const std::string& bad :
         {std::string("Year\\One"), std::string(), tooLong, std::string("Ye\0ar", 5)}) {
        Records schemeName = FileOf({{"Infants", 0, 0}});
        Find(schemeName, "Scheme0", "Name of scheme").value = bad;
        EXPECT_TRUE(Refused(schemeName)) << bad;

        Records entryName = FileOf({{"Infants", 0, 0}});
        Find(entryName, "Config Hive", "Config1").value = bad;
        EXPECT_TRUE(Refused(entryName)) << bad;
    }
}

TEST(ImportCheck, SectionCountsMustFitTheRecords) {
    for (const char* bad : {"-1", "2000000000", "4", "x"}) {
        Records roots = FileOf({{"Infants", 2, 1}, {"Juniors", 1, 1}});
        Find(roots, "Juniors - FolderDisplay", "RootFoldersCount").value = bad;
        EXPECT_NE(Refusal(roots).find("\"RootFoldersCount\""), std::string::npos) << bad;

        Records links = FileOf({{"Infants", 2, 1}, {"Juniors", 1, 1}});
        Find(links, "Infants - Folder Display", "WeblinksCount").value = bad;
        EXPECT_NE(Refusal(links).find("\"WeblinksCount\""), std::string::npos) << bad;
    }
    // Counts are weighed against the whole file: one scheme cannot borrow another's records.
    Records borrowed = FileOf({{"Infants", 0, 0}, {"Juniors", 3, 0}});
    Find(borrowed, "Infants - FolderDisplay", "RootFoldersCount").value = "1";
    EXPECT_EQ(Refusal(borrowed), "record 75: \"RootFoldersCount\" asks for 27 records, 18 remain");
}

TEST(ImportCheck, RefusalSaysWhichRecordAndWhat) {
    Records file = FileOf({{"Infants", 0, 0}, {"Juniors", 0, 0}});
    Find(file, "Scheme1", "Name of scheme").value = "Year\\One";
    EXPECT_EQ(Refusal(file), "record 67: scheme name holds a backslash");

    Records uncounted = FileOf({{"Infants", 0, 0}});
    Find(uncounted, "Scheme Count", "The number of schemes").key = "Schemes";
    EXPECT_EQ(Refusal(uncounted), "record 3: \"Scheme Count\" is missing");
}

TEST(ImportCheck, FileOfCountlessTinyRecordsIsRefused) {
    // Counts of 0 ask for nothing, yet each of a million empty records would become an owned
    // record of the import.
    std::string plain = std::string(kSchemeFileHeader) + "Scheme Count" + kFieldTerminator +
                        "The number of schemes" + kFieldTerminator + "0" + kFieldTerminator;
    plain.append(3 * 1000000, kFieldTerminator);
    ParsedRecords parsed;
    ASSERT_EQ(ParseSchemeFile(plain, parsed), ParseStatus::Ok);
    std::string why;
    EXPECT_FALSE(CheckImportable(parsed, &why));
    EXPECT_EQ(why, "file: 1000001 records, the counts use at most 2");

    // One spare record passes; a second does not.
    Records spare = FileOf({{"Infants", 1, 1}});
    spare.push_back({"Spare", "Spare", ""});
    EXPECT_TRUE(Check(spare));
    spare.push_back({"Spare", "Spare", ""});
    EXPECT_EQ(Refusal(spare), "file: 81 records, the counts use at most 80");
}

TEST(ImportCheck, CountsAreTheOnesTheImportWouldRead) {
    // A stray count record at the end of the file is not what an in-step import reads.
    Records stray = FileOf({{"Infants", 1, 0}});
    stray.push_back({"Infants - FolderDisplay", "RootFoldersCount", "2000000000"});
    EXPECT_TRUE(Check(stray));

    // Out of step (the scheme's records shifted by one), the import would take the last match.
    Records shifted = FileOf({{"Infants", 1, 0}});
    shifted.insert(shifted.begin() + 4, {"Infants - Defaults", "Extra", "0"});
    EXPECT_TRUE(Check(shifted));
    shifted.push_back({"Infants - FolderDisplay", "RootFoldersCount", "2000000000"});
    EXPECT_TRUE(Refused(shifted));
}

TEST(ImportCheck, TerminatorInAFieldIsSpotted) {
    EXPECT_FALSE(ContainsTerminator(""));
    EXPECT_FALSE(ContainsTerminator("Year one \xAD"));
    EXPECT_TRUE(ContainsTerminator(std::string("Year one ") + kFieldTerminator));
    EXPECT_TRUE(ContainsTerminator(std::string(1, kFieldTerminator) + "Year one"));
}

} // namespace
