// GetTickCount64 for the posix-threads runtime of the 32-bit program.
//
// The runtime that std::thread and std::mutex use imports GetTickCount64,
// which Windows XP lacks: the loader would refuse to start the program there.
// This file fills the runtime's import slot itself, so that the program's
// import table does not name the function: the system's own where it has
// one, else the 32-bit count widened to 64 bits.
#include <atomic>

#include <windows.h>

namespace {

using TickCountFunction = ULONGLONG(WINAPI*)();

// The system's function or the fallback, found at the first call. Plain
// atomics, not function-local statics: their guards would call back into the
// threads runtime that calls this.
std::atomic<TickCountFunction> chosen{nullptr};
// The widened count last returned.
std::atomic<ULONGLONG> widened{0};

ULONGLONG WINAPI WidenedTickCount() {
    ULONGLONG last = widened.load();
    for (;;) {
        // The 32-bit count wraps every 49.7 days: a value below the last one
        // seen means it has wrapped since.
        const DWORD now = GetTickCount();
        ULONGLONG next = (last & ~0xFFFFFFFFULL) | now;
        if (now < static_cast<DWORD>(last))
            next += 0x100000000ULL;
        if (widened.compare_exchange_weak(last, next))
            return next;
    }
}

ULONGLONG WINAPI TickCount64() {
    TickCountFunction function = chosen.load();
    if (function == nullptr) {
        function = reinterpret_cast<TickCountFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
        if (function == nullptr)
            function = WidenedTickCount;
        chosen.store(function);
    }
    return function();
}

} // namespace

// The import slot the runtime calls through, by the linker's name for it.
extern "C" {
TickCountFunction kvnGetTickCount64Slot __asm__("__imp__GetTickCount64@0") = TickCount64;
}
