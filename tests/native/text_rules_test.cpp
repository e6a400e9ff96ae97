#include <gtest/gtest.h>
#include "editor/TextRules.h"

using Outcome = TextCheck::Outcome;

TEST(TextRulesTest, OnePassRemovesTheFirstRefusedCharacterOfTheOrderAtItsFirstPlace) {
    // '>' comes before '<' in the text, but '<' comes first in the order.
    TextCheck check = CheckTypedText("a>b<c<d", kGeneralTextRule);
    EXPECT_EQ(Outcome::kRefused, check.outcome);
    EXPECT_EQ("a>bc<d", check.text);
    EXPECT_EQ('<', check.removed);
    EXPECT_EQ(3u, check.caret);

    // Every refused character is found, one per pass, until the text is fine.
    std::string text = "<>?\\/*\"|:";
    int passes = 0;
    for (TextCheck pass = CheckTypedText(text, kSchemeNameRule); pass.outcome == Outcome::kRefused;
         pass = CheckTypedText(text, kSchemeNameRule)) {
        text = pass.text;
        ++passes;
    }
    EXPECT_EQ(9, passes);
    EXPECT_EQ("", text);
}

TEST(TextRulesTest, TheFieldTerminatorIsRefusedAfterTheRulesOwnCharacters) {
    const std::string terminator(1, kFieldTerminator);
    TextCheck check = CheckTypedText("ab" + terminator + "c:", kGeneralTextRule);
    EXPECT_EQ(':', check.removed);
    check = CheckTypedText(check.text, kGeneralTextRule);
    EXPECT_EQ(Outcome::kRefused, check.outcome);
    EXPECT_EQ(kFieldTerminator, check.removed);
    EXPECT_EQ("abc", check.text);
    EXPECT_EQ(2u, check.caret);
    // Other bytes above 0x7F are ordinary letters of the code page.
    EXPECT_EQ(Outcome::kFine, CheckTypedText("\xE9t\xE9", kGeneralTextRule).outcome);
}

TEST(TextRulesTest, TextOverTheLimitIsCutOnlyWhenNothingIsRefused) {
    const std::string sixty(60, 'x');
    TextCheck check = CheckTypedText(sixty, kGeneralTextRule);
    EXPECT_EQ(Outcome::kTooLong, check.outcome);
    EXPECT_EQ(std::string(50, 'x'), check.text);
    EXPECT_EQ(Outcome::kFine, CheckTypedText(std::string(50, 'x'), kGeneralTextRule).outcome);
    // A refused character is removed first; the cut waits for the next pass.
    check = CheckTypedText(sixty + "*", kGeneralTextRule);
    EXPECT_EQ(Outcome::kRefused, check.outcome);
    EXPECT_EQ(sixty, check.text);
    EXPECT_EQ(Outcome::kFine, CheckTypedText("", kGeneralTextRule).outcome);
}

TEST(TextRulesTest, MessagesListTheCharactersInEachRulesOwnOrder) {
    EXPECT_EQ("The following characters are not allowed:\n\n< > ? / \\ : * \" |",
              RefusedCharacterMessage(kGeneralTextRule, '<'));
    EXPECT_EQ("The following characters are not allowed:\n\n< > ? \\ / * \" | :",
              RefusedCharacterMessage(kSchemeNameRule, ':'));
    EXPECT_EQ("The following characters are not allowed:\n\n< > ? / \\ : * \" | \xAC",
              RefusedCharacterMessage(kGeneralTextRule, kFieldTerminator));
    EXPECT_EQ("There is a limit of 50 characters", TextTooLongMessage(kGeneralTextRule));
}
