#include <gtest/gtest.h>
#include "allocation/AllocationRules.h"

namespace {
using List = std::vector<std::string>;

TEST(SplitList, RunsOfSeparatorsAndEndsYieldNoEmptyPieces) {
    List items;
    EXPECT_TRUE(SplitList("7A,7B,,8C", ",", items));
    EXPECT_EQ(items, (List{"7A", "7B", "8C"}));

    items.clear();
    EXPECT_TRUE(SplitList(",,7A,,", ",", items));
    EXPECT_EQ(items, (List{"7A"}));
}

TEST(SplitList, BlanksStayPartOfTheNames) {
    List items;
    EXPECT_TRUE(SplitList("7A, 7B", ",", items));
    EXPECT_EQ(items, (List{"7A", " 7B"}));
}

TEST(SplitList, AppendsToWhatIsThere) {
    List items{"Staff"};
    EXPECT_TRUE(SplitList("9C;10D", ";,", items));
    EXPECT_EQ(items, (List{"Staff", "9C", "10D"}));
}

TEST(SplitList, NothingToSplitIsFalse) {
    List items;
    EXPECT_FALSE(SplitList("", ",", items));
    EXPECT_FALSE(SplitList("7A", "", items));
    EXPECT_FALSE(SplitList(",,,", ",", items));
    EXPECT_TRUE(items.empty());
}

TEST(SplitList, TextOverTenThousandCharactersIsRefusedWhole) {
    std::string atLimit(9999, 'x');
    atLimit += ",";
    ASSERT_EQ(atLimit.size(), 10000u);
    List items;
    EXPECT_TRUE(SplitList(atLimit, ",", items));
    EXPECT_EQ(items.size(), 1u);

    items.clear();
    EXPECT_FALSE(SplitList(atLimit + "y", ",", items));
    EXPECT_TRUE(items.empty());
}

TEST(IniValue, MissingEmptyAndPlaceholderAreNotValues) {
    EXPECT_TRUE(IsIniValue(2, "7A"));
    EXPECT_FALSE(IsIniValue(0, ""));
    EXPECT_FALSE(IsIniValue(0, "7A")); // the count decides, not a stale buffer
    EXPECT_FALSE(IsIniValue(14, kNoStringRead));
    EXPECT_TRUE(IsIniValue(15, "No string read!"));
}

TEST(ConfigurationMode, OnlyEightNineAndUnansweredArePerUser) {
    for (int mode : {8, 9, kUnansweredMode})
        EXPECT_TRUE(IsPerUserMode(mode)) << mode;
    for (int mode : {0, 1, 7, 10, 98, 100, -1})
        EXPECT_FALSE(IsPerUserMode(mode)) << mode;
}
} // namespace
