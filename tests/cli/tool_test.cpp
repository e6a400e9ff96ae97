// vlsm's commands run in process through the real registry (sandboxed): one test per command.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>
#include <future>
#include <sstream>
#include <thread>
#include "cli/CommandLine.h"
#include "cli/Json.h"
#include "cli/StatusRecord.h"
#include "cli/StatusReport.h"
#include "cli/Tool.h"
#include "hive/ExportImport.h"
#include "hive/ImportCheck.h"
#include "hive/SchemeFile.h"
#include "store/SchemeStore.h"
#include "hive/SchemeFileFormat.h"
#include "hive/Sha256.h"
#include "store/RegKey.h"
#include "store/RegistryPaths.h"
#include "store/SchemeStore.h"
#include "store/WriterLock.h"
#include "tests/bench/MachineSchemes.h"
#include "tests/bench/RecordingNotices.h"
#include "tests/bench/Sandbox.h"
#include "tests/sections/SchemeSamples.h"

namespace {

// A saved file with every occurrence of `from` in its plain text replaced by `to`.
std::string Altered(std::string stored, const std::string& from, const std::string& to) {
    ScrambleBytes(stored);
    for (size_t at = stored.find(from); at != std::string::npos;
         at = stored.find(from, at + to.size()))
        stored.replace(at, from.size(), to);
    ScrambleBytes(stored);
    return stored;
}

// Another writer of the machine, holding its turn on a thread of its own until destroyed.
class OtherWriter {
public:
    OtherWriter() {
        std::promise<void> taken;
        std::future<void> hasTaken = taken.get_future();
        thread_ = std::thread([this, &taken] {
            // Another process of the test run may hold the turn for a moment: wait it out quietly.
            WriterLock lock(nullptr, 30 * 1000, true);
            taken.set_value();
            release_.get_future().wait();
        });
        hasTaken.wait();
    }
    ~OtherWriter() {
        release_.set_value();
        thread_.join();
    }

private:
    std::promise<void> release_;
    std::thread thread_;
};

class ToolTest : public testing::Test {
protected:
    ToolTest() {
        Seed(SampleScheme("Art"), "Pictures");
        Seed(SampleScheme("Maths"), "Sums");
    }

    int Run(const std::vector<std::string>& args) {
        CommandLine line;
        std::string why;
        EXPECT_TRUE(ParseCommandLine(args, line, why)) << why;
        out.str("");
        err.str("");
        return RunTool(line, out, err);
    }

    // The machine's schemes as the tool exports them.
    std::string Exported() {
        std::ostringstream o, e;
        CommandLine line;
        line.command = ToolCommand::Export;
        line.file = folder.File("machine.esm");
        EXPECT_EQ(RunTool(line, o, e), kExitDone) << e.str();
        return folder.Read("machine.esm");
    }

    RegistrySandbox registry;
    TempFolder folder;
    std::ostringstream out, err;
};

TEST_F(ToolTest, ListNamesEverySchemeMarkingTheBuiltInOnes) {
    Seed(SampleScheme("Default User"), "The template");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kProtectedSchemesKey, "Default User", "");
    EXPECT_EQ(Run({"list"}), kExitDone);
    EXPECT_EQ(out.str(),
              "Art\t-\tPictures\nDefault User\tbuilt in\tThe template\nMaths\t-\tSums\n");
    EXPECT_EQ(Run({"list", "--json"}), kExitDone);
    const Json list = Json::parse(out.str());
    EXPECT_EQ(list["schemes"][1],
              Json({{"name", "Default User"}, {"description", "The template"}, {"builtIn", true}}))
        << out.str();
    EXPECT_EQ(list["schemes"].size(), 3u);
    EXPECT_TRUE(err.str().empty());
}

TEST_F(ToolTest, ExportWritesWhatSaveToDiskWrites) {
    RecordingNotices notices; // the program's own save, for comparison
    ASSERT_TRUE(SaveSchemesToFile(folder.File("program.esm")));
    EXPECT_EQ(Run({"export", folder.File("tool.esm")}), kExitDone);
    EXPECT_EQ(folder.Read("tool.esm"), folder.Read("program.esm"));

    EXPECT_EQ(Run({"export", folder.File("missing\\tool.esm")}), kExitUnavailable);
    EXPECT_NE(err.str().find("vlsm: Export Problem: There was a problem exporting"),
              std::string::npos)
        << err.str();
    EXPECT_TRUE(notices.shown.empty()); // no box: the tool said it on its error stream
}

TEST_F(ToolTest, ImportRefusesAHostileFileAndWaitsForTheOtherWriter) {
    const std::string saved = Exported();
    const std::string hostile = Altered(saved, "Maths", "Ma\\ths");
    folder.Write("hostile.esm", hostile);
    EXPECT_EQ(Run({"import", folder.File("hostile.esm")}), kExitDifferent);
    // The box's line, then the check's own reason as it stands.
    std::string plain = hostile;
    ScrambleBytes(plain);
    ParsedRecords parsed;
    ParseSchemeFile(plain, parsed);
    std::string why;
    EXPECT_FALSE(CheckImportable(parsed, &why));
    EXPECT_EQ(err.str(), "vlsm: File Load Problem: This does not appear to be a valid Vexar Lumen "
                         "Scheme Manager File.\nvlsm: " +
                             why + "\n");
    EXPECT_EQ(Exported(), saved);

    // The file as the school's: Art described anew, Maths gone from this machine.
    folder.Write("school.esm", Altered(saved, "Pictures", "Paintings"));
    RegKey(false, kSchemesKey).DeleteTree("Maths");
    RegKey(true, kSchemesKey).DeleteValue("Maths");
    const std::string before = Exported();
    EXPECT_EQ(Run({"import", folder.File("school.esm"), "--dry-run"}), kExitDone);
    EXPECT_EQ(out.str(), "would replace: Art\nwould add: Maths\n");
    EXPECT_EQ(Exported(), before);

    {
        const OtherWriter other;
        EXPECT_EQ(Run({"import", folder.File("school.esm"), "--wait", "0"}), kExitUnavailable);
        EXPECT_NE(err.str().find("vlsm: Schemes Busy: "), std::string::npos) << err.str();
    }
    EXPECT_EQ(Exported(), before); // a save reads in the writers' turn, so only once it is free
    EXPECT_EQ(Run({"import", folder.File("school.esm")}), kExitDone) << err.str();
    EXPECT_EQ(err.str(), ""); // no progress line where stderr is not a console
    EXPECT_EQ(Exported(), folder.Read("school.esm"));
    EXPECT_EQ(Run({"import", folder.File("school.esm"), "--dry-run"}), kExitDone);
    EXPECT_EQ(out.str(), "identical: Art\nidentical: Maths\n");
}

TEST_F(ToolTest, AMutexMadeFirstUnderTheOldNameBlocksNoWriter) {
    // Made first and held on a thread of its own, as any signed-in user could.
    std::promise<void> made, release;
    std::thread squatter([&] {
        HANDLE held = CreateMutexA(nullptr, TRUE, "Global\\Orrinford.VexarLumen.SchemeWriter");
        made.set_value();
        release.get_future().wait();
        if (held) CloseHandle(held);
    });
    made.get_future().wait();
    // The writers wait a little: another test's writer may hold the real lock for a moment.
    {
        const WriterLock program(nullptr, 10000);
        EXPECT_TRUE(program.Held());
    }
    Exported();
    EXPECT_EQ(Run({"import", folder.File("machine.esm"), "--wait", "10"}), kExitDone) << err.str();
    release.set_value();
    squatter.join();
}

// A bit flipped on the way to the share, which the whole-file check cannot see, is refused by
// every reader once the checksum is beside the file; a file without one loads as before.
TEST_F(ToolTest, AFileThatChangedAfterItsSaveIsRefusedByVerifyImportAndLoad) {
    const std::string saved = Exported();
    const std::string path = folder.File("machine.esm");
    folder.Write("machine.esm", Altered(saved, "Pictures", "Picturer")); // 's' ^ 1
    const std::string refused =
        "vlsm: File Load Problem: This file has changed since it was saved: it does not match "
        "the checksum saved beside it, and may have been damaged on its way here. Nothing has "
        "been written: the schemes of this computer are as they were. Save the file again where "
        "it was made.\n";
    EXPECT_EQ(Run({"verify", path}), kExitDifferent);
    EXPECT_EQ(err.str().rfind(refused, 0), 0u) << err.str();
    EXPECT_NE(err.str().find(path + ".sha256 says " + Sha256Hex(saved)), std::string::npos);
    EXPECT_EQ(Run({"import", path}), kExitDifferent);
    EXPECT_EQ(err.str().rfind(refused, 0), 0u) << err.str();
    {
        RecordingNotices notices;
        EXPECT_FALSE(LoadSchemesFromFile(path));
        ASSERT_EQ(notices.shown.size(), 1u);
        EXPECT_EQ(notices.shown[0].title, "File Load Problem");
    }
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Art"), "Pictures");

    ASSERT_TRUE(DeleteFileA((path + ".sha256").c_str()));
    EXPECT_EQ(Run({"import", path, "--require-checksum"}), kExitDifferent);
    EXPECT_NE(
        err.str().find("vlsm: File Load Problem: There is no checksum saved beside this file"),
        std::string::npos)
        << err.str();
    EXPECT_EQ(Run({"import", path}), kExitDone) << err.str();
    EXPECT_EQ(RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Art"), "Picturer");
}

TEST_F(ToolTest, VerifyNamesEveryDifference) {
    Exported();
    const std::string file = folder.File("machine.esm");
    EXPECT_EQ(Run({"verify", file, "--exact"}), kExitDone);
    EXPECT_EQ(out.str(), "in step with " + file + "\n");

    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths") + "\\Defaults", "Silent",
                              7);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Art") + "\\WebLinks\\WebLink 1",
                               "URL", "http://elsewhere/");
    // A missing Page2 leaves the field as it was, equal to the file's by chance: still missing.
    RegKey(true, SchemeKeyPath("Art") + "\\TabSelection").DeleteValue("Page2");
    Seed(SampleScheme("Extra"), "Not in the file");
    EXPECT_EQ(Run({"verify", file}), kExitDifferent);
    EXPECT_EQ(
        out.str(),
        "scheme \"Art\", section \"TabSelection\", value \"Page2\": file \"0\", machine (none)\n"
        "scheme \"Art\", section \"WebLinks\", item \"WebLink 1\", value \"URL\": file "
        "\"http://library.example/\", machine \"http://elsewhere/\"\n"
        "scheme \"Maths\", section \"Defaults\", value \"Silent\": file \"0\", machine \"7\"\n"
        "3 differences from " +
            file + "\n");
    EXPECT_EQ(Run({"verify", file, "--exact"}), kExitDifferent);
    EXPECT_NE(out.str().find("scheme \"Extra\": on this computer, not in the file\n4 differences"),
              std::string::npos)
        << out.str();
}

TEST_F(ToolTest, VerifyComparesWhatTheShellReads) {
    Exported();
    const std::string file = folder.File("machine.esm");
    const std::string art = SchemeKeyPath("Art");
    // The shell reads five roots where two keys are; the same text stored as REG_EXPAND_SZ
    // is another value to it; the name it shows is the scheme's own value.
    RegistrySandbox::SetDword(HKEY_LOCAL_MACHINE, art + "\\FolderDisplay", "RootFolderCount", 5);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, art + "\\FolderDisplay\\Root 1", "RootPath",
                               "C:\\Shared\\Pupils", REG_EXPAND_SZ);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, SchemeKeyPath("Maths"), "Scheme Name", "Sums");
    EXPECT_EQ(Run({"verify", file}), kExitDifferent);
    EXPECT_EQ(
        out.str(),
        "scheme \"Art\", section \"FolderDisplay\", value \"RootFolderCount\": file \"2\", "
        "machine \"5\"\n"
        "scheme \"Art\", section \"FolderDisplay\", item \"Root 1\", value \"RootPath\": file "
        "\"C:\\Shared\\Pupils\" (REG_SZ), machine \"C:\\Shared\\Pupils\" (REG_EXPAND_SZ)\n"
        "scheme \"Maths\", value \"Scheme Name\": file \"Maths\", machine \"Sums\"\n"
        "3 differences from " +
            file + "\n");
    EXPECT_EQ(Run({"import", file}), kExitDone) << err.str();
    EXPECT_EQ(Run({"verify", file}), kExitDone) << out.str();
}

// Denies everyone the reading of a key for the scope, as a key an administrator alone may read
// denies a tool that is not elevated.
class UnreadableKey {
public:
    explicit UnreadableKey(const std::string& path) : key_(false, path) {
        EXPECT_TRUE(Protect("D:P(D;;KR;;;WD)(A;;KA;;;WD)"));
    }
    ~UnreadableKey() { Protect("D:P(A;;KA;;;WD)"); }

private:
    bool Protect(const char* access) {
        PSECURITY_DESCRIPTOR descriptor = nullptr;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(access, SDDL_REVISION_1,
                                                                  &descriptor, nullptr))
            return false;
        const bool set = key_.Open(WRITE_DAC) &&
                         RegSetKeySecurity(key_.Handle(), DACL_SECURITY_INFORMATION, descriptor) ==
                             ERROR_SUCCESS;
        LocalFree(descriptor);
        return set;
    }
    RegKey key_;
};

TEST_F(ToolTest, ExportAndListStopAtWhatTheyCannotRead) {
    folder.Write("school.esm", "the school's file");
    {
        const UnreadableKey hidden(SchemeKeyPath("Maths") + "\\FolderDisplay");
        EXPECT_EQ(Run({"export", folder.File("school.esm")}), kExitUnavailable);
        EXPECT_EQ(folder.Read("school.esm"), "the school's file");
        EXPECT_NE(err.str().find("Maths\\FolderDisplay: "), std::string::npos) << err.str();
        EXPECT_EQ(Run({"export", folder.File("other.esm")}), kExitUnavailable);
        EXPECT_EQ(GetFileAttributesA(folder.File("other.esm").c_str()), INVALID_FILE_ATTRIBUTES);
    }
    {
        const UnreadableKey hidden(SchemeKeyPath("Maths"));
        EXPECT_EQ(Run({"list"}), kExitUnavailable);
        EXPECT_NE(err.str().find("could not read"), std::string::npos) << err.str();
    }
    EXPECT_EQ(Run({"export", folder.File("school.esm")}), kExitDone) << err.str();
}

TEST_F(ToolTest, ShowJsonListsEverySchemeInUtf8) {
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Art", "Caf\xE9 art");
    Exported();
    EXPECT_EQ(Run({"show", folder.File("machine.esm"), "--json"}), kExitDone);
    const Json json = Json::parse(out.str());
    const Json& art = json["schemes"][0];
    EXPECT_EQ(art["name"], "Art");
    EXPECT_EQ(art["description"], "Caf\xC3\xA9 art");
    EXPECT_EQ(art["builtIn"], false);
    EXPECT_EQ(art["defaults"]["DefaultView"], "details");
    EXPECT_EQ(art["defaults"]["DefaultIconSize"], 32);
    EXPECT_EQ(art["tabs"], Json({{"Page1", 1}, {"Page2", 0}, {"Page3", 2}}));
    EXPECT_EQ(art["toolbars"].size(), 3u);
    EXPECT_EQ(art["toolbars"][0].begin().key(), "Back");
    EXPECT_EQ(art["roots"][0]["RootDisplayName"], "Pupils display");
    EXPECT_EQ(art["roots"][0]["RootPath"], "C:\\Shared\\Pupils");
    EXPECT_EQ(art["roots"][0]["FolderLevels"], 5);
    EXPECT_EQ(art["links"][0]["DisplayName"], "library site");
    EXPECT_EQ(art["links"][0]["URL"], "http://library.example/");
    EXPECT_EQ(json["schemes"][1]["name"], "Maths");

    folder.Write("damaged.esm", "not a scheme file");
    EXPECT_EQ(Run({"show", folder.File("damaged.esm")}), kExitDifferent);
    EXPECT_EQ(Run({"show", folder.File("absent.esm")}), kExitUnavailable);
    EXPECT_NE(err.str().find("Read Problem"), std::string::npos) << err.str();
}

TEST_F(ToolTest, ImportExactRetiresWhatTheFileLacksKeepingBuiltInSchemesAndCanBeUndone) {
    const std::string file = folder.File("art-only.esm");
    {
        SchemeStore school;
        school.entries = {{"Art", "Pictures"}};
        school.schemes = {SampleScheme("Art")};
        school.ExportAll();
        SchemeFile written;
        written.records = school.records;
        ASSERT_TRUE(written.WriteRecords(file));
    }
    Seed(SampleScheme("Default User"), "The template");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kProtectedSchemesKey, "Default User", "");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7B", "maths");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kUserSchemesKey, "jo", "Maths");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kUserSchemesKey, "al", "Art");
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kUserGroupSchemesKey, "Staff", "Maths");
    const std::string before = Exported();
    const auto allocations = [] {
        return RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kClassSchemesKey, "7B") + "|" +
               RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kUserSchemesKey, "jo") + "|" +
               RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kUserSchemesKey, "al") + "|" +
               RegistrySandbox::GetString(HKEY_LOCAL_MACHINE, kUserGroupSchemesKey, "Staff");
    };

    EXPECT_EQ(Run({"import", file, "--exact"}), kExitDone) << err.str();
    EXPECT_EQ(Run({"list"}), kExitDone);
    EXPECT_EQ(out.str(), "Art\t-\tPictures\nDefault User\tbuilt in\tThe template\n");
    // As Delete removes them: class and user allocations go, user-group ones stay.
    EXPECT_EQ(allocations(), "<missing>|<missing>|Art|Maths");
    EXPECT_EQ(Run({"verify", file, "--exact"}), kExitDone) << out.str();

    EXPECT_EQ(Run({"backups"}), kExitDone);
    EXPECT_NE(out.str().find("(tool)\tload of " + file + "\t0 replaced, 0 added, 1 removed\n"),
              std::string::npos)
        << out.str();
    const std::string retired = Exported();
    EXPECT_EQ(Run({"restore", "--last", "--dry-run"}), kExitDone);
    EXPECT_EQ(out.str().rfind("would restore ", 0), 0u) << out.str();
    EXPECT_EQ(Exported(), retired);
    EXPECT_EQ(Run({"restore", "--last"}), kExitDone) << err.str();
    EXPECT_EQ(Exported(), before);
    EXPECT_EQ(allocations(), "maths|Maths|Art|Maths");
    EXPECT_EQ(Run({"restore", "20000101-000000-000"}), kExitDifferent);
}

// The start-up script's record of this computer: what verify found and import put right, a
// refused file, and a folder that cannot be written, which changes no exit code.
TEST_F(ToolTest, ReportLeavesThisComputersRecordAndKeepsTheExitCode) {
    const std::string saved = Exported();
    folder.Write("school.esm", saved);
    RegistrySandbox::SetString(HKEY_LOCAL_MACHINE, kSchemesKey, "Art", "Changed");
    folder.MakeFolder("status");
    const std::string computer = ThisComputerName();
    ASSERT_FALSE(computer.empty());
    const auto record = [&] {
        StatusRecord read;
        std::string why;
        EXPECT_TRUE(ReadStatusRecord(folder.Read("status\\" + computer + ".json"), read, why))
            << why;
        return read;
    };

    EXPECT_EQ(Run({"verify", folder.File("school.esm"), "--report", folder.File("status")}),
              kExitDifferent);
    StatusRecord verified = record();
    EXPECT_EQ(verified.computer, computer);
    EXPECT_EQ(verified.result, RunResult::OutOfStep);
    EXPECT_EQ(verified.exitCode, kExitDifferent);
    EXPECT_EQ(verified.fileSha256, Sha256Hex(saved));
    EXPECT_EQ(verified.fileSize, saved.size());
    ASSERT_EQ(verified.differenceCount, 1u);
    EXPECT_EQ(verified.differences[0].scheme, "Art");
    EXPECT_EQ(verified.differences[0].value, "description");
    EXPECT_EQ(verified.differences[0].inFile, std::optional<std::string>("Pictures"));
    EXPECT_EQ(verified.differences[0].onMachine, std::optional<std::string>("Changed"));

    EXPECT_EQ(Run({"import", folder.File("school.esm"), "--report", folder.File("status")}),
              kExitDone);
    EXPECT_EQ(record().result, RunResult::Imported);
    EXPECT_EQ(record().differenceCount, 1u); // what the import put right

    folder.Write("damaged.esm", "not a scheme file");
    EXPECT_EQ(Run({"import", folder.File("damaged.esm"), "--report", folder.File("status")}),
              kExitDifferent);
    EXPECT_EQ(record().result, RunResult::Refused);

    EXPECT_EQ(Run({"verify", folder.File("school.esm"), "--report", folder.File("absent")}),
              kExitDone);
    EXPECT_EQ(out.str(), "in step with " + folder.File("school.esm") + "\n");
    EXPECT_NE(err.str().find("vlsm: status record not written: "), std::string::npos) << err.str();
}

TEST_F(ToolTest, SchemeHeldTwiceIsNamedAndOnlyItsLastCopyCompared) {
    Scheme later = SampleScheme("MATHS");
    later.defaults.defaultView = "icons";
    SchemeStore merged;
    merged.entries = {{"Maths", "Sums"}, {"MATHS", "Later sums"}};
    merged.schemes = {SampleScheme("Maths"), later};
    merged.ExportAll();
    SchemeFile file;
    file.records = merged.records;
    ASSERT_TRUE(file.WriteRecords(folder.File("merged.esm")));
    const std::string repeated =
        "scheme \"MATHS\": in the file 2 times (\"Maths\", \"MATHS\"); a load keeps the last\n";

    EXPECT_EQ(Run({"import", folder.File("merged.esm"), "--dry-run"}), kExitDone);
    EXPECT_EQ(out.str(), repeated + "would replace: MATHS\n");
    EXPECT_EQ(Run({"show", folder.File("merged.esm")}), kExitDone);
    EXPECT_NE(out.str().find(repeated), std::string::npos) << out.str();
    EXPECT_EQ(Run({"show", folder.File("merged.esm"), "--json"}), kExitDone);
    EXPECT_NE(
        out.str().find("\"repeated\": [\n    {\n      \"name\": \"MATHS\",\n      \"copies\": "
                       "[\n        \"Maths\",\n        \"MATHS\"\n      ]\n    }\n  ]"),
        std::string::npos)
        << out.str();
    // Once loaded, the machine is in step with the file: the earlier copy is no difference.
    ASSERT_EQ(Run({"import", folder.File("merged.esm")}), kExitDone) << err.str();
    EXPECT_EQ(Run({"verify", folder.File("merged.esm")}), kExitDone);
    EXPECT_EQ(out.str(), repeated + "in step with " + folder.File("merged.esm") + "\n");
}

} // namespace
