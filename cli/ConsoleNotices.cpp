#include "cli/ConsoleNotices.h"

namespace {

// A box's lines as one line a log keeps.
std::string OneLine(const std::string& text) {
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            if (!line.empty() && line.back() != ' ') line += ' ';
        } else {
            line += c;
        }
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

int SafeAnswer(UINT flags) {
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_RETRYCANCEL:
    case MB_YESNOCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    default:
        return IDOK;
    }
}

} // namespace

ConsoleNotices::ConsoleNotices(std::ostream& err) : err_(err), previous_(SetNotices(this)) {}

ConsoleNotices::~ConsoleNotices() {
    PrintPending();
    SetNotices(previous_);
}

int ConsoleNotices::Show(HWND, const std::string& text, const std::string& title, UINT flags) {
    if (firstTitle_.empty()) firstTitle_ = title;
    err_ << "vlsm: " << title << ": " << OneLine(text) << "\n";
    PrintPending();
    return SafeAnswer(flags);
}

// The detail comes before its box; it is printed after the box's own line.
void ConsoleNotices::Explain(const std::string& detail) {
    PrintPending();
    pending_ = detail;
}

void ConsoleNotices::PrintPending() {
    if (!pending_.empty()) err_ << "vlsm: " << pending_ << "\n";
    err_.flush();
    pending_.clear();
}
