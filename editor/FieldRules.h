#pragma once
// The rules of the Root Properties and Web Links fields, over the editor's text rules, and the
// check of a web link's address when OK is pressed. No Windows header.
#include <string>
#include <vector>
#include "editor/TextRules.h"

// Display names of roots and links, and the paths of roots (a path keeps "\" and ":").
inline constexpr TextRule kRootNameRule{"<>?\\/*\"|:", "<>?\\/*\"|:", 50};
inline constexpr TextRule kRootPathRule{"<>?/*\"|", "<>?/*\"|", 255};
inline constexpr TextRule kLinkNameRule{"<>?\\/*\"|:", "<>?/\\:*\"|", 50};
inline constexpr TextRule kLinkUrlRule{"<>\\ *\"|", "<>\\ *\"|", 255};
inline constexpr TextRule kLongToolTipRule{"", "", 100};
inline constexpr TextRule kShortToolTipRule{"", "", 50};

// Every pass that a change of the text needs, in order, until the text passes; empty when it
// passes at once. Run as a loop, not one nested change per pass, so a long paste cannot
// exhaust the stack.
std::vector<TextCheck> CheckAllPasses(const std::string& text, const TextRule& rule);

// A web link's address at OK. A percent sign is allowed (it starts an escape).
enum class UrlProblem { kNone, kInvalidCharacter, kSpace };
UrlProblem CheckUrl(const std::string& url);
inline const char* const kInvalidUrlTitle = "Invalid characters in URL";
inline const char* const kInvalidUrlText = "Invalid characters have been found in the URL\n\r\n\rPlease do not use the "
                                           "characters:\n\r{}|\\^~[]'<>\"#%@!";
inline const char* const kUrlSpaceText = "A space has been found in the URL\n\rPlease re-enter URL and try again.";
