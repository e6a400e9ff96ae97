// Scheme files on disk: what a save leaves behind when it works and when it fails, and that a
// load reads any file without writing it.
#include <gtest/gtest.h>
#include "framework/FileSystem.h"
#include "hive/SchemeFile.h"
#include "hive/SchemeFileFormat.h"
#include "hive/SettingsHive.h"
#include "hive/Sha256.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"

namespace {

const char* const kFileLoadProblem = "File Load Problem";

std::string Scrambled(std::string plain) {
    ScrambleBytes(plain);
    return plain;
}

// A small importable file in export form: one scheme without roots or links.
std::vector<HiveRecord> OneSchemeExport(const std::string& name) {
    SettingsHive hive;
    hive.AddString("Config Hive", "Config1", name);
    hive.AddString("Config Hive", name, "Year one");
    hive.AddNumber("Scheme Count", "The number of schemes", 1);
    hive.AddString("Scheme0", "Name of scheme", name);
    hive.AddString(name + " - Defaults", "DefaultView", "tree1");
    for (const char* key : {"DefaultIconSize", "DefaultFirstTab", "ShortToolTips", "Silent",
                            "Context Menu", "Options Menu"})
        hive.AddNumber(name + " - Defaults", key, 0);
    hive.AddNumber(name + " - FolderDisplay", "RootFoldersCount", 0);
    for (const char* key : {"Page1", "Page2", "Page3"})
        hive.AddNumber(name + " - Tabs", key, 1);
    for (int page = 1; page <= 3; ++page)
        for (int button = 0; button < 16; ++button)
            hive.AddNumber(name + " - ToolBars - Page " + std::to_string(page),
                           "B" + std::to_string(button), 1);
    hive.AddNumber(name + " - Folder Display", "WeblinksCount", 0);
    return hive.Records();
}

std::vector<HiveRecord> ParsedForm(const std::vector<HiveRecord>& exportForm) {
    std::vector<HiveRecord> parsed;
    for (const HiveRecord& r : exportForm)
        parsed.push_back({r.section.substr(0, r.section.size() - 1),
                          r.key.substr(0, r.key.size() - 1),
                          r.value.substr(0, r.value.size() - 1)});
    return parsed;
}

void SetReadOnly(const std::string& path, bool on) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    attributes =
        on ? (attributes | FILE_ATTRIBUTE_READONLY) : (attributes & ~FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA(path.c_str(), attributes);
}

class SchemeFileTest : public testing::Test {
protected:
    // Names of the files in the folder: a save leaves no temporary file behind.
    std::vector<std::string> Files() const { return ListFiles(folder.Path(), "*"); }
    size_t FileCount() const {
        size_t count = 0;
        for (const std::string& name : Files())
            count += name != "." && name != "..";
        return count;
    }

    TempFolder folder;
    RecordingNotices notices;
};

TEST_F(SchemeFileTest, WrittenRecordsReadBackTheSame) {
    SchemeFile out;
    out.records = OneSchemeExport("Infants");
    out.records.push_back({std::string("Odd \x01\xFF\xAD") + kFieldTerminator,
                           std::string(1, kFieldTerminator),
                           std::string(300, 'v') + kFieldTerminator});
    ASSERT_TRUE(out.WriteRecords(folder.File("a.esm")));
    // On disk the whole file is scrambled, header included.
    EXPECT_EQ(folder.Read("a.esm"), Scrambled(EncodeSchemeFile(out.records)));

    // Beside it its checksum, as `sha256sum -c a.esm.sha256` checks it in that folder.
    EXPECT_EQ(folder.Read("a.esm.sha256"), Sha256Hex(folder.Read("a.esm")) + "  a.esm\n");

    SchemeFile in;
    size_t count = 0;
    ASSERT_TRUE(in.ReadRecords(folder.File("a.esm"), &count));
    EXPECT_EQ(in.records, ParsedForm(out.records));
    EXPECT_EQ(count, out.records.size());
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_EQ(FileCount(), 2u);
}

TEST_F(SchemeFileTest, ScramblingTwiceRestoresTheFile) {
    const std::string bytes = EncodeSchemeFile(OneSchemeExport("Infants"));
    folder.Write("a.esm", bytes);
    SchemeFile::Scramble(folder.File("a.esm"));
    EXPECT_EQ(folder.Read("a.esm"), Scrambled(bytes));
    SchemeFile::Scramble(folder.File("a.esm"));
    EXPECT_EQ(folder.Read("a.esm"), bytes);
}

TEST_F(SchemeFileTest, ReadOnlyFileInReadOnlyFolderLoadsAndStaysByteIdentical) {
    const std::string stored = Scrambled(EncodeSchemeFile(OneSchemeExport("Infants")));
    folder.MakeFolder("share");
    folder.Write("share\\a.esm", stored);
    const std::string path = folder.File("share\\a.esm");
    SetReadOnly(path, true);
    SetReadOnly(folder.File("share"), true);

    SchemeFile in;
    EXPECT_TRUE(in.ReadRecords(path));
    EXPECT_EQ(in.records, ParsedForm(OneSchemeExport("Infants")));
    EXPECT_EQ(folder.Read("share\\a.esm"), stored);
    EXPECT_TRUE(notices.shown.empty());

    SetReadOnly(folder.File("share"), false);
    SetReadOnly(path, false);
}

TEST_F(SchemeFileTest, ReadingNeverWritesTheFile) {
    // A file being refused stays as it was too: nothing is unscrambled in place.
    for (const std::string& stored : {Scrambled(EncodeSchemeFile(OneSchemeExport("Infants"))),
                                      std::string("not a scheme file at all")}) {
        folder.Write("a.esm", stored);
        SchemeFile in;
        in.ReadRecords(folder.File("a.esm"));
        EXPECT_EQ(folder.Read("a.esm"), stored);
    }
}

TEST_F(SchemeFileTest, FailedSaveKeepsTheEarlierFile) {
    const std::string earlier = Scrambled(EncodeSchemeFile(OneSchemeExport("Earlier")));
    folder.Write("a.esm", earlier);
    SetReadOnly(folder.File("a.esm"), true);

    SchemeFile out;
    out.records = OneSchemeExport("Later");
    EXPECT_FALSE(out.WriteRecords(folder.File("a.esm")));
    EXPECT_EQ(folder.Read("a.esm"), earlier);
    EXPECT_EQ(FileCount(), 1u); // the temporary file is gone again
    SetReadOnly(folder.File("a.esm"), false);

    // A folder that is not there, and a name taken by a folder.
    EXPECT_FALSE(out.WriteRecords(folder.File("gone\\a.esm")));
    folder.MakeFolder("taken.esm");
    EXPECT_FALSE(out.WriteRecords(folder.File("taken.esm")));
    EXPECT_EQ(FileCount(), 2u);

    // Over a writable file the save succeeds and replaces it whole.
    ASSERT_TRUE(out.WriteRecords(folder.File("a.esm")));
    EXPECT_EQ(folder.Read("a.esm"), Scrambled(EncodeSchemeFile(out.records)));
}

TEST_F(SchemeFileTest, FieldHoldingTheTerminatorRefusesTheWholeFile) {
    const std::string earlier = Scrambled(EncodeSchemeFile(OneSchemeExport("Earlier")));
    folder.Write("kept.esm", earlier);
    const std::string t(1, kFieldTerminator);
    for (int field = 0; field < 3; ++field) {
        SchemeFile out;
        out.records = OneSchemeExport("Infants");
        HiveRecord& r = out.records[1];
        std::string& text = field == 0 ? r.section : field == 1 ? r.key : r.value;
        text.insert(2, t);
        EXPECT_FALSE(out.WriteRecords(folder.File("new.esm"))) << field;
        EXPECT_EQ(folder.Read("new.esm"), "<missing>");
        EXPECT_FALSE(out.WriteRecords(folder.File("kept.esm"))) << field;
        EXPECT_EQ(folder.Read("kept.esm"), earlier);
    }
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(SchemeFileTest, DamagedOrHostileFilesAreRefusedWithFileLoadProblem) {
    const std::string header(kSchemeFileHeader);
    const std::string t(1, kFieldTerminator);
    auto valid = [](const std::string& name) { return EncodeSchemeFile(OneSchemeExport(name)); };
    auto withCount = [&](const std::string& count) {
        std::string plain = valid("Infants");
        const std::string field = "The number of schemes" + t + "1" + t;
        plain.replace(plain.find(field), field.size(), "The number of schemes" + t + count + t);
        return plain;
    };
    std::string lowerHeader = valid("Infants");
    lowerHeader[0] = 'v';
    struct Case {
        const char* what;
        std::string plain;
    };
    const Case cases[] = {
        {"0 bytes", ""},
        {"exactly the header: no scheme count to load", header},
        {"fewer bytes than the header", header.substr(0, 20)},
        {"header in another letter case", lowerHeader},
        {"count of -1", withCount("-1")},
        {"count of 2,000,000,000", withCount("2000000000")},
        {"name with a backslash", valid("Year\\One")},
        {"header and a partial record", header + "Scheme Count" + t + "The number"},
        {"no scheme count", header + "Config Hive" + t + "Config1" + t + "Infants" + t},
    };
    for (const Case& c : cases) {
        notices.shown.clear();
        folder.Write("bad.esm", Scrambled(c.plain));
        SchemeFile in;
        size_t count = 99;
        EXPECT_FALSE(in.ReadRecords(folder.File("bad.esm"), &count)) << c.what;
        EXPECT_TRUE(in.records.empty()) << c.what;
        EXPECT_EQ(count, 0u) << c.what;
        ASSERT_EQ(notices.shown.size(), 1u) << c.what;
        EXPECT_EQ(notices.shown[0].title, kFileLoadProblem);
        EXPECT_EQ(notices.shown[0].text,
                  "This does not appear to be a valid Vexar Lumen Scheme Manager File.");
        EXPECT_EQ(notices.shown[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(notices.shown[0].owner, nullptr);
    }
    EXPECT_TRUE(notices.beeps.empty());
}

TEST_F(SchemeFileTest, UnreadableFileGivesReadProblem) {
    SchemeFile in;
    EXPECT_FALSE(in.ReadRecords(folder.File("missing.esm")));
    folder.MakeFolder("folder.esm");
    EXPECT_FALSE(in.ReadRecords(folder.File("folder.esm")));
    ASSERT_EQ(notices.shown.size(), 2u);
    for (const Notice& notice : notices.shown) {
        EXPECT_EQ(notice.title, "Read Problem");
        EXPECT_EQ(
            notice.text,
            "Unable to read the file specified.\nThis is due to the file being damaged,\nprotected "
            "or unreadable for another reason");
        EXPECT_EQ(notice.flags, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    EXPECT_EQ(notices.beeps, std::vector<UINT>(2, MB_ICONEXCLAMATION));
}

} // namespace
