#pragma once
// The live check of text that a user types into a scheme: one pass removes one refused character
// or, when there is none, cuts the text to its limit. An edit runs a pass on every change; putting
// the corrected text back is a change of its own, so several refused characters go one per pass.
// No Windows header.
#include <cstddef>
#include <string>

// Ends every field of a scheme file; a typed one would split the field when the file is read.
inline constexpr char kFieldTerminator = '\xAC';

struct TextRule {
    const char* refused; // looked for in this order; the field terminator always comes last
    const char* listed;  // the same characters in the order the message lists them
    size_t limit;
};

// The General page's name and description.
inline constexpr TextRule kGeneralTextRule{"<>?\\/*\"|:", "<>?/\\:*\"|", 50};
// The name asked for again by the Scheme Name Problem dialog.
inline constexpr TextRule kSchemeNameRule{"<>?\\/*\"|:", "<>?\\/*\"|:", 50};

struct TextCheck {
    enum class Outcome { kFine, kRefused, kTooLong };
    Outcome outcome = Outcome::kFine;
    std::string text;   // the text after this pass
    size_t caret = 0;   // where the change was made
    char removed = 0;   // the character removed by a kRefused pass
};

TextCheck CheckTypedText(const std::string& text, const TextRule& rule);

inline const char* const kRefusedCharacterTitle = "Error: Illegal Character";
inline const char* const kTextTooLongTitle = "Error: Text too long";
// "The following characters are not allowed:", an empty line and the listed characters with one
// blank between them; the field terminator joins the list when it was the one removed.
std::string RefusedCharacterMessage(const TextRule& rule, char removed);
// "There is a limit of N characters"
std::string TextTooLongMessage(const TextRule& rule);
