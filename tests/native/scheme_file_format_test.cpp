#include "hive/SchemeFileFormat.h"
#include "hive/SettingsHive.h"

#include <gtest/gtest.h>

namespace {

const std::string T(1, kFieldTerminator);

std::string Header() { return std::string(kSchemeFileHeader); }

std::vector<HiveRecord> Owned(const ParsedRecords& parsed) {
    std::vector<HiveRecord> out;
    for (size_t i = 0; i < parsed.size(); ++i)
        out.push_back(ToRecord(parsed[i]));
    return out;
}

// The first records of a machine with one scheme, "Infants", described as "Year one".
SettingsHive InfantsExport() {
    SettingsHive hive;
    hive.AddString("Config Hive", "Config1", "Infants");
    hive.AddString("Config Hive", "Infants", "Year one");
    hive.AddNumber("Scheme Count", "The number of schemes", 1);
    hive.AddString("Scheme0", "Name of scheme", "Infants");
    hive.AddString("Infants - Defaults", "DefaultView", "tree1");
    return hive;
}

TEST(SchemeFileWrite, WorkedExampleByteForByte) {
    const std::string file = EncodeSchemeFile(InfantsExport().Records());
    ASSERT_EQ(file.size(), 190u);
    const std::string expected = std::string("Vexar Lumen Scheme Manager!") + "\xAC" +
                                 "Config Hive\xAC"
                                 "Config1\xAC"
                                 "Infants\xAC" +
                                 "Config Hive\xAC"
                                 "Infants\xAC"
                                 "Year one\xAC" +
                                 "Scheme Count\xAC"
                                 "The number of schemes\xAC"
                                 "1\xAC" +
                                 "Scheme0\xAC"
                                 "Name of scheme\xAC"
                                 "Infants\xAC" +
                                 "Infants - Defaults\xAC"
                                 "DefaultView\xAC"
                                 "tree1\xAC";
    EXPECT_EQ(file, expected);
    // A few offsets straight from the layout table.
    EXPECT_EQ(file.substr(0, 27), "Vexar Lumen Scheme Manager!");
    EXPECT_EQ(file[27], kFieldTerminator);
    EXPECT_EQ(file.substr(85, 12), "Scheme Count");
    EXPECT_EQ(file[120], '1');
    EXPECT_EQ(file.substr(153, 18), "Infants - Defaults");
    EXPECT_EQ(file[189], kFieldTerminator);
    EXPECT_EQ(EncodeSchemeFile({}), Header());
}

TEST(SchemeFileRead, WhatIsWrittenReadsBackAsTheSameRecords) {
    const std::string file = EncodeSchemeFile(InfantsExport().Records());
    ParsedRecords parsed;
    ASSERT_EQ(ParseSchemeFile(file, parsed), ParseStatus::Ok);
    const std::vector<HiveRecord> expected = {
        {"Config Hive", "Config1", "Infants"},          {"Config Hive", "Infants", "Year one"},
        {"Scheme Count", "The number of schemes", "1"}, {"Scheme0", "Name of scheme", "Infants"},
        {"Infants - Defaults", "DefaultView", "tree1"},
    };
    EXPECT_EQ(Owned(parsed), expected);

    // Empty fields, including an empty section, come back empty.
    const std::string empties = Header() + "S" + T + T + T + T + "K" + T + "v" + T;
    ASSERT_EQ(ParseSchemeFile(empties, parsed), ParseStatus::Ok);
    EXPECT_EQ(Owned(parsed), (std::vector<HiveRecord>{{"S", "", ""}, {"", "K", "v"}}));
    // Bytes other than the terminator pass through untouched.
    const std::string odd("\x00\xFF\n\r\xAD", 5);
    const std::string odds = Header() + odd + T + odd + T + odd + T;
    ASSERT_EQ(ParseSchemeFile(odds, parsed), ParseStatus::Ok);
    EXPECT_EQ(Owned(parsed), (std::vector<HiveRecord>{{odd, odd, odd}}));
}

TEST(SchemeFileRead, IncompleteLastRecordIsDropped) {
    const std::string one = "S" + T + "K" + T + "V" + T;
    ParsedRecords parsed;
    for (const std::string& tail :
         {std::string("S"), "S" + T, "S" + T + "K" + T, "S" + T + "K" + T + "V"}) {
        const std::string file = Header() + one + tail;
        ASSERT_EQ(ParseSchemeFile(file, parsed), ParseStatus::Ok);
        EXPECT_EQ(Owned(parsed), (std::vector<HiveRecord>{{"S", "K", "V"}})) << tail;
    }
    // The tail is read only as far as the data goes: a copy with no bytes after it.
    const std::string exact = Header() + one + "S" + T + "K";
    std::vector<char> heap(exact.begin(), exact.end());
    ASSERT_EQ(ParseSchemeFile(std::string_view(heap.data(), heap.size()), parsed), ParseStatus::Ok);
    EXPECT_EQ(parsed.size(), 1u);
}

TEST(SchemeFileRead, HeaderIsCheckedByteForByte) {
    const std::string record = "S" + T + "K" + T + "V" + T;
    const std::string leftOver = Header() + record;
    ParsedRecords parsed;
    ASSERT_EQ(ParseSchemeFile(leftOver, parsed), ParseStatus::Ok);
    EXPECT_EQ(ParseSchemeFile(Header(), parsed), ParseStatus::Ok);
    EXPECT_TRUE(parsed.empty());

    ASSERT_EQ(ParseSchemeFile(leftOver, parsed), ParseStatus::Ok);
    EXPECT_EQ(ParseSchemeFile("", parsed), ParseStatus::BadHeader);
    EXPECT_TRUE(parsed.empty());
    // Too short: the whole header but its terminator, held where nothing follows it.
    const std::string shortOne = Header().substr(0, kSchemeFileHeader.size() - 1);
    std::vector<char> heap(shortOne.begin(), shortOne.end());
    EXPECT_EQ(ParseSchemeFile(std::string_view(heap.data(), heap.size()), parsed),
              ParseStatus::BadHeader);
    EXPECT_EQ(ParseSchemeFile(std::string("vexar lumen scheme manager!") + T + record, parsed),
              ParseStatus::BadHeader);
    EXPECT_EQ(ParseSchemeFile(std::string("Vexar Lumen Scheme Manager!") + "\xAD" + record, parsed),
              ParseStatus::BadHeader);
    EXPECT_TRUE(parsed.empty());

    // A file still scrambled fails the check too.
    std::string scrambled = Header() + record;
    ScrambleBytes(scrambled);
    EXPECT_EQ(ParseSchemeFile(scrambled, parsed), ParseStatus::BadHeader);
}

TEST(SchemeFileScramble, XorsEveryByteAndUndoesItself) {
    std::string bytes = EncodeSchemeFile(InfantsExport().Records());
    const std::string plain = bytes;
    ScrambleBytes(bytes);
    ASSERT_EQ(bytes.size(), plain.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char>(bytes[i]), static_cast<unsigned char>(plain[i]) ^ 0x6E)
            << i;
    EXPECT_EQ(static_cast<unsigned char>(bytes[27]), 0xAC ^ 0x6E);
    ScrambleBytes(bytes);
    EXPECT_EQ(bytes, plain);

    std::string empty;
    ScrambleBytes(empty);
    EXPECT_TRUE(empty.empty());
}

} // namespace
