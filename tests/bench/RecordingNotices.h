#pragma once
// Records every message box and beep instead of showing it, and answers from a script.
#include <deque>
#include <mutex>
#include <string>
#include <vector>
#include "framework/Notices.h"

struct Notice {
    HWND owner;
    std::string text;
    std::string title;
    UINT flags;
};

class RecordingNotices : public Notices {
public:
    RecordingNotices();  // installs itself
    ~RecordingNotices() override; // puts the previous notices back

    int Show(HWND owner, const std::string& text, const std::string& title, UINT flags) override;
    void Beep(UINT type) override;

    // Answers for the next boxes, in order; when none is left a box answers IDOK (or IDYES).
    void Answer(int result) { answers_.push_back(result); }

    std::vector<Notice> shown;
    std::vector<UINT> beeps;

    // Titles of the boxes shown, in order.
    std::vector<std::string> Titles() const;

private:
    std::deque<int> answers_;
    Notices* previous_;
};
