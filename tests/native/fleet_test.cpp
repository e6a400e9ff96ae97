// Status records as the fleet reads them (hostile input from every workstation), the fleet's
// order and summary, and the escaping of the pages.
#include <gtest/gtest.h>
#include "cli/Fleet.h"
#include "cli/HtmlPage.h"
#include "cli/StatusRecord.h"
#include "hive/Sha256.h"

namespace {

long long Seconds(const char* time) {
    long long seconds = 0;
    EXPECT_TRUE(ParseUtcTime(time, seconds)) << time;
    return seconds;
}

FleetOptions Options() {
    FleetOptions options;
    options.now = Seconds("2026-12-08T12:00:00Z");
    options.fileSha256 = Sha256Hex("school file");
    return options;
}

std::string Record(const std::string& computer, const std::string& time, const char* result,
                   const std::string& hash = Sha256Hex("school file")) {
    return "{\"computer\": \"" + computer + "\", \"time\": \"" + time + "\", \"result\": \"" +
           result + "\", \"file\": {\"sha256\": \"" + hash + "\"}}";
}

FleetMachine Machine(const std::string& name, const std::string& text) {
    return ReadFleetMachine(name, text, text.size(), Options());
}

TEST(StatusRecord, WrittenRecordReadsBackWithItsFirstTwentyDifferences) {
    StatusRecord record;
    record.computer = "WS-014";
    record.time = UtcTimeText(2026, 12, 8, 7, 58, 12);
    record.version = "2.28.0.0";
    record.filePath = "\\\\school\\netlogon\\vexar\\school.esm";
    record.fileSize = 4096;
    record.fileSha256 = Sha256Hex("abc");
    record.result = RunResult::Imported;
    record.differenceCount = 25;
    for (int i = 0; i < 25; ++i)
        record.differences.push_back({"Juniors", "FolderDisplay", "Root " + std::to_string(i),
                                      "RootPath", "caf\xC3\xA9", std::nullopt});
    record.durationMs = 1234;

    StatusRecord read;
    std::string why;
    ASSERT_TRUE(ReadStatusRecord(StatusRecordJson(record), read, why)) << why;
    EXPECT_EQ(read.time, "2026-12-08T07:58:12Z");
    EXPECT_EQ(read.fileSha256, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_EQ(read.filePath, record.filePath);
    EXPECT_EQ(read.result, RunResult::Imported);
    EXPECT_EQ(read.differenceCount, 25u);
    ASSERT_EQ(read.differences.size(), kReportedDifferences);
    EXPECT_EQ(read.differences[19].item, "Root 19");
    EXPECT_EQ(read.differences[19].inFile, std::optional<std::string>("caf\xC3\xA9"));
    EXPECT_FALSE(read.differences[19].onMachine);
    EXPECT_EQ(read.durationMs, 1234u);
}

TEST(StatusRecord, HostileRecordsAreUnreadableLinesNeverCrashes) {
    const std::string huge =
        "{\"computer\": \"WS1\", \"pad\": \"" + std::string(kLargestRecord, 'x') + "\"}";
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    const struct {
        const char* name;
        std::string text;
        const char* problem;
    } cases[] = {
        {"WS1.json", huge, "larger than 1 MB"},
        {"WS1.json", "{\"computer\": \"WS1\", \"ti", "not JSON"},
        {"WS1.json", "", "not JSON"},
        {"WS1.json", deep, "not a status record"},
        {"WS1.json", "{\"computer\": \"WS1\", \"time\": \"\xFF\xFE\"}", "not JSON"},
        {"WS1.json", Record("WS1", "yesterday", "in step"), "no valid time"},
        {"WS1.json", Record("WS1", "2026-12-08T09:00:00Z", "fine"), "no valid result"},
        {"WS1.json", Record("WS2", "2026-12-08T09:00:00Z", "in step"),
         "written for another computer"},
        {"WS1.json",
         "{\"computer\": \"WS1\", \"time\": \"2026-12-08T09:00:00Z\", \"result\": \"in step\", "
         "\"differenceCount\": -3}",
         "a field of the wrong kind"},
        {"WS1.json",
         "{\"computer\": \"WS1\", \"time\": \"2026-12-08T09:00:00Z\", \"result\": \"in step\", "
         "\"differences\": [{\"scheme\": {\"a\": 1}}]}",
         "a field of the wrong kind"},
    };
    for (const auto& c : cases) {
        const FleetMachine machine = Machine(c.name, c.text);
        EXPECT_EQ(machine.state, MachineState::Unreadable) << c.problem;
        EXPECT_EQ(machine.problem, c.problem);
        EXPECT_EQ(machine.computer, "WS1");
    }
    // A size the folder reports is enough: the text itself may have been cut at the bound.
    EXPECT_EQ(ReadFleetMachine("WS1.json", "{", kLargestRecord + 1, Options()).problem,
              "larger than 1 MB");
}

TEST(StatusRecord, OlderAndNewerVersionsReadWhatTheyHold) {
    // An older record: no version, no file, no differences; a newer one with fields unknown here.
    FleetMachine old = Machine("ws1.json", "{\"computer\": \"WS1\", \"time\": "
                                           "\"2026-12-08T09:00:00Z\", \"result\": \"in step\"}");
    EXPECT_EQ(old.state, MachineState::InStep);
    EXPECT_FALSE(old.fileMatches);
    FleetMachine newer =
        Machine("WS2.json", "{\"format\": 7, \"computer\": \"WS2\", \"time\": "
                            "\"2026-12-08T09:00:00Z\", \"result\": \"refused\", \"extra\": "
                            "{\"a\": [1, 2]}, \"differences\": [{\"scheme\": \"S\", \"x\": 1}]}");
    EXPECT_EQ(newer.state, MachineState::Refused);
    ASSERT_EQ(newer.record.differences.size(), 1u);
    EXPECT_EQ(newer.record.differenceCount, 1u);
    // Texts are cut, without splitting a character.
    const std::string long_ = std::string(kLongestRecordText - 1, 'a') + "\xC3\xA9" + "tail";
    FleetMachine cut = Machine("WS3.json", "{\"computer\": \"WS3\", \"time\": "
                                           "\"2026-12-08T09:00:00Z\", \"result\": \"in step\", "
                                           "\"version\": \"" +
                                               long_ + "\"}");
    EXPECT_EQ(cut.record.version, std::string(kLongestRecordText - 1, 'a') + "\xE2\x80\xA6");
}

TEST(Fleet, ProblemsFirstAndOneSummaryLine) {
    std::vector<FleetMachine> machines = {
        Machine("WS1.json", Record("WS1", "2026-12-08T09:00:00Z", "in step")),
        Machine("ws2.json", Record("WS2", "2026-12-08T09:00:00Z", "imported")),
        Machine("WS3.json", Record("WS3", "2026-12-08T09:00:00Z", "in step", Sha256Hex("old"))),
        Machine("WS4.json", Record("WS4", "2026-12-01T11:59:59Z", "refused")),
        Machine("WS5.json", Record("WS5", "2026-12-01T12:00:00Z", "in step")),
        Machine("WS6.json", Record("WS6", "2026-12-08T09:00:00Z", "refused")),
        Machine("WS7.json", "null"),
        Machine("WS8.json", Record("WS8", "2026-12-08T09:00:00Z", "failed")),
    };
    SortProblemsFirst(machines);
    std::string order;
    for (const FleetMachine& m : machines)
        order += m.computer + ":" + MachineStateText(m.state) + " ";
    // Out of step: in step with a file that is not the school's; exactly seven days is fresh.
    EXPECT_EQ(order, "WS7:unreadable WS8:failed WS6:refused WS3:out of step WS4:not seen "
                     "WS1:in step ws2:in step WS5:in step ");
    EXPECT_EQ(FleetSummary(machines, 7),
              "3 in step, 1 out of step, 1 refused, 1 failed, 1 unreadable, 1 not seen for 7 days");
    EXPECT_EQ(FleetExitCode(machines), 1);
    machines.erase(machines.begin(), machines.begin() + 5);
    EXPECT_EQ(FleetExitCode(machines), 0);
    EXPECT_EQ(FleetExitCode({}), 1); // an empty folder shows no machine in step
}

TEST(HtmlPage, EveryRecordTextIsEscaped) {
    EXPECT_EQ(HtmlEscape("<img src=x onerror='a(\"1\")'>&amp;"),
              "&lt;img src=x onerror=&#39;a(&quot;1&quot;)&#39;&gt;&amp;amp;");
    const std::string hostile = "<script>alert(1)</script>";
    FleetMachine machine = Machine(
        "WS1.json", "{\"computer\": \"WS1\", \"time\": \"2026-12-08T09:00:00Z\", \"result\": "
                    "\"out of step\", \"version\": \"" +
                        hostile + "\", \"differences\": [{\"scheme\": \"" + hostile +
                        "\", \"section\": \"" + hostile + "\", \"item\": \"" + hostile +
                        "\", \"value\": \"" + hostile + "\", \"file\": \"" + hostile +
                        "\", \"machine\": \"" + hostile + "\"}]}");
    FleetMachine unreadable = UnreadableMachine("<b>.json", "not JSON");
    const std::string page = FleetPage({machine, unreadable}, 7, "\\\\srv\\<s>", "now");
    // The page's own script is its only one.
    size_t scripts = 0;
    for (size_t at = page.find("<script"); at != std::string::npos;
         at = page.find("<script", at + 1))
        ++scripts;
    EXPECT_EQ(scripts, 1u);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_EQ(page.find("<s>"), std::string::npos);

    SchemeView scheme{hostile, hostile, 0, 0, {{hostile, {hostile}, {{hostile}}}}};
    EXPECT_EQ(SchemeFilePage(hostile, {scheme}).find("<script>alert"), std::string::npos);
}

} // namespace
