#include "testsupport/allocationprobe.h"

#include <atomic>
#include <cstring>
#include <vector>

namespace {

std::atomic<uint64_t> g_largest{0};

void Note(uint64_t bytes)
{
    uint64_t seen = g_largest.load();
    while (bytes > seen && !g_largest.compare_exchange_weak(seen, bytes)) {
    }
}

// The original of every rerouted function, kept when it is first met.
struct Originals {
    void* globalAlloc = nullptr;
    void* globalReAlloc = nullptr;
    void* localAlloc = nullptr;
    void* localReAlloc = nullptr;
    void* heapAlloc = nullptr;
    void* heapReAlloc = nullptr;
    void* rtlAllocateHeap = nullptr;
    void* rtlReAllocateHeap = nullptr;
    void* virtualAlloc = nullptr;
    void* ntAllocateVirtualMemory = nullptr;
    void* malloc = nullptr;
    void* calloc = nullptr;
    void* realloc = nullptr;
} g_original;

using GlobalAllocFn = HGLOBAL(WINAPI*)(UINT, SIZE_T);
using GlobalReAllocFn = HGLOBAL(WINAPI*)(HGLOBAL, SIZE_T, UINT);
using LocalAllocFn = HLOCAL(WINAPI*)(UINT, SIZE_T);
using LocalReAllocFn = HLOCAL(WINAPI*)(HLOCAL, SIZE_T, UINT);
using HeapAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, SIZE_T);
using HeapReAllocFn = LPVOID(WINAPI*)(HANDLE, DWORD, LPVOID, SIZE_T);
using VirtualAllocFn = LPVOID(WINAPI*)(LPVOID, SIZE_T, DWORD, DWORD);
using NtAllocateVirtualMemoryFn = LONG(WINAPI*)(HANDLE, PVOID*, ULONG_PTR, SIZE_T*, ULONG, ULONG);
using MallocFn = void*(__cdecl*)(size_t);
using CallocFn = void*(__cdecl*)(size_t, size_t);
using ReallocFn = void*(__cdecl*)(void*, size_t);

HGLOBAL WINAPI ProbeGlobalAlloc(UINT flags, SIZE_T bytes)
{
    Note(bytes);
    return reinterpret_cast<GlobalAllocFn>(g_original.globalAlloc)(flags, bytes);
}
HGLOBAL WINAPI ProbeGlobalReAlloc(HGLOBAL h, SIZE_T bytes, UINT flags)
{
    Note(bytes);
    return reinterpret_cast<GlobalReAllocFn>(g_original.globalReAlloc)(h, bytes, flags);
}
HLOCAL WINAPI ProbeLocalAlloc(UINT flags, SIZE_T bytes)
{
    Note(bytes);
    return reinterpret_cast<LocalAllocFn>(g_original.localAlloc)(flags, bytes);
}
HLOCAL WINAPI ProbeLocalReAlloc(HLOCAL h, SIZE_T bytes, UINT flags)
{
    Note(bytes);
    return reinterpret_cast<LocalReAllocFn>(g_original.localReAlloc)(h, bytes, flags);
}
LPVOID WINAPI ProbeHeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes)
{
    Note(bytes);
    return reinterpret_cast<HeapAllocFn>(g_original.heapAlloc)(heap, flags, bytes);
}
LPVOID WINAPI ProbeHeapReAlloc(HANDLE heap, DWORD flags, LPVOID p, SIZE_T bytes)
{
    Note(bytes);
    return reinterpret_cast<HeapReAllocFn>(g_original.heapReAlloc)(heap, flags, p, bytes);
}
LPVOID WINAPI ProbeRtlAllocateHeap(HANDLE heap, DWORD flags, SIZE_T bytes)
{
    Note(bytes);
    return reinterpret_cast<HeapAllocFn>(g_original.rtlAllocateHeap)(heap, flags, bytes);
}
LPVOID WINAPI ProbeRtlReAllocateHeap(HANDLE heap, DWORD flags, LPVOID p, SIZE_T bytes)
{
    Note(bytes);
    return reinterpret_cast<HeapReAllocFn>(g_original.rtlReAllocateHeap)(heap, flags, p, bytes);
}
LPVOID WINAPI ProbeVirtualAlloc(LPVOID at, SIZE_T bytes, DWORD type, DWORD protect)
{
    if (type & MEM_COMMIT)
        Note(bytes);
    return reinterpret_cast<VirtualAllocFn>(g_original.virtualAlloc)(at, bytes, type, protect);
}
LONG WINAPI ProbeNtAllocateVirtualMemory(HANDLE process, PVOID* at, ULONG_PTR zeroBits, SIZE_T* bytes, ULONG type,
                                         ULONG protect)
{
    if ((type & MEM_COMMIT) && bytes)
        Note(*bytes);
    return reinterpret_cast<NtAllocateVirtualMemoryFn>(g_original.ntAllocateVirtualMemory)(process, at, zeroBits,
                                                                                            bytes, type, protect);
}
void* __cdecl ProbeMalloc(size_t bytes)
{
    Note(bytes);
    return reinterpret_cast<MallocFn>(g_original.malloc)(bytes);
}
void* __cdecl ProbeCalloc(size_t count, size_t size)
{
    Note(uint64_t(count) * size);
    return reinterpret_cast<CallocFn>(g_original.calloc)(count, size);
}
void* __cdecl ProbeRealloc(void* p, size_t bytes)
{
    Note(bytes);
    return reinterpret_cast<ReallocFn>(g_original.realloc)(p, bytes);
}

struct Route {
    const char* name;
    void** original;
    void* probe;
};

const Route kRoutes[] = {
    {"GlobalAlloc", &g_original.globalAlloc, reinterpret_cast<void*>(&ProbeGlobalAlloc)},
    {"GlobalReAlloc", &g_original.globalReAlloc, reinterpret_cast<void*>(&ProbeGlobalReAlloc)},
    {"LocalAlloc", &g_original.localAlloc, reinterpret_cast<void*>(&ProbeLocalAlloc)},
    {"LocalReAlloc", &g_original.localReAlloc, reinterpret_cast<void*>(&ProbeLocalReAlloc)},
    {"HeapAlloc", &g_original.heapAlloc, reinterpret_cast<void*>(&ProbeHeapAlloc)},
    {"HeapReAlloc", &g_original.heapReAlloc, reinterpret_cast<void*>(&ProbeHeapReAlloc)},
    {"RtlAllocateHeap", &g_original.rtlAllocateHeap, reinterpret_cast<void*>(&ProbeRtlAllocateHeap)},
    {"RtlReAllocateHeap", &g_original.rtlReAllocateHeap, reinterpret_cast<void*>(&ProbeRtlReAllocateHeap)},
    {"VirtualAlloc", &g_original.virtualAlloc, reinterpret_cast<void*>(&ProbeVirtualAlloc)},
    {"NtAllocateVirtualMemory", &g_original.ntAllocateVirtualMemory,
     reinterpret_cast<void*>(&ProbeNtAllocateVirtualMemory)},
    {"malloc", &g_original.malloc, reinterpret_cast<void*>(&ProbeMalloc)},
    {"calloc", &g_original.calloc, reinterpret_cast<void*>(&ProbeCalloc)},
    {"realloc", &g_original.realloc, reinterpret_cast<void*>(&ProbeRealloc)},
};

// One rerouted import slot and what it held.
struct Patch {
    void** slot;
    void* was;
};
std::vector<Patch> g_patches;

bool WriteSlot(void** slot, void* value)
{
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old))
        return false;
    *slot = value;
    DWORD ignored = 0;
    VirtualProtect(slot, sizeof(void*), old, &ignored);
    return true;
}

} // namespace

AllocationProbe::AllocationProbe(const char* const* modules, size_t moduleCount)
{
    g_largest = 0;
    m_privateBefore = PrivateCommittedBytes();
    HookModule(GetModuleHandleA(nullptr));
    for (size_t i = 0; i < moduleCount; ++i)
        if (HMODULE module = GetModuleHandleA(modules[i]))
            HookModule(module);
}

AllocationProbe::~AllocationProbe()
{
    for (auto it = g_patches.rbegin(); it != g_patches.rend(); ++it)
        WriteSlot(it->slot, it->was);
    g_patches.clear();
}

uint64_t AllocationProbe::LargestRequest() const
{
    return g_largest.load();
}

int64_t AllocationProbe::PrivateGrowth() const
{
    return int64_t(PrivateCommittedBytes()) - int64_t(m_privateBefore);
}

uint64_t AllocationProbe::PrivateCommittedBytes()
{
    uint64_t total = 0;
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const uint8_t* at = static_cast<const uint8_t*>(info.lpMinimumApplicationAddress);
    const uint8_t* end = static_cast<const uint8_t*>(info.lpMaximumApplicationAddress);
    MEMORY_BASIC_INFORMATION region;
    while (at < end && VirtualQuery(at, &region, sizeof region) == sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        const uint8_t* next = static_cast<const uint8_t*>(region.BaseAddress) + region.RegionSize;
        if (next <= at)
            break;
        at = next;
    }
    return total;
}

void AllocationProbe::HookModule(HMODULE module)
{
    if (!module)
        return;
    auto* base = reinterpret_cast<uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0 || dir.Size == 0)
        return;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name; ++desc) {
        if (!desc->OriginalFirstThunk || !desc->FirstThunk)
            continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            const char* name = reinterpret_cast<const char*>(byName->Name);
            for (const Route& route : kRoutes) {
                if (std::strcmp(name, route.name) != 0)
                    continue;
                void** slot = reinterpret_cast<void**>(&slots->u1.Function);
                if (*slot == route.probe)
                    break;
                void* const was = *slot;
                if (!*route.original)
                    *route.original = was;
                if (WriteSlot(slot, route.probe)) {
                    g_patches.push_back(Patch{slot, was});
                    ++m_hooked;
                }
                break;
            }
        }
    }
}
