#pragma once
// AllocationProbe: what a piece of code asks of the memory allocators while the probe lives. It
// measures two ways, because Wine's process counters (GetProcessMemoryInfo's private and page-file
// bytes, the peak virtual size) do not move when memory is committed and not yet touched:
// - the private committed bytes of the process, summed over its address space, before and after;
// - the largest single request made through GlobalAlloc, LocalAlloc, HeapAlloc, VirtualAlloc,
//   malloc, calloc, realloc (and their re-allocating forms and the ntdll functions behind them),
//   seen by rerouting those imports of the test program and of the DLLs named, for the probe's life.
// One probe at a time; the imports are put back by the destructor.
#include <windows.h>
#include <cstddef>
#include <cstdint>

class AllocationProbe {
public:
    // `modules`: further loaded DLLs (by name, e.g. "windowscodecs.dll") whose requests count too.
    explicit AllocationProbe(const char* const* modules = nullptr, size_t moduleCount = 0);
    ~AllocationProbe();
    AllocationProbe(const AllocationProbe&) = delete;
    AllocationProbe& operator=(const AllocationProbe&) = delete;

    // The largest single request seen so far, in bytes.
    uint64_t LargestRequest() const;
    // Whether any import was rerouted at all (false means LargestRequest can tell nothing).
    bool Hooked() const { return m_hooked > 0; }
    // Private committed bytes now less those when the probe was made (negative when fewer).
    int64_t PrivateGrowth() const;

    // Private committed bytes of the process, by walking its address space.
    static uint64_t PrivateCommittedBytes();

private:
    void HookModule(HMODULE module);

    int m_hooked = 0;
    uint64_t m_privateBefore = 0;
};
