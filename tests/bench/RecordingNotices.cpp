#include "tests/bench/RecordingNotices.h"

RecordingNotices::RecordingNotices() : previous_(SetNotices(this)) {}

RecordingNotices::~RecordingNotices() { SetNotices(previous_); }

int RecordingNotices::Show(HWND owner, const std::string& text, const std::string& title, UINT flags) {
    shown.push_back({owner, text, title, flags});
    if (!answers_.empty()) {
        int answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    UINT buttons = flags & MB_TYPEMASK;
    return (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? IDYES : IDOK;
}

void RecordingNotices::Beep(UINT type) { beeps.push_back(type); }

std::vector<std::string> RecordingNotices::Titles() const {
    std::vector<std::string> titles;
    for (const Notice& notice : shown) titles.push_back(notice.title);
    return titles;
}
