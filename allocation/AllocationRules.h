#pragma once
// The text rules of allocation that need no Windows header: splitting a class list, telling a
// read INI value from a missing one, and which configuration modes mean the per-user layout.
#include <string>
#include <vector>

// What an INI read returns when the key is missing; never a class name.
inline const char* const kNoStringRead = "No string read";

// The mode before the class-management software has answered (or when it could not).
constexpr int kUnansweredMode = 99;

// Appends the non-empty pieces of `text` cut at any character of `separators`, unchanged (blanks
// stay). False when text or separators are empty, the text is over 10,000 characters (nothing is
// appended then), or there was no piece at all.
bool SplitList(const std::string& text, const std::string& separators,
               std::vector<std::string>& items);

// True when an INI read that copied `copied` characters gave a real value.
bool IsIniValue(unsigned long copied, const std::string& text);

// Modes 8, 9 and 99 configure the scheme in each user's own settings.
bool IsPerUserMode(int mode);
