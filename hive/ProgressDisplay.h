#pragma once
// The seam for what a save or a load of every scheme shows while it runs. The program shows
// Ketterel's progress dialog (hive/ProgressDialog.h); the command-line tool shows a line on its
// console, or nothing.
#include <memory>

class ProgressDisplay {
public:
    // One running operation: steps the display once per call; closes it when destroyed.
    class Steps {
    public:
        virtual ~Steps() = default;
        virtual void Step() = 0;
    };

    virtual ~ProgressDisplay() = default;
    // Shows `text` for an operation of `steps` steps that cannot be cancelled.
    virtual std::unique_ptr<Steps> Open(int steps, const char* text) = 0;
};

// The display in force: none (nothing is shown) unless one was installed.
ProgressDisplay& CurrentProgressDisplay();
// Installs `display` (nullptr shows nothing again); returns the previous one.
ProgressDisplay* SetProgressDisplay(ProgressDisplay* display);
