#pragma once
// The tool's progress of a save or load: one line on standard error, rewritten in place, only
// when standard error is a console; redirected to a file or a pipe it prints nothing.
#include <ostream>
#include "hive/ProgressDisplay.h"

class ConsoleProgress : public ProgressDisplay {
public:
    // Installs itself; with `shown` clear it prints nothing anywhere.
    ConsoleProgress(std::ostream& err, bool shown);
    ~ConsoleProgress() override; // puts the previous display back
    ConsoleProgress(const ConsoleProgress&) = delete;
    ConsoleProgress& operator=(const ConsoleProgress&) = delete;

    std::unique_ptr<Steps> Open(int steps, const char* text) override;

private:
    std::ostream& err_;
    bool console_;
    ProgressDisplay* previous_;
};
