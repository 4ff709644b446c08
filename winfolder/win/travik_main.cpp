// travik.dll: reads the program path of another process from inside it. A
// message hook on the window's thread loads this library there; the hook
// writes the path into a section every loaded copy shares.
#include <windows.h>

#include <cstdint>

#include "base/win/handle.h"
#include "winfolder/module_path_copy.h"
#include "winfolder/win/travik.h"

namespace {
constexpr const char* EventName = "TRAVIK_EVENT";
// The slot and the event are one for the whole desktop: a second caller
// waits here for the first, so neither reads the other's path.
constexpr const char* CallMutexName = "TRAVIK_MUTEX";
constexpr DWORD AnswerTimeoutMs = 5000;
constexpr DWORD TurnTimeoutMs = 30000;

struct SharedSlot {
    char path[MAX_PATH];
    std::uint32_t hook;  // user handles keep their value in 32 bits
};
static_assert(sizeof(SharedSlot) == 264);

// Initialised, so it stays in its own section rather than going to .bss;
// aligned by hand, else the compiler rounds the array up to 32 bytes and the
// section grows past its 264.
__attribute__((section(".shared"), shared, aligned(4))) SharedSlot shared = {{'\0'}, 0};

HINSTANCE thisLibrary = nullptr;

HHOOK sharedHook() {
    return static_cast<HHOOK>(LongToHandle(static_cast<LONG>(shared.hook)));
}

LRESULT CALLBACK onMessageRetrieved(int code, WPARAM wp, LPARAM lp) {
    const auto* message = reinterpret_cast<const MSG*>(lp);
    if (code < 0 || message->message != WM_NULL) return CallNextHookEx(nullptr, code, wp, lp);
    // A cut path would name another file: empty instead.
    const DWORD length = GetModuleFileNameA(nullptr, shared.path, sizeof shared.path);
    if (length == 0 || length >= sizeof shared.path) shared.path[0] = '\0';
    // Off before the caller wakes: once awake, the next caller may store its
    // own hook in the slot, and this one would remove that instead.
    UnhookWindowsHookEx(sharedHook());
    if (UniqueHandle event{OpenEventA(EVENT_MODIFY_STATE, FALSE, EventName)}) SetEvent(event.get());
    return 0;
}

class HookGuard {
public:
    explicit HookGuard(HHOOK hook) : hook_(hook) {}
    ~HookGuard() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    HookGuard(const HookGuard&) = delete;
    HookGuard& operator=(const HookGuard&) = delete;
    explicit operator bool() const { return hook_ != nullptr; }
    HHOOK get() const { return hook_; }

private:
    HHOOK hook_;
};

class MutexTurn {
public:
    explicit MutexTurn(const char* name) : mutex_(CreateMutexA(nullptr, FALSE, name)) {
        if (!mutex_) return;
        const DWORD waited = WaitForSingleObject(mutex_.get(), TurnTimeoutMs);
        held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    }
    ~MutexTurn() {
        if (held_) ReleaseMutex(mutex_.get());
    }
    MutexTurn(const MutexTurn&) = delete;
    MutexTurn& operator=(const MutexTurn&) = delete;
    explicit operator bool() const { return held_; }

private:
    UniqueHandle mutex_;
    bool held_ = false;
};
}  // namespace

extern "C" int __cdecl GetModulePathFromHwnd(HWND hwnd, char* buffer, unsigned int size) {
    MutexTurn turn(CallMutexName);
    if (!turn) return 0;
    // No window, no thread: a hook for thread 0 would hook the whole desktop.
    const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    if (thread == 0) return 0;
    shared.path[0] = '\0';
    UniqueHandle event{CreateEventA(nullptr, FALSE, FALSE, EventName)};
    if (!event) return 0;
    {
        // Removed here whether or not the hook already removed itself.
        HookGuard hook(SetWindowsHookExA(WH_GETMESSAGE, onMessageRetrieved, thisLibrary, thread));
        if (!hook) return 0;
        shared.hook = static_cast<std::uint32_t>(HandleToLong(hook.get()));
        PostMessageA(hwnd, WM_NULL, 0, 0);
        WaitForSingleObject(event.get(), AnswerTimeoutMs);
    }
    return copyModulePath(shared.path, buffer, size) ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) thisLibrary = instance;
    return TRUE;
}
