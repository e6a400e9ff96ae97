#include <gtest/gtest.h>
#include "editor/FieldRules.h"

namespace {
using Outcome = TextCheck::Outcome;

std::string Final(const std::string& text, const TextRule& rule) {
    std::vector<TextCheck> passes = CheckAllPasses(text, rule);
    return passes.empty() ? text : passes.back().text;
}
} // namespace

TEST(FieldRules, EveryRefusedCharacterIsOnePassAndTheCutComesLast) {
    std::vector<TextCheck> passes = CheckAllPasses("a<b>c" + std::string(60, 'x'), kRootNameRule);
    ASSERT_EQ(3u, passes.size());
    EXPECT_EQ('<', passes[0].removed);
    EXPECT_EQ('>', passes[1].removed);
    EXPECT_EQ(Outcome::kTooLong, passes[2].outcome);
    EXPECT_EQ(50u, passes[2].text.size());
    EXPECT_TRUE(CheckAllPasses("plain name", kRootNameRule).empty());

    // A long paste of refused characters is a long loop, each pass shorter than the one before.
    passes = CheckAllPasses(std::string(3000, '<'), kRootNameRule);
    EXPECT_EQ(3000u, passes.size());
    EXPECT_EQ("", passes.back().text);
}

TEST(FieldRules, PathsKeepColonAndBackslashWhichNamesLose) {
    EXPECT_EQ("C:\\Work\\Year 7", Final("C:\\Work\\Year 7", kRootPathRule));
    EXPECT_EQ("CWorkYear 7", Final("C:\\Work\\Year 7", kRootNameRule));
    EXPECT_EQ("C:\\Work", Final("C:\\Wo?rk*", kRootPathRule));
    EXPECT_EQ(std::string(255, 'p'), Final(std::string(256, 'p'), kRootPathRule));
}

TEST(FieldRules, UrlLosesSpacesAndToolTipsOnlyTheirLength) {
    EXPECT_EQ("http://www.example.org/ab", Final("http://www.example.org/a b", kLinkUrlRule));
    EXPECT_EQ("<>?*", Final("<>?*", kShortToolTipRule));
    EXPECT_EQ(std::string(100, 't'), Final(std::string(101, 't'), kLongToolTipRule));
    // 51 characters of which one is refused: 50 remain and nothing is cut.
    std::vector<TextCheck> passes = CheckAllPasses(std::string(25, 'n') + "|" + std::string(25, 'n'), kLinkNameRule);
    ASSERT_EQ(1u, passes.size());
    EXPECT_EQ(Outcome::kRefused, passes[0].outcome);
}

TEST(FieldRules, MessagesListTheCharactersInTheirOwnOrder) {
    const std::string head = "The following characters are not allowed:\n\n";
    EXPECT_EQ(head + "< > ? \\ / * \" | :", RefusedCharacterMessage(kRootNameRule, '<'));
    EXPECT_EQ(head + "< > ? / * \" |", RefusedCharacterMessage(kRootPathRule, '<'));
    EXPECT_EQ(head + "< > ? / \\ : * \" |", RefusedCharacterMessage(kLinkNameRule, '<'));
    EXPECT_EQ(head + "< > \\   * \" |", RefusedCharacterMessage(kLinkUrlRule, ' '));
    EXPECT_EQ("There is a limit of 255 characters", TextTooLongMessage(kRootPathRule));
    EXPECT_EQ("There is a limit of 100 characters", TextTooLongMessage(kLongToolTipRule));
}

TEST(UrlCheck, RefusesTheFifteenCharactersThenSpacesAndAcceptsPercent) {
    for (char c : std::string("{}|\\^~[]'<>\"#@!"))
        EXPECT_EQ(UrlProblem::kInvalidCharacter, CheckUrl(std::string("http://a/") + c)) << c;
    EXPECT_EQ(UrlProblem::kInvalidCharacter, CheckUrl("http://a b/#top")); // characters before spaces
    EXPECT_EQ(UrlProblem::kSpace, CheckUrl("http://a b/"));
    EXPECT_EQ(UrlProblem::kNone, CheckUrl("http://a/b%20c?d=e&f=g;h:80"));
}
