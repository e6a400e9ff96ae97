#pragma once
// The machine-wide turn of a writer of the schemes. The program's commands that write (Load,
// Create, Edit, Delete, allocation) and the command-line tool's import each hold it while they
// write, so two writers on one machine never interleave: the registry ends in the state of one
// of them. A read of whole schemes (a save, the scheme a sheet opens on) holds it too, briefly,
// so that it never sees half of a write. A writer that cannot get its turn in time is told so and
// writes nothing.
#include <windows.h>
#include <string>

// How a writer waits while another has the turn. The console tool waits plainly; the program
// shows a window that can be cancelled, so that its own windows do not freeze meanwhile.
class TurnWaiter {
public:
    enum Outcome { kTaken, kTimedOut, kCancelled };
    virtual ~TurnWaiter() = default;
    // Waits up to `waitMs` for `turn`, a mutex that the calling thread holds once it is taken.
    virtual Outcome Wait(HWND owner, HANDLE turn, DWORD waitMs) = 0;
};

// The waiter in force: a plain wait unless one was installed.
TurnWaiter& CurrentTurnWaiter();
// Installs `waiter` (nullptr: the plain wait again); returns the one installed before.
TurnWaiter* SetTurnWaiter(TurnWaiter* waiter);

class WriterLock {
public:
    // Takes the turn at once when it is free; else waits up to `waitMs` through the waiter in
    // force. When another writer keeps it that long (or the lock cannot be made at all), shows
    // "Schemes Busy" to `owner` (unless `quiet`) and holds nothing; a wait cancelled by the user
    // holds nothing and shows nothing more. Administrators and SYSTEM alone take part: anyone
    // else, who cannot write the schemes, is let through at once without a turn, and can neither
    // make nor hold the lock.
    explicit WriterLock(HWND owner, DWORD waitMs = DefaultWait(), bool quiet = false);
    ~WriterLock();
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    bool Held() const { return held_; }

    // How long a writer waits when not told otherwise: 30 s unless changed.
    static DWORD DefaultWait();
    static void SetDefaultWait(DWORD waitMs);
    // The lock is machine-wide; a test that stands a registry of its own in for the machine's
    // gives it a lock of its own too (a plain name, outside the administrators' namespace).
    // Returns the name in force before.
    static std::string SetName(std::string name);

private:
    HANDLE namespace_ = nullptr;
    HANDLE mutex_ = nullptr;
    bool held_ = false;   // the caller may write
    bool locked_ = false; // and holds the mutex for it
};
