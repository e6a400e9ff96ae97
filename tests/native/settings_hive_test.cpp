#include "hive/SchemeFileFormat.h"
#include "hive/SettingsHive.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// A hive of parsed-form records, as an import fills it.
SettingsHive HiveOf(std::initializer_list<HiveRecord> records) {
    SettingsHive hive;
    for (const HiveRecord& r : records)
        hive.Append(r);
    return hive;
}

TEST(SettingsHiveLookup, DuplicatesFollowTheCursorAndOtherwiseTheLastMatch) {
    SettingsHive hive = HiveOf({{"S", "K", "1"}, {"S", "K", "2"}});
    EXPECT_EQ(hive.GetNumber("S", "K"), 1);
    EXPECT_EQ(hive.GetNumber("S", "K"), 2);
    EXPECT_EQ(hive.ReadCursor(), 2u);
    // Past both, at the end and far beyond it: the scan, and the last match wins.
    EXPECT_EQ(hive.GetString("S", "K"), "2");
    EXPECT_EQ(hive.GetString("S", "K"), "2");
    EXPECT_EQ(hive.ReadCursor(), 4u);

    // Standing on the second record, a read for the first pair is out of step as well.
    SettingsHive mixed = HiveOf({{"S", "K", "1"}, {"T", "K", "x"}, {"S", "K", "2"}});
    mixed.GetString("S", "K");
    EXPECT_EQ(mixed.GetString("S", "K"), "2");
}

TEST(SettingsHiveLookup, OutOfStepReadFindsTheEarlierRecordAndStepsOnlyOnce) {
    SettingsHive hive = HiveOf({{"A", "a", "first"}, {"B", "b", "second"}, {"C", "c", "third"}});
    hive.GetString("B", "b"); // at 0: found by the scan
    hive.GetString("C", "c"); // at 1: found by the scan
    EXPECT_EQ(hive.ReadCursor(), 2u);
    EXPECT_EQ(hive.GetString("A", "a"), "first");
    EXPECT_EQ(hive.ReadCursor(), 3u); // not 1, after the record found
    // A miss does not lose the step: the next read is tried one further on.
    SettingsHive steps = HiveOf({{"A", "a", "1"}, {"B", "b", "2"}, {"C", "c", "3"}});
    EXPECT_EQ(steps.GetString("nothing", "here"), "");
    EXPECT_EQ(steps.GetString("B", "b"), "2");
    EXPECT_EQ(steps.GetString("C", "c"), "3");
}

TEST(SettingsHiveLookup, EmptyAndClearedHivesGiveNothingAndStillAdvance) {
    SettingsHive hive;
    EXPECT_EQ(hive.GetString("S", "K"), "");
    EXPECT_EQ(hive.GetNumber("S", "K"), 0);
    EXPECT_EQ(hive.ReadCursor(), 2u);

    SettingsHive full = HiveOf({{"S", "K", "5"}, {"S", "L", "6"}, {"S", "M", "7"}});
    full.GetNumber("S", "K");
    full.GetNumber("S", "L");
    full.ClearHive();
    EXPECT_EQ(full.Size(), 0u);
    EXPECT_EQ(full.ReadCursor(), 2u);
    EXPECT_EQ(full.GetNumber("S", "M"), 0);
    EXPECT_EQ(full.ReadCursor(), 3u);
    // Records appended after the clear are found, and the old ones are not.
    full.Append({"S", "K", "9"});
    EXPECT_EQ(full.GetNumber("S", "K"), 9);
    EXPECT_EQ(full.GetNumber("S", "L"), 0);
    full.ResetCursor();
    EXPECT_EQ(full.ReadCursor(), 0u);
}

TEST(SettingsHiveLookup, StringsMatchExactly) {
    SettingsHive hive = HiveOf({{"Infants - Tabs", "Page1", "1"}});
    EXPECT_EQ(hive.GetString("infants - tabs", "Page1"), "");
    EXPECT_EQ(hive.GetString("Infants - Tabs ", "Page1"), "");
    EXPECT_EQ(hive.GetString("Infants - Tabs", "page1"), "");
    EXPECT_EQ(hive.GetString("Infants - Tabs", "Page1 "), "");
    EXPECT_EQ(hive.GetString("Infants - Tabs", "Page1"), "1");

    // Pairs whose joined bytes are the same stay apart, zero bytes included.
    SettingsHive joined = HiveOf({{"ab", "c", "1"},
                                  {"a", "bc", "2"},
                                  {std::string("a\0b", 3), "c", "3"},
                                  {"a", std::string("b\0c", 3), "4"}});
    joined.GetString("", "");
    joined.GetString("", "");
    EXPECT_EQ(joined.GetString("ab", "c"), "1");
    EXPECT_EQ(joined.GetString(std::string("a\0b", 3), "c"), "3");
    EXPECT_EQ(joined.GetString("a", "bc"), "2");
    EXPECT_EQ(joined.GetString("abc", ""), "");
}

TEST(SettingsHiveExport, RecordsCarryTheTerminatorAndAreNeverLookedUp) {
    SettingsHive hive;
    hive.AddNumber("Scheme0", "Count", -12);
    hive.AddString("Scheme0", "Name of scheme", "Infants");
    const std::string t(1, kFieldTerminator);
    EXPECT_EQ(hive.At(0), (HiveRecord{"Scheme0" + t, "Count" + t, "-12" + t}));
    EXPECT_EQ(hive.At(1).value, "Infants" + t);
    EXPECT_EQ(hive.GetString("Scheme0", "Name of scheme"), "");
    EXPECT_EQ(hive.GetNumber("Scheme0", "Count"), 0);

    hive.AddNumber("S", "min", INT32_MIN);
    hive.AddNumber("S", "zero", 0);
    EXPECT_EQ(hive.At(2).value, "-2147483648" + t);
    EXPECT_EQ(hive.At(3).value, "0" + t);
}

TEST(SettingsHiveNumbers, ConvertLikeAtoiAndClampOutOfRange) {
    EXPECT_EQ(ParseLeadingNumber("12abc"), 12);
    EXPECT_EQ(ParseLeadingNumber(""), 0);
    EXPECT_EQ(ParseLeadingNumber(" 7"), 7);
    EXPECT_EQ(ParseLeadingNumber("\t\n-34 5"), -34);
    EXPECT_EQ(ParseLeadingNumber("+8"), 8);
    EXPECT_EQ(ParseLeadingNumber("- 8"), 0);
    EXPECT_EQ(ParseLeadingNumber("abc"), 0);
    EXPECT_EQ(ParseLeadingNumber("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseLeadingNumber("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseLeadingNumber("2147483648"), INT32_MAX);
    EXPECT_EQ(ParseLeadingNumber("-2147483649"), INT32_MIN);
    EXPECT_EQ(ParseLeadingNumber("99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(ParseLeadingNumber("-99999999999999999999999"), INT32_MIN);
    EXPECT_EQ(ParseLeadingNumber("0000000000000000000042"), 42);

    SettingsHive hive = HiveOf({{"S", "K", "12abc"}});
    EXPECT_EQ(hive.GetNumber("S", "K"), 12);
}

TEST(WorkingHive, FreeFunctionsActOnTheOneProcessWideHive) {
    ClearHive();
    ResetCursor();
    AddString("S", "K", "v");
    EXPECT_EQ(&WorkingHive(), &WorkingHive());
    ASSERT_EQ(WorkingHive().Size(), 1u);
    WorkingHive().Append({"S", "K", "41"});
    EXPECT_EQ(GetNumber("S", "K"), 41); // the export-form record at 0 never matches
    EXPECT_EQ(GetString("S", "K"), "41");
    EXPECT_EQ(WorkingHive().ReadCursor(), 2u);
    ClearHive();
    ResetCursor();
    EXPECT_EQ(WorkingHive().Size(), 0u);
}

} // namespace
