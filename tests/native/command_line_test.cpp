// The tool's command line and exit codes, and how it names what differs.
#include <gtest/gtest.h>
#include "cli/CommandLine.h"
#include "cli/SchemeDifferences.h"
#include "cli/ToolText.h"

namespace {
using Args = std::vector<std::string>;

CommandLine Parsed(const Args& args) {
    CommandLine line;
    std::string why;
    EXPECT_TRUE(ParseCommandLine(args, line, why)) << why;
    return line;
}

std::string Refusal(const Args& args) {
    CommandLine line;
    std::string why;
    EXPECT_FALSE(ParseCommandLine(args, line, why));
    return why;
}

TEST(ToolCommandLine, EachCommandTakesItsOwnOptionsOnly) {
    EXPECT_TRUE(Parsed({"list", "--json"}).json);
    const CommandLine import =
        Parsed({"import", "C:\\share\\school.esm", "--dry-run", "--wait", "5"});
    EXPECT_EQ(import.command, ToolCommand::Import);
    EXPECT_EQ(import.file, "C:\\share\\school.esm");
    EXPECT_TRUE(import.dryRun);
    EXPECT_EQ(import.waitSeconds, 5u);
    EXPECT_EQ(Parsed({"import", "a.esm"}).waitSeconds, 30u);
    EXPECT_TRUE(Parsed({"verify", "a.esm", "--exact"}).exact);
    EXPECT_TRUE(Parsed({"show", "a.esm", "--json"}).json);
    EXPECT_EQ(Parsed({"--version"}).command, ToolCommand::Version);
    const CommandLine fleet = Parsed({"fleet", "\\\\srv\\status", "--stale", "3", "--file",
                                      "school.esm", "--html", "fleet.html", "--json"});
    EXPECT_EQ(fleet.file + "|" + fleet.schemeFile + "|" + fleet.html,
              "\\\\srv\\status|school.esm|fleet.html");
    EXPECT_EQ(fleet.staleDays, 3u);
    EXPECT_EQ(Parsed({"verify", "a.esm", "--report", "S"}).report, "S");
    EXPECT_NE(Refusal({"import", "a.esm", "--dry-run", "--report", "S"}).find("--dry-run"),
              std::string::npos);
    EXPECT_NE(Refusal({"fleet", "S", "--stale", "0"}).find("--stale"), std::string::npos);
    EXPECT_NE(Refusal({"verify", "a.esm", "--report"}).find("--report"), std::string::npos);
    EXPECT_NE(Refusal({"fleet"}).find("FOLDER"), std::string::npos);

    EXPECT_NE(Refusal({"verify", "a.esm", "--dry-run"}).find("--dry-run"), std::string::npos);
    EXPECT_NE(Refusal({"export", "a.esm", "--json"}).find("--json"), std::string::npos);
    EXPECT_NE(Refusal({"import"}).find("FILE"), std::string::npos);
    EXPECT_NE(Refusal({"import", "--dry-run"}).find("FILE"), std::string::npos);
    EXPECT_NE(Refusal({"import", "a.esm", "--wait", "soon"}).find("--wait"), std::string::npos);
    EXPECT_NE(Refusal({"list", "extra"}).find("extra"), std::string::npos);
    EXPECT_NE(Refusal({"delete"}).find("delete"), std::string::npos);
    Refusal({});
    Refusal({"--version", "--help"});
}

TEST(ToolCommandLine, OptionsAndFileInAnyOrderAfterTheCommand) {
    const CommandLine before = Parsed({"show", "--json", "a.esm"});
    EXPECT_EQ(before.file, "a.esm");
    EXPECT_TRUE(before.json);
    const CommandLine mixed = Parsed({"import", "--wait", "5", "a.esm", "--dry-run"});
    EXPECT_EQ(mixed.file, "a.esm");
    EXPECT_TRUE(mixed.dryRun);
    EXPECT_EQ(mixed.waitSeconds, 5u);
    // A FILE that looks like an option is taken only after "--".
    EXPECT_EQ(Parsed({"export", "--", "-h"}).file, "-h");
    EXPECT_EQ(Parsed({"export", "--", "--"}).file, "--");
    EXPECT_NE(Refusal({"export", "-report.esm"}).find("\"--\""), std::string::npos);
    EXPECT_NE(Refusal({"export", "a.esm", "b.esm"}).find("b.esm"), std::string::npos);
}

TEST(ToolCommandLine, EveryOptionAtMostOnce) {
    EXPECT_NE(Refusal({"import", "a.esm", "--wait", "5", "--wait", "6"}).find("--wait"),
              std::string::npos);
    EXPECT_NE(Refusal({"import", "a.esm", "--wait=5", "--wait", "5"}).find("more than once"),
              std::string::npos);
    EXPECT_NE(Refusal({"show", "--json", "a.esm", "--json"}).find("--json"), std::string::npos);
}

TEST(ToolCommandLine, HelpAndWaitHaveTheirUsualSpellings) {
    for (const char* help : {"help", "/?", "-h", "--help"})
        EXPECT_EQ(Parsed({help}).command, ToolCommand::Help) << help;
    EXPECT_EQ(Parsed({"export", "-h"}).command, ToolCommand::Help);
    EXPECT_EQ(Parsed({"import", "a.esm", "/?"}).command, ToolCommand::Help);
    EXPECT_EQ(Parsed({"import", "a.esm", "--wait=0"}).waitSeconds, 0u);
    Refusal({"import", "a.esm", "--wait="});
    Refusal({"import", "a.esm", "--dry-run=yes"});
}

TEST(ToolCommandLine, OnlyARefusedFileIsExitOne) {
    EXPECT_EQ(ExitCodeForProblem("File Load Problem"), kExitDifferent);
    for (const char* title : {"Read Problem", "Export Problem", "Import Problem",
                              "Settings Problem", "Schemes Busy", ""})
        EXPECT_EQ(ExitCodeForProblem(title), kExitUnavailable) << title;
    const std::string help = ToolHelpText();
    for (const char* code : {"  0  ", "  1  ", "  2  ", "  3  "})
        EXPECT_NE(help.find(code), std::string::npos) << code;
}

TEST(ToolText, Windows1252BecomesUtf8InJson) {
    EXPECT_EQ(Cp1252ToUtf8("caf\xE9 \x80 \x96"), "caf\xC3\xA9 \xE2\x82\xAC \xE2\x80\x93");
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(JsonString("C:\\\"x\"\n\x01"), "\"C:\\\\\\\"x\\\"\\n\\u0001\"");
}

TEST(SchemeDifferences, NamedAsTheRegistryNamesThem) {
    auto place =
        PlaceOfRecord("Year 7 - Maths", "Year 7 - Maths - FolderDisplay - Root 2", "RootPath");
    EXPECT_EQ(place.section + "|" + place.item + "|" + place.value,
              "FolderDisplay|Root 2|RootPath");
    place = PlaceOfRecord("M", "M - FolderDisplay", "RootFoldersCount");
    EXPECT_EQ(place.section + "|" + place.item + "|" + place.value,
              "FolderDisplay||RootFolderCount");
    place = PlaceOfRecord("M", "M - Folder Display", "WeblinksCount");
    EXPECT_EQ(place.section + "|" + place.item + "|" + place.value, "WebLinks||WebLinksCount");
    place = PlaceOfRecord("M", "M - Weblinks - WebLink 1", "URL");
    EXPECT_EQ(place.section + "|" + place.item + "|" + place.value, "WebLinks|WebLink 1|URL");
    place = PlaceOfRecord("M", "M - Tabs", "Page2");
    EXPECT_EQ(place.section + "|" + place.item + "|" + place.value, "TabSelection||Page2");
    place = PlaceOfRecord("M", "M - ToolBars - Page 3", "Back");
    EXPECT_EQ(place.section + "|" + place.item + "|" + place.value, "ToolBars|Page 3|Back");
}

TEST(SchemeDifferences, ChangedMissingAndExtraValuesAreEachOneDifference) {
    const std::vector<HiveRecord> file = {{"M - Defaults", "Silent", "0"},
                                          {"M - FolderDisplay", "RootFoldersCount", "2"},
                                          {"M - FolderDisplay - Root 2", "RootPath", "H:\\"},
                                          {"M - Tabs", "Page1", "1"}};
    const std::vector<HiveRecord> machine = {{"M - Defaults", "Silent", "1"},
                                             {"M - FolderDisplay", "RootFoldersCount", "2"},
                                             {"M - Tabs", "Page1", "1"},
                                             {"M - Tabs", "Page9", "1"}};
    const std::vector<RecordDifference> found = CompareSchemeRecords("M", file, machine);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(DescribeDifference("M", found[0]),
              "scheme \"M\", section \"Defaults\", value \"Silent\": file \"0\", machine \"1\"");
    EXPECT_EQ(DescribeDifference("M", found[1]),
              "scheme \"M\", section \"FolderDisplay\", item \"Root 2\", value \"RootPath\": file "
              "\"H:\\\", machine (none)");
    EXPECT_EQ(
        DescribeDifference("M", found[2]),
        "scheme \"M\", section \"TabSelection\", value \"Page9\": file (none), machine \"1\"");
    EXPECT_TRUE(CompareSchemeRecords("M", file, file).empty());
}

} // namespace
