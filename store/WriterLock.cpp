#include "store/WriterLock.h"
#include <sddl.h>
#include <utility>
#include "framework/Notices.h"

namespace {

// In the Global namespace, so that a start-up script running as SYSTEM and an administrator's
// program in another session share it.
std::string g_lockName = "Global\\Orrinford.VexarLumen.SchemeWriter";
// Full rights for SYSTEM and administrators; anyone else may take a turn (their registry writes
// are refused by the registry itself, with the program's own messages).
const char* const kLockAccess = "D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x100001;;;AU)";

DWORD g_defaultWait = 30 * 1000;

// A writer that ended without letting go leaves the turn abandoned: it is ours now.
bool Taken(DWORD waited) { return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED; }

class PlainWait : public TurnWaiter {
public:
    Outcome Wait(HWND, HANDLE turn, DWORD waitMs) override {
        return Taken(WaitForSingleObject(turn, waitMs)) ? kTaken : kTimedOut;
    }
};

PlainWait g_plainWait;
TurnWaiter* g_waiter = nullptr;

HANDLE MakeLock() {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), nullptr, FALSE};
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(kLockAccess, SDDL_REVISION_1,
                                                             &descriptor, nullptr))
        attributes.lpSecurityDescriptor = descriptor;
    HANDLE mutex = CreateMutexA(&attributes, FALSE, g_lockName.c_str());
    // Made by a writer with other rights: open it for what taking a turn needs.
    if (!mutex) mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, g_lockName.c_str());
    if (descriptor) LocalFree(descriptor);
    return mutex;
}

} // namespace

TurnWaiter& CurrentTurnWaiter() { return g_waiter ? *g_waiter : g_plainWait; }

TurnWaiter* SetTurnWaiter(TurnWaiter* waiter) {
    TurnWaiter* previous = g_waiter;
    g_waiter = waiter;
    return previous;
}

WriterLock::WriterLock(HWND owner, DWORD waitMs, bool quiet) : mutex_(MakeLock()) {
    TurnWaiter::Outcome outcome = TurnWaiter::kTimedOut;
    if (mutex_ && Taken(WaitForSingleObject(mutex_, 0)))
        outcome = TurnWaiter::kTaken;
    else if (mutex_ && waitMs > 0)
        outcome = CurrentTurnWaiter().Wait(owner, mutex_, waitMs);
    held_ = outcome == TurnWaiter::kTaken;
    if (outcome == TurnWaiter::kTimedOut && !quiet)
        Warn(owner,
             "Another program is changing the schemes on this computer at the moment.\n\nNothing "
             "has been changed. Please try again when it has finished.",
             "Schemes Busy");
}

WriterLock::~WriterLock() {
    if (held_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
}

DWORD WriterLock::DefaultWait() { return g_defaultWait; }

void WriterLock::SetDefaultWait(DWORD waitMs) { g_defaultWait = waitMs; }

std::string WriterLock::SetName(std::string name) {
    std::swap(name, g_lockName);
    return name;
}
