// Every scheme of the machine to a scheme file and back: the record order, the bytes of a real
// save, what a load overwrites and keeps, the progress dialog, and the failures.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include "hive/ExportImport.h"
#include "hive/ProgressDialog.h"
#include "hive/SchemeFile.h"
#include "hive/SchemeFileFormat.h"
#include "hive/SettingsHive.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"
#include "tests/bench/MachineSchemes.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"
#include "tests/sections/SchemeSamples.h"

namespace {

const std::string T(1, kFieldTerminator);

HiveRecord Exported(const std::string& section, const std::string& key, const std::string& value) {
    return {section + T, key + T, value + T};
}

std::string Plain(const std::string& stored) {
    std::string plain = stored;
    ScrambleBytes(plain);
    return plain;
}

// The records a scheme's sections export, in export form.
std::vector<HiveRecord> SectionRecords(const Scheme& scheme) {
    ClearHive();
    scheme.ExportToHive(scheme.name);
    return WorkingHive().Records();
}

// Watches the progress dialogs of this thread: how often the bar steps, its range, and what the
// dialog shows while it does.
class ProgressWatch {
public:
    ProgressWatch() {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
    }
    ~ProgressWatch() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }

    int steps = 0;
    std::vector<LPARAM> uppers; // one per dialog
    std::string caption, barText;
    bool cancelShown = false, closeEnabled = false;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_) current_->See(*message);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    void See(const CWPSTRUCT& message) {
        if (message.message == PBM_SETRANGE32) uppers.push_back(message.lParam);
        if (message.message != PBM_STEPIT) return;
        ++steps;
        HWND dialog = GetParent(message.hwnd);
        char text[256] = "";
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        GetDlgItemTextA(dialog, 1001, text, sizeof text);
        barText = text;
        cancelShown = IsWindowVisible(GetDlgItem(dialog, IDCANCEL)) != FALSE;
        const UINT close = GetMenuState(GetSystemMenu(dialog, FALSE), SC_CLOSE, MF_BYCOMMAND);
        closeEnabled = !(close & (MF_GRAYED | MF_DISABLED));
    }

    static ProgressWatch* current_;
    HHOOK hook_;
};
ProgressWatch* ProgressWatch::current_ = nullptr;

class ExportImportTest : public testing::Test {
protected:
    ExportImportTest() { RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSchemesKey); }

    std::string Saved(const std::string& name = "all.esm") {
        EXPECT_TRUE(SaveSchemesToFile(folder.File(name)));
        return folder.Read(name);
    }

    RegistrySandbox registry;
    TempFolder folder;
    RecordingNotices notices;
};

TEST_F(ExportImportTest, TwoSchemesComeInTheRecordOrder) {
    Scheme a = SampleScheme("A");
    Scheme b = SampleScheme("B");
    b.roots.roots.pop_back();
    b.roots.count = 1;
    Seed(a, "About A");
    Seed(b, "About B");
    SchemeStore store;
    store.Load(false);
    ASSERT_EQ(store.schemes.size(), 2u);
    ASSERT_EQ(store.schemes[0].name, "A"); // the registry lists them in this order

    store.ExportAll();
    std::vector<HiveRecord> expected = {
        Exported("Config Hive", "Config1", "A"),
        Exported("Config Hive", "A", "About A"),
        Exported("Config Hive", "Config2", "B"),
        Exported("Config Hive", "B", "About B"),
        Exported("Scheme Count", "The number of schemes", "2"),
        Exported("Scheme0", "Name of scheme", "A"),
    };
    const std::vector<HiveRecord> recordsOfA = SectionRecords(a);
    expected.insert(expected.end(), recordsOfA.begin(), recordsOfA.end());
    expected.push_back(Exported("Scheme1", "Name of scheme", "B"));
    const std::vector<HiveRecord> recordsOfB = SectionRecords(b);
    expected.insert(expected.end(), recordsOfB.begin(), recordsOfB.end());
    EXPECT_EQ(store.records, expected);
    EXPECT_EQ(recordsOfA.front(), Exported("A - Defaults", "DefaultView", "details"));

    // The file holds exactly these records, scrambled, after the header.
    EXPECT_EQ(Plain(Saved()), EncodeSchemeFile(expected));
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(ExportImportTest, RealSaveGivesTheWorkedExampleByteForByte) {
    Scheme infants = SampleScheme("Infants");
    infants.defaults.defaultView = "tree1";
    Seed(infants, "Year one");
    const std::string plain = Plain(Saved());
    const std::string expected = "Vexar Lumen Scheme Manager!" + T + "Config Hive" + T + "Config1" +
                                 T + "Infants" + T + "Config Hive" + T + "Infants" + T +
                                 "Year one" + T + "Scheme Count" + T + "The number of schemes" + T +
                                 "1" + T + "Scheme0" + T + "Name of scheme" + T + "Infants" + T +
                                 "Infants - Defaults" + T + "DefaultView" + T + "tree1" + T;
    ASSERT_EQ(expected.size(), 190u);
    EXPECT_EQ(plain.substr(0, 190), expected);
    // On disk every byte is XORed with 0x6E: the first is 'V' ^ 0x6E.
    EXPECT_EQ(static_cast<unsigned char>(folder.Read("all.esm")[0]), 'V' ^ 0x6E);
}

TEST_F(ExportImportTest, MachineWithoutSchemesSavesOnlyTheCount) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kProductKey, "Other", "kept");
    const std::string before = Dump(kProductKey);
    const std::string stored = Saved();
    EXPECT_EQ(Plain(stored), std::string(kSchemeFileHeader) + "Scheme Count" + T +
                                 "The number of schemes" + T + "0" + T);
    EXPECT_TRUE(LoadSchemesFromFile(folder.File("all.esm")));
    EXPECT_EQ(Dump(kProductKey), before);
    EXPECT_EQ(folder.Read("all.esm"), stored);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(ExportImportTest, LoadOverwritesWhatTheSectionsCarryAndKeepsTheRest) {
    Seed(SampleScheme("A"), "About A");
    Seed(SampleScheme("B"), "About B");
    const std::string saved = Saved();
    const std::string ofB = Dump(SchemeKeyPath("B"));

    // Change A where its sections carry values and where they do not; remove B; add C.
    const std::string keyOfA = SchemeKeyPath("A");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, keyOfA + "\\Defaults", "DefaultView", "changed");
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, keyOfA + "\\FolderDisplay", "RootFoldersCount",
                              1);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, keyOfA + "\\FolderDisplay\\Root 1", "RootPath",
                               "D:\\Else");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, "A", "Changed A");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, keyOfA, "Shell only", "stays");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, keyOfA + "\\WebLinks\\WebLink 7", "URL",
                               "http://stays/");
    ASSERT_TRUE(RegKey(false, kSchemesKey).DeleteTree("B"));
    ASSERT_TRUE(RegKey(true, kSchemesKey).DeleteValue("B"));
    Seed(SampleScheme("C"), "About C");
    const std::string ofC = Dump(SchemeKeyPath("C"));

    ASSERT_TRUE(LoadSchemesFromFile(folder.File("all.esm")));
    EXPECT_EQ(folder.Read("all.esm"), saved);
    EXPECT_TRUE(notices.shown.empty());

    SchemeStore store;
    store.Load(true);
    ASSERT_EQ(store.schemes.size(), 3u);
    for (const Scheme& scheme : store.schemes)
        EXPECT_EQ(Describe(scheme), Describe(SampleScheme(scheme.name))) << scheme.name;
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemesKey, "A"), "About A");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemesKey, "B"), "About B");
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemesKey, "C"), "About C");
    EXPECT_EQ(Dump(SchemeKeyPath("C")), ofC);
    EXPECT_EQ(Dump(SchemeKeyPath("B")), ofB);
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, keyOfA, "Shell only"), "stays");
    EXPECT_EQ(
        RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, keyOfA + "\\WebLinks\\WebLink 7", "URL"),
        "http://stays/");
}

TEST_F(ExportImportTest, ProgressStepsOncePerSchemeAndOnceForTheEntries) {
    const ProgressDialog dialogs(nullptr);
    for (const char* name : {"A", "B", "C"})
        Seed(SampleScheme(name), "");
    {
        ProgressWatch watch;
        Saved();
        EXPECT_EQ(watch.steps, 4);
        EXPECT_EQ(watch.uppers, std::vector<LPARAM>{4});
        EXPECT_EQ(watch.caption, "Vexar Lumen Scheme Manager");
        EXPECT_EQ(watch.barText, "Saving your file to disk");
        EXPECT_FALSE(watch.cancelShown);
        EXPECT_FALSE(watch.closeEnabled);
    }
    ProgressWatch watch;
    ASSERT_TRUE(LoadSchemesFromFile(folder.File("all.esm")));
    EXPECT_EQ(watch.steps, 4);
    EXPECT_EQ(watch.uppers, std::vector<LPARAM>{4});
    EXPECT_EQ(watch.barText, "Loading your file from disk");
    EXPECT_EQ(watch.caption, "Vexar Lumen Scheme Manager");
    EXPECT_FALSE(watch.cancelShown);
}

TEST_F(ExportImportTest, SchemesNamedLikeEntryKeysKeepTheirDescriptions) {
    // "Config1" and "Config2" are also the keys of the entries' name records; an empty
    // description is no name an entry could have.
    Seed(SampleScheme("Config2"), "two");
    Seed(SampleScheme("Config1"), "");
    Seed(SampleScheme("Plain"), "plain");
    Saved();
    const std::string before = Dump(kSchemesKey);
    for (const char* name : {"Config1", "Config2", "Plain"})
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, name, "changed");

    ASSERT_TRUE(LoadSchemesFromFile(folder.File("all.esm")));
    EXPECT_EQ(Dump(kSchemesKey), before);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(ExportImportTest, EntriesLaidOutOtherwiseAreFoundByName) {
    // Each entry's description record before its name record: not where a save puts them.
    Scheme infants = SampleScheme("Infants");
    std::vector<HiveRecord> records = {{"Config Hive", "Infants", "Year one"},
                                       {"Config Hive", "Config1", "Infants"},
                                       {"Scheme Count", "The number of schemes", "1"},
                                       {"Scheme0", "Name of scheme", "Infants"}};
    for (const HiveRecord& r : SectionRecords(infants))
        records.push_back({r.section.substr(0, r.section.size() - 1),
                           r.key.substr(0, r.key.size() - 1),
                           r.value.substr(0, r.value.size() - 1)});
    SchemeStore store;
    store.records = records;
    store.ImportAll();
    ASSERT_EQ(store.entries.size(), 1u);
    EXPECT_EQ(store.entries[0].name, "Infants");
    EXPECT_EQ(store.entries[0].description, "Year one");
    ASSERT_EQ(store.schemes.size(), 1u);
    EXPECT_EQ(Describe(store.schemes[0]), Describe(infants));
}

TEST_F(ExportImportTest, HostileFileChangesNothing) {
    Seed(SampleScheme("Infants"), "Year one");
    Saved();
    const std::string plain = Plain(folder.Read("all.esm"));
    const std::string before = Dump(kProductKey);
    auto load = [&](std::string damaged) {
        notices.shown.clear();
        ScrambleBytes(damaged);
        folder.Write("bad.esm", damaged);
        EXPECT_FALSE(LoadSchemesFromFile(folder.File("bad.esm")));
        EXPECT_EQ(notices.Titles(), std::vector<std::string>{"File Load Problem"});
        EXPECT_EQ(Dump(kProductKey), before);
    };
    // A scheme name reaching into another key.
    std::string escaping = plain;
    for (size_t at = escaping.find(T + "Infants" + T); at != std::string::npos;
         at = escaping.find(T + "Infants" + T, at + 1))
        escaping.replace(at + 1, 7, "..\\Evil");
    load(escaping);
    // An entry name that only a stray record at the end makes look safe to a lookup by key.
    std::string stray = plain;
    const std::string nameRecord = "Config1" + T + "Infants" + T;
    stray.replace(stray.find(nameRecord), nameRecord.size(), "Config1" + T + "Ev\\il" + T);
    const std::string descriptionKey = T + "Infants" + T + "Year one";
    stray.replace(stray.find(descriptionKey), descriptionKey.size(), T + "Ev\\il" + T + "Year one");
    load(stray + "Config Hive" + T + "Config1" + T + "Infants" + T);
    // A root count far beyond the file.
    std::string counted = plain;
    const std::string count = "RootFoldersCount" + T + "2" + T;
    counted.replace(counted.find(count), count.size(), "RootFoldersCount" + T + "2000000000" + T);
    load(counted);
}

TEST_F(ExportImportTest, FailedRegistryWritesAreReported) {
    Seed(SampleScheme("Infants"), "Year one");
    Saved();
    ASSERT_TRUE(RegKey(false, "Software\\Orrinford").DeleteTree("VexarLumen"));
    EXPECT_FALSE(LoadSchemesFromFile(folder.File("all.esm")));
    EXPECT_EQ(notices.Titles(), (std::vector<std::string>{"Settings Problem", "Import Problem"}));
    const Notice& problem = notices.shown.back();
    EXPECT_EQ(problem.owner, nullptr);
    EXPECT_EQ(problem.flags, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(
        problem.text,
        "There was a problem importing your schemes file.\nThis may be due to the disk being "
        "corrupt or protected.\n\nIf the file appears to have been imported the settings should "
        "not be relied \nupon as correct");
    EXPECT_EQ(notices.beeps, std::vector<UINT>{MB_ICONEXCLAMATION});
}

TEST_F(ExportImportTest, FailedSaveIsReportedAndKeepsTheEarlierFile) {
    Seed(SampleScheme("Infants"), "Year one");
    folder.Write("all.esm", "earlier");
    SetFileAttributesA(folder.File("all.esm").c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(SaveSchemesToFile(folder.File("all.esm")));
    SetFileAttributesA(folder.File("all.esm").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(folder.Read("all.esm"), "earlier");

    // A description holding the terminator cannot be written faithfully: no file at all.
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Infants", "Year" + T + "one");
    EXPECT_FALSE(SaveSchemesToFile(folder.File("new.esm")));
    EXPECT_EQ(folder.Read("new.esm"), "<missing>");

    ASSERT_EQ(notices.shown.size(), 2u);
    for (const Notice& notice : notices.shown) {
        EXPECT_EQ(notice.title, "Export Problem");
        EXPECT_EQ(notice.owner, nullptr);
        EXPECT_EQ(notice.flags, static_cast<UINT>(MB_ICONEXCLAMATION));
        EXPECT_EQ(
            notice.text,
            "There was a problem exporting your schemes file.\nThis may be due to the disk being "
            "full, corrupt or protected.\n\nIf the file appears to have been created it should "
            "not be\nrelied upon as correct");
    }
    EXPECT_EQ(notices.beeps, std::vector<UINT>(2, MB_ICONEXCLAMATION));
}

TEST_F(ExportImportTest, SchemeHeldTwiceLoadsItsLastCopyWholeEveryTime) {
    // A file merged by hand: "Maths" then "MATHS" name one registry key, and "Art" comes twice.
    // The copies differ in every field and in the number of roots and links.
    Scheme first = SampleScheme("Maths");
    Scheme second = SampleScheme("MATHS");
    second.roots.roots = {SampleRoot("Later", 7, 0)};
    second.roots.count = 1;
    second.webLinks.links = {SampleLink("later"), SampleLink("other")};
    second.webLinks.count = 2;
    second.tabs.page1 = 0;
    second.tabs.page3 = 1;
    for (int p = 0; p < 3; ++p)
        second.toolBars.pages[p] = OneHotPage(p + 1);
    second.defaults = {};
    second.defaults.defaultView = "icons";
    second.defaults.defaultIconSize = 16;
    second.defaults.defaultFirstTab = 1;
    second.defaults.silent = 1;
    Scheme firstArt = first, secondArt = second;
    firstArt.name = secondArt.name = "Art";
    SchemeStore merged;
    merged.entries = {{"Maths", "first"}, {"MATHS", "second"}, {"Art", "art"}, {"Art", "art"}};
    merged.schemes = {first, second, firstArt, secondArt};
    merged.ExportAll();
    SchemeFile file;
    file.records = merged.records;
    ASSERT_TRUE(file.WriteRecords(folder.File("merged.esm")));

    for (int run = 0; run < 6; ++run) {
        for (const char* name : {"Maths", "Art"}) {
            RegKey(false, kSchemesKey).DeleteTree(name);
            RegKey(true, kSchemesKey).DeleteValue(name);
        }
        ASSERT_TRUE(LoadSchemesFromFile(folder.File("merged.esm")));
        for (const char* name : {"Maths", "Art"}) {
            Scheme loaded, expected = second;
            loaded.ReadFromRegistry(name);
            expected.name = name;
            EXPECT_EQ(Describe(loaded), Describe(expected)) << "run " << run;
        }
        EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Maths"), "second");
    }
    EXPECT_TRUE(notices.shown.empty());
}

} // namespace
