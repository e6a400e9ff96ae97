#pragma once
// The platform pieces that start-up needs and that a test must be able to steer.
#include <windows.h>
#include <string>
#include <vector>

// The executable names of the running processes that this user may query.
class ProcessSource {
public:
    virtual ~ProcessSource() = default;
    virtual std::vector<std::string> QueryableExeNames() = 0;
};

// Finding another copy's main window by its title, and restoring it.
class WindowFinder {
public:
    virtual ~WindowFinder() = default;
    virtual HWND FindTopLevel(const std::string& title) = 0;
    virtual void Restore(HWND window) = 0;
};

ProcessSource& SystemProcessSource();
WindowFinder& SystemWindowFinder();

// Ends the program at once. A test installs a handler of its own to see the exit.
void ExitProgram(int code);
using ExitHandler = void (*)(int code);
ExitHandler SetExitHandler(ExitHandler handler);
