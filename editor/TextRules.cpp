#include "editor/TextRules.h"

TextCheck CheckTypedText(const std::string& text, const TextRule& rule) {
    TextCheck check;
    check.text = text;
    const std::string refused = std::string(rule.refused) + kFieldTerminator;
    for (char c : refused) {
        const size_t at = text.find(c);
        if (at == std::string::npos) continue;
        check.outcome = TextCheck::Outcome::kRefused;
        check.text.erase(at, 1);
        check.caret = at;
        check.removed = c;
        return check;
    }
    if (text.size() > rule.limit) {
        check.outcome = TextCheck::Outcome::kTooLong;
        check.text.resize(rule.limit);
        check.caret = rule.limit;
        return check;
    }
    check.caret = text.size();
    return check;
}

std::string RefusedCharacterMessage(const TextRule& rule, char removed) {
    std::string line;
    std::string listed = rule.listed;
    if (removed == kFieldTerminator) listed += kFieldTerminator;
    for (char c : listed) {
        if (!line.empty()) line += ' ';
        line += c;
    }
    return "The following characters are not allowed:\n\n" + line;
}

std::string TextTooLongMessage(const TextRule& rule) {
    return "There is a limit of " + std::to_string(rule.limit) + " characters";
}
