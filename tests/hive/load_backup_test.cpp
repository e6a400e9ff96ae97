// What a load keeps before it writes, and putting it back: the backup's content, a restore that
// gives back the registry byte for byte, and how many backups are kept.
#include <gtest/gtest.h>
#include <windows.h>
#include "framework/FileSystem.h"
#include "hive/ExportImport.h"
#include "hive/LoadBackup.h"
#include "hive/SchemeFile.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"
#include "tests/bench/MachineSchemes.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"
#include "tests/sections/SchemeSamples.h"

namespace {

class LoadBackupTest : public testing::Test {
protected:
    LoadBackupTest() {
        // "Art" as the shell leaves it: a key of its own with a binary value, an item key
        // beyond the count, a description stored as REG_EXPAND_SZ.
        Seed(SampleScheme("Art"), "Pictures");
        const std::string art = SchemeKeyPath("Art");
        RegistrySandbox::SetBinary(HKEY_LOCAL_MACHINE, art + "\\Shell\\Cache", "State",
                                   std::string("\x01\x00\xff", 3));
        RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, art + "\\Shell\\Empty");
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, art + "\\FolderDisplay\\Root 9", "RootPath",
                                   "stale");
        RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Art", "Pictures",
                                   REG_EXPAND_SZ);
        Seed(SampleScheme("Maths"), "Sums");
    }

    RegistrySandbox registry;
    TempFolder folder;
    RecordingNotices notices;
};

// A file that replaces "Art", keeps "Maths" as it is and adds "Music".
std::string ChangedFile(const TempFolder& folder) {
    SchemeStore store;
    store.Load(false);
    for (Scheme& scheme : store.schemes)
        if (scheme.name == "Art") {
            scheme.defaults.defaultView = "icons";
            scheme.roots.roots.resize(1);
        }
    for (SchemeEntry& entry : store.entries)
        if (entry.name == "Art") entry.description = "Pictures and paint";
    Scheme music = SampleScheme("Music");
    store.schemes.push_back(music);
    store.entries.push_back({"Music", "Songs"});
    store.ExportAll();
    SchemeFile file;
    file.records = store.records;
    EXPECT_TRUE(file.WriteRecords(folder.File("changed.esm")));
    return folder.File("changed.esm");
}

TEST_F(LoadBackupTest, BackupHoldsExactlyWhatTheLoadChanges) {
    const std::string art = Dump(SchemeKeyPath("Art"));
    const std::string path = ChangedFile(folder);
    ASSERT_TRUE(LoadSchemesFromFile(path));

    const std::vector<BackupSummary> backups = ListBackups();
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].kind, "load");
    EXPECT_EQ(backups[0].by, "program");
    EXPECT_EQ(backups[0].file, path);
    EXPECT_EQ(backups[0].replaced, 1u); // Art; Maths is as the file has it
    EXPECT_EQ(backups[0].added, 1u);    // Music
    EXPECT_EQ(backups[0].removed, 0u);

    Backup backup;
    ASSERT_TRUE(ReadBackup(backups[0].id, backup));
    ASSERT_EQ(backup.schemes.size(), 2u);
    for (const SchemeBefore& scheme : backup.schemes) {
        if (scheme.name == "Music") {
            EXPECT_FALSE(scheme.value || scheme.tree);
            continue;
        }
        ASSERT_EQ(scheme.name, "Art");
        ASSERT_TRUE(scheme.value && scheme.tree);
        EXPECT_EQ(scheme.value->type, static_cast<DWORD>(REG_EXPAND_SZ));
        EXPECT_EQ(scheme.value->data, std::string("Pictures", 9));
    }

    // The backup's scheme file holds the replaced scheme as it was, with its description.
    SchemeFile file;
    ASSERT_TRUE(file.ReadRecords(BackupSchemeFile(backups[0].id)));
    SchemeStore kept;
    kept.records = file.records;
    kept.ImportAll();
    ASSERT_EQ(kept.schemes.size(), 1u);
    EXPECT_EQ(kept.schemes[0].name, "Art");
    EXPECT_EQ(kept.schemes[0].defaults.defaultView, SampleScheme("Art").defaults.defaultView);
    ASSERT_EQ(kept.entries.size(), 1u);
    EXPECT_EQ(kept.entries[0].description, "Pictures");

    // Loading the same file again changes nothing, and keeps no backup.
    ASSERT_TRUE(LoadSchemesFromFile(path));
    EXPECT_EQ(ListBackups().size(), 1u);
    EXPECT_TRUE(notices.shown.empty());
    EXPECT_NE(Dump(SchemeKeyPath("Art")), art);
}

TEST_F(LoadBackupTest, RestoreGivesBackTheRegistryByteForByteAndCanBeUndone) {
    const std::string before = Dump(kSchemesKey);
    ASSERT_TRUE(LoadSchemesFromFile(ChangedFile(folder)));
    const std::string loaded = Dump(kSchemesKey);
    ASSERT_NE(loaded, before);

    ASSERT_TRUE(RestoreBackup(ListBackups().back().id));
    EXPECT_EQ(Dump(kSchemesKey), before);
    // The restore kept its own backup first: putting that back is the load again.
    const std::vector<BackupSummary> backups = ListBackups();
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups.back().kind, "restore");
    ASSERT_TRUE(RestoreBackup(backups.back().id));
    EXPECT_EQ(Dump(kSchemesKey), loaded);
    EXPECT_TRUE(notices.shown.empty());
}

TEST_F(LoadBackupTest, OnlyTheNewestBackupsAreKept) {
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, kInstallKey, "Backups Kept", 2);
    const std::string path = ChangedFile(folder);
    ASSERT_TRUE(SaveSchemesToFile(folder.File("before.esm")));
    std::vector<std::string> ids;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(LoadSchemesFromFile(i % 2 ? folder.File("before.esm") : path));
        ids.push_back(ListBackups().back().id);
    }
    const std::vector<BackupSummary> backups = ListBackups();
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(backups[0].id, ids[1]);
    EXPECT_EQ(backups[1].id, ids[2]);
    std::string removed;
    EXPECT_FALSE(ReadWholeFile(BackupSchemeFile(ids[0]), removed));
}

// Putting a backup back writes where its manifest says: one that names the Schemes key itself or
// a key outside the allocations is not a backup at all.
TEST_F(LoadBackupTest, AManifestReachingBeyondTheSchemesIsRefused) {
    auto hex = [](const std::string& text) {
        std::string out;
        for (unsigned char c : text)
            out += "0123456789abcdef"[c >> 4], out += "0123456789abcdef"[c & 15];
        return out.empty() ? std::string("-") : out;
    };
    auto manifest = [&](const std::string& id, const std::string& body) {
        return ReplaceWholeFile(BackupFolder() + "\\" + id + ".vlb",
                                "Vexar Lumen Scheme Manager backup 1\nid " + id +
                                    "\nkind load\nwhen 2026-12-08 10:00:00\nuser -\nby tool\nfile "
                                    "-\ncounts 0 0 1\n" +
                                    body + "end\n");
    };
    ASSERT_TRUE(MakeAdminFolder(BackupFolder()));
    ASSERT_TRUE(manifest("1-sound", "scheme r " + hex("Art") + "\n"));
    ASSERT_TRUE(manifest("2-whole", "scheme r -\n"));
    ASSERT_TRUE(manifest("3-run", "allocation " + hex("Software\\Run") + " " + hex("x") + " 1 " +
                                      hex(std::string("y", 2)) + "\n"));
    Backup backup;
    EXPECT_TRUE(ReadBackup("1-sound", backup));
    EXPECT_FALSE(ReadBackup("2-whole", backup));
    EXPECT_FALSE(ReadBackup("3-run", backup));
}


// A change stopped half way that cannot be put back keeps its marker: no later change may write
// over it, and the next try puts it back.
TEST_F(LoadBackupTest, AChangeNotYetPutBackIsNeverWrittenOver) {
    const std::string art = Dump(SchemeKeyPath("Art"));
    const std::string path = ChangedFile(folder);
    ASSERT_TRUE(LoadSchemesFromFile(path));
    const std::string id = ListBackups().back().id;
    const std::string marker = BackupFolder() + "\\Writing";
    ASSERT_TRUE(ReplaceWholeFile(marker, id)); // as if stopped before it finished
    ASSERT_TRUE(RegKey(false, "Software\\Orrinford\\VexarLumen").DeleteTree("Schemes"));

    EXPECT_FALSE(LoadSchemesFromFile(path));
    EXPECT_EQ(notices.Titles(), (std::vector<std::string>{"Schemes Not Put Back", "Backup Problem"}));
    std::string marked;
    ASSERT_TRUE(ReadWholeFile(marker, marked));
    EXPECT_EQ(marked, id);

    RegistrySandbox::CreateKey(HKEY_LOCAL_MACHINE, kSchemesKey);
    RecoverInterruptedChange();
    EXPECT_EQ(Dump(SchemeKeyPath("Art")), art);
    EXPECT_EQ(notices.Titles().back(), "Schemes Put Back");
    EXPECT_FALSE(PathExists(marker));
}

} // namespace
