#pragma once
// The machine-wide turn of a writer of the schemes. The program's commands that write (Load,
// Create, Edit, Delete, allocation) and the command-line tool's import each hold it while they
// write, so two writers on one machine never interleave: the registry ends in the state of one
// of them. A writer that cannot get its turn in time is told so and writes nothing.
#include <windows.h>

class WriterLock {
public:
    // Waits up to `waitMs` for the turn. When another writer keeps it that long (or the lock
    // cannot be made at all), shows "Schemes Busy" to `owner` (unless `quiet`) and holds nothing.
    explicit WriterLock(HWND owner, DWORD waitMs = DefaultWait(), bool quiet = false);
    ~WriterLock();
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    bool Held() const { return held_; }

    // How long a writer waits when not told otherwise: 30 s unless changed.
    static DWORD DefaultWait();
    static void SetDefaultWait(DWORD waitMs);

private:
    HANDLE mutex_ = nullptr;
    bool held_ = false;
};
