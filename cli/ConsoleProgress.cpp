#include "cli/ConsoleProgress.h"
#include <windows.h>
#include <string>

namespace {

class SilentSteps : public ProgressDisplay::Steps {
public:
    void Step() override {}
};

class LineSteps : public ProgressDisplay::Steps {
public:
    LineSteps(std::ostream& err, int steps, const char* text)
        : err_(err), steps_(steps), text_(text ? text : "") {
        Show();
    }
    ~LineSteps() override { err_ << "\n" << std::flush; }
    void Step() override {
        if (done_ < steps_) ++done_;
        Show();
    }

private:
    // One write a step: a console line is redrawn piece by piece otherwise.
    void Show() {
        err_ << "\r" + text_ + ": " + std::to_string(done_) + " of " + std::to_string(steps_)
             << std::flush;
    }

    std::ostream& err_;
    int steps_;
    int done_ = 0;
    std::string text_;
};

bool ErrorIsConsole() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != FALSE;
}

} // namespace

ConsoleProgress::ConsoleProgress(std::ostream& err, bool shown)
    : err_(err), console_(shown && ErrorIsConsole()), previous_(SetProgressDisplay(this)) {}

ConsoleProgress::~ConsoleProgress() { SetProgressDisplay(previous_); }

std::unique_ptr<ProgressDisplay::Steps> ConsoleProgress::Open(int steps, const char* text) {
    if (!console_) return std::make_unique<SilentSteps>();
    return std::make_unique<LineSteps>(err_, steps, text);
}
