#include "allocation/AllocationRules.h"

namespace {
constexpr size_t kLongestList = 10000;
} // namespace

bool SplitList(const std::string& text, const std::string& separators,
               std::vector<std::string>& items) {
    if (text.empty() || separators.empty()) return false;
    if (text.size() > kLongestList) return false;
    bool any = false;
    size_t start = text.find_first_not_of(separators);
    while (start != std::string::npos) {
        size_t end = text.find_first_of(separators, start);
        items.push_back(
            text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        any = true;
        start = end == std::string::npos ? end : text.find_first_not_of(separators, end);
    }
    return any;
}

bool IsIniValue(unsigned long copied, const std::string& text) {
    return copied > 0 && !text.empty() && text != kNoStringRead;
}

bool IsPerUserMode(int mode) { return mode == 8 || mode == 9 || mode == kUnansweredMode; }
