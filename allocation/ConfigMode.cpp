#include "allocation/ConfigMode.h"
#include <objbase.h>

#if !defined(__i386__) && !defined(__x86_64__)
#error "The guard below knows the exception frames of i386 and x86-64 only."
#endif

const CLSID kConfigComponentClsid = {
    0xBCDFF516, 0x1044, 0x4701, {0xB8, 0xF2, 0x88, 0xFC, 0x70, 0x09, 0xE5, 0x3C}};
const IID kConfigComponentIid = {
    0x60F0D9AA, 0x05E4, 0x4A29, {0xB2, 0x9C, 0xB1, 0xDC, 0x30, 0xF5, 0x5A, 0x5F}};

namespace {
// Positions in the interface's table of methods, the three of IUnknown counting from 0.
constexpr int kPrepareMethod = 14;
constexpr int kReadModeMethod = 10;
constexpr DWORD kFaultExitCode = 0xFA17;

using PrepareMethod = HRESULT(STDMETHODCALLTYPE*)(IUnknown*);
using ReadModeMethod = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, LONG*);

using Outcome = ComConfigModeSource::Outcome;

// Shared with the worker; the worker never frees it, so that a worker still running after a
// timeout cannot write into freed memory.
struct Query {
    CLSID clsid;
    LONG mode;
    Outcome outcome;
};

Outcome AskComponent(Query& query) {
    if (FAILED(CoInitialize(nullptr))) return Outcome::NotCreated;
    Outcome outcome = Outcome::NotCreated;
    IUnknown* component = nullptr;
    HRESULT created = CoCreateInstance(query.clsid, nullptr, CLSCTX_ALL, kConfigComponentIid,
                                       reinterpret_cast<void**>(&component));
    if (SUCCEEDED(created) && component) {
        void** methods = *reinterpret_cast<void***>(component);
        auto prepare = reinterpret_cast<PrepareMethod>(methods[kPrepareMethod]);
        auto readMode = reinterpret_cast<ReadModeMethod>(methods[kReadModeMethod]);
        outcome = Outcome::Refused;
        if (SUCCEEDED(prepare(component))) {
            LONG mode = query.mode;
            readMode(component, &mode); // its result is not a verdict on the mode
            query.mode = mode;
            outcome = Outcome::Answered;
        }
        component->Release();
    }
    CoUninitialize();
    return outcome;
}

void Ask(void* parameter) {
    Query& query = *static_cast<Query*>(parameter);
    query.outcome = AskComponent(query);
}
} // namespace

// The guard is the outermost frame of the worker, so the component's own handlers see its
// exceptions first; only what it leaves unhandled reaches us. Ours then runs the component's
// unwind handlers, drops its frames and ends the worker from a stack position of our own.
extern "C" {
__attribute__((used)) static void GuardLeave() { ExitThread(kFaultExitCode); }

#if defined(__i386__)
// An exception registration record, chained through %fs:0.
struct GuardFrame {
    GuardFrame* next;
    void* handler;
};

static EXCEPTION_DISPOSITION __cdecl GuardHandler(EXCEPTION_RECORD* record, void* frame,
                                                  CONTEXT* context, void* /*dispatcher*/) {
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    RtlUnwind(frame, nullptr, record, nullptr);
    context->Esp = (reinterpret_cast<DWORD>(frame) - 64) & ~DWORD(15);
    context->Eip = reinterpret_cast<DWORD>(&GuardLeave);
    return ExceptionContinueExecution;
}

static void GuardedCall(void (*body)(void*), void* parameter) {
    GuardFrame guard = {nullptr, reinterpret_cast<void*>(&GuardHandler)};
    asm volatile("movl %%fs:0, %0" : "=r"(guard.next));
    asm volatile("movl %0, %%fs:0" : : "r"(&guard) : "memory");
    body(parameter);
    asm volatile("movl %0, %%fs:0" : : "r"(guard.next) : "memory");
}
#else
// No frame chain here: a function's handler is named in its unwind data. GuardedCall (below, in
// assembly) calls body(parameter) under GuardHandler; RtlUnwindEx resumes at GuardLanding with
// GuardedCall's own stack pointer: 16-byte aligned, shadow space included.
void GuardedCall(void (*body)(void*), void* parameter);
void GuardLanding();

static __attribute__((used)) EXCEPTION_DISPOSITION GuardHandler(EXCEPTION_RECORD* record,
                                                                void* frame, CONTEXT* context,
                                                                DISPATCHER_CONTEXT* dispatcher) {
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    RtlUnwindEx(frame, reinterpret_cast<void*>(&GuardLanding), record, nullptr, context,
                dispatcher->HistoryTable);
    return ExceptionContinueSearch; // not reached
}

asm(R"(
    .text
    .def GuardedCall; .scl 3; .type 32; .endef
GuardedCall:
    .seh_proc GuardedCall
    .seh_handler GuardHandler, @except
    subq $40, %rsp
    .seh_stackalloc 40
    .seh_endprologue
    movq %rcx, %rax
    movq %rdx, %rcx
    callq *%rax
    nop
    addq $40, %rsp
    ret
GuardLanding:
    callq GuardLeave
    int3
    .seh_endproc
)");
#endif
}

namespace {
DWORD WINAPI QueryThread(void* parameter) {
    GuardedCall(&Ask, parameter);
    return 0;
}
} // namespace

void ComConfigModeSource::Query(int& mode) {
    auto* query = new ::Query{clsid_, mode, Outcome::Faulted};
    HANDLE worker = CreateThread(nullptr, 0, QueryThread, query, 0, nullptr);
    if (!worker) {
        delete query;
        outcome_ = Outcome::NotCreated;
        return;
    }
    if (WaitForSingleObject(worker, timeoutMs_) != WAIT_OBJECT_0) {
        // The component hangs; the worker keeps its query, which is left to it.
        CloseHandle(worker);
        outcome_ = Outcome::TimedOut;
        return;
    }
    DWORD exitCode = kFaultExitCode;
    GetExitCodeThread(worker, &exitCode);
    CloseHandle(worker);
    outcome_ = exitCode == 0 ? query->outcome : Outcome::Faulted;
    if (outcome_ == Outcome::Answered) mode = static_cast<int>(query->mode);
    delete query;
}

ConfigModeSource& SystemConfigModeSource() {
    static ComConfigModeSource source;
    return source;
}
