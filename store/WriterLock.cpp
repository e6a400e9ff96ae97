#include "store/WriterLock.h"
#include <sddl.h>
#include <utility>
#include "framework/Notices.h"

namespace {

// Only administrators and SYSTEM write the schemes, so only they take part in the lock: its
// namespace is bounded by the Administrators group, so that no one else can make it first and
// hold it, and the lock itself grants no one else any right.
const wchar_t* const kNamespace = L"Orrinford.VexarLumen";
const wchar_t* const kLockName = L"Orrinford.VexarLumen\\SchemeWriter";
const char* const kLockAccess = "D:(A;;GA;;;SY)(A;;GA;;;BA)";
// Where the system has no private namespaces (Wine, which has no separate accounts either): a
// name of the Global namespace that no earlier version of the program used.
std::string g_plainLockName = "Global\\Orrinford.VexarLumen.SchemeWriter.Administrators";
// A test's own lock (see SetName) is always a plain one.
bool g_nameChanged = false;
// While another writer is between making the namespace and letting it go, it may be neither
// made nor opened for a moment.
constexpr DWORD kRetryMs = 50;

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

// The namespace calls, looked up at run time: a system without them still runs the program.
struct NamespaceCalls {
    using CreateBoundary = HANDLE(WINAPI*)(LPCWSTR, ULONG);
    using AddSid = BOOL(WINAPI*)(HANDLE*, PSID);
    using DeleteBoundary = VOID(WINAPI*)(HANDLE);
    using CreateNamespace = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LPVOID, LPCWSTR);
    using OpenNamespace = HANDLE(WINAPI*)(LPVOID, LPCWSTR);
    using CloseNamespace = BOOLEAN(WINAPI*)(HANDLE, ULONG);

    NamespaceCalls() {
        const HMODULE kernel = GetModuleHandleA("kernel32.dll");
        if (!kernel) return;
        createBoundary = reinterpret_cast<CreateBoundary>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "CreateBoundaryDescriptorW")));
        addSid = reinterpret_cast<AddSid>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "AddSIDToBoundaryDescriptor")));
        deleteBoundary = reinterpret_cast<DeleteBoundary>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "DeleteBoundaryDescriptor")));
        createNamespace = reinterpret_cast<CreateNamespace>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "CreatePrivateNamespaceW")));
        openNamespace = reinterpret_cast<OpenNamespace>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "OpenPrivateNamespaceW")));
        closeNamespace = reinterpret_cast<CloseNamespace>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "ClosePrivateNamespace")));
    }
    bool Present() const {
        return createBoundary && addSid && deleteBoundary && createNamespace && openNamespace &&
               closeNamespace;
    }

    CreateBoundary createBoundary = nullptr;
    AddSid addSid = nullptr;
    DeleteBoundary deleteBoundary = nullptr;
    CreateNamespace createNamespace = nullptr;
    OpenNamespace openNamespace = nullptr;
    CloseNamespace closeNamespace = nullptr;
};

const NamespaceCalls& Calls() {
    static const NamespaceCalls calls;
    return calls;
}

// The security of the namespace and of the lock, freed with the object.
class LockAccess {
public:
    LockAccess() {
        if (ConvertStringSecurityDescriptorToSecurityDescriptorA(kLockAccess, SDDL_REVISION_1,
                                                                 &descriptor_, nullptr))
            attributes_.lpSecurityDescriptor = descriptor_;
    }
    ~LockAccess() {
        if (descriptor_) LocalFree(descriptor_);
    }
    LockAccess(const LockAccess&) = delete;
    LockAccess& operator=(const LockAccess&) = delete;
    SECURITY_ATTRIBUTES* Attributes() { return descriptor_ ? &attributes_ : nullptr; }

private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    SECURITY_ATTRIBUTES attributes_{sizeof(SECURITY_ATTRIBUTES), nullptr, FALSE};
};

// A boundary descriptor holding the Administrators group; null where the system cannot make one.
HANDLE MakeBoundary() {
    const NamespaceCalls& calls = Calls();
    if (g_nameChanged || !calls.Present()) return nullptr;
    HANDLE boundary = calls.createBoundary(kNamespace, 0);
    if (!boundary) return nullptr;
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof administrators;
    if (!CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &size) ||
        !calls.addSid(&boundary, administrators)) {
        calls.deleteBoundary(boundary);
        return nullptr;
    }
    return boundary;
}

} // namespace

TurnWaiter& CurrentTurnWaiter() { return g_waiter ? *g_waiter : g_plainWait; }

TurnWaiter* SetTurnWaiter(TurnWaiter* waiter) {
    TurnWaiter* previous = g_waiter;
    g_waiter = waiter;
    return previous;
}

WriterLock::WriterLock(HWND owner, DWORD waitMs, bool quiet) {
    const DWORD start = GetTickCount();
    LockAccess access;
    HANDLE boundary = MakeBoundary();
    if (boundary) {
        // Made by the first writer, opened by the others; one that is neither within the
        // boundary nor an administrator cannot write the schemes and goes on without a turn.
        DWORD error = ERROR_SUCCESS;
        for (;;) {
            namespace_ = Calls().createNamespace(access.Attributes(), boundary, kNamespace);
            error = namespace_ ? ERROR_SUCCESS : GetLastError();
            if (error == ERROR_ALREADY_EXISTS) {
                namespace_ = Calls().openNamespace(boundary, kNamespace);
                error = namespace_ ? ERROR_SUCCESS : GetLastError();
            }
            if (namespace_ || error == ERROR_ACCESS_DENIED || GetTickCount() - start >= waitMs)
                break;
            Sleep(kRetryMs);
        }
        Calls().deleteBoundary(boundary);
        if (error == ERROR_ACCESS_DENIED) {
            held_ = true;
            return;
        }
        if (namespace_) mutex_ = CreateMutexW(access.Attributes(), FALSE, kLockName);
    } else {
        mutex_ = CreateMutexA(access.Attributes(), FALSE, g_plainLockName.c_str());
    }
    TurnWaiter::Outcome outcome = TurnWaiter::kTimedOut;
    if (mutex_ && Taken(WaitForSingleObject(mutex_, 0))) {
        outcome = TurnWaiter::kTaken;
    } else if (mutex_) {
        const DWORD spent = GetTickCount() - start;
        if (spent < waitMs) outcome = CurrentTurnWaiter().Wait(owner, mutex_, waitMs - spent);
    }
    held_ = locked_ = outcome == TurnWaiter::kTaken;
    if (outcome == TurnWaiter::kTimedOut && !quiet)
        Warn(owner,
             "Another program is changing the schemes on this computer at the moment.\n\nNothing "
             "has been changed. Please try again when it has finished.",
             "Schemes Busy");
}

WriterLock::~WriterLock() {
    if (locked_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
    if (namespace_) Calls().closeNamespace(namespace_, 0);
}

DWORD WriterLock::DefaultWait() { return g_defaultWait; }

void WriterLock::SetDefaultWait(DWORD waitMs) { g_defaultWait = waitMs; }

std::string WriterLock::SetName(std::string name) {
    std::swap(name, g_plainLockName);
    g_nameChanged = true;
    return name;
}
