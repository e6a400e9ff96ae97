#include "editor/FieldRules.h"

std::vector<TextCheck> CheckAllPasses(const std::string& text, const TextRule& rule) {
    std::vector<TextCheck> passes;
    for (TextCheck pass = CheckTypedText(text, rule); pass.outcome != TextCheck::Outcome::kFine;
         pass = CheckTypedText(pass.text, rule)) {
        passes.push_back(pass);
    }
    return passes;
}

UrlProblem CheckUrl(const std::string& url) {
    if (url.find_first_of("{}|\\^~[]'<>\"#@!") != std::string::npos) return UrlProblem::kInvalidCharacter;
    if (url.find(' ') != std::string::npos) return UrlProblem::kSpace;
    return UrlProblem::kNone;
}
