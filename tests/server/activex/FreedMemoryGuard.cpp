// Makes a use after free in this test program fail at once instead of
// appearing to work on stale values: every block of 128 bytes or more (the
// control objects, their windows, header controls) gets pages of its own,
// which become inaccessible when it is freed and stay so while the next
// QuarantineSize big blocks are freed; so any touch of a freed control
// faults. Smaller blocks are overwritten when freed. A fault ends the
// program at once with its address (rather than waiting for a debugger).
#include "win32/WinApi.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t PagedFrom = 128;
constexpr std::size_t QuarantineSize = 512;
constexpr unsigned char FreedByte = 0xDD;
constexpr std::uint32_t PagedMagic = 0x50414745; // "PAGE"
constexpr std::uint32_t HeapMagic = 0x48454150;  // "HEAP"

// Before each block: how it was made (16 bytes keep the block aligned).
struct alignas(16) Header {
    std::uint32_t Magic;
    std::size_t Size;
};

SRWLOCK g_lock = SRWLOCK_INIT;
void* g_quarantine[QuarantineSize];
std::size_t g_next = 0;

void* Allocate(std::size_t size) noexcept {
    Header* header;
    if (size >= PagedFrom) {
        header = static_cast<Header*>(::VirtualAlloc(nullptr, sizeof(Header) + size,
                                                     MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        if (header == nullptr)
            return nullptr;
        header->Magic = PagedMagic;
    } else {
        header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
        if (header == nullptr)
            return nullptr;
        header->Magic = HeapMagic;
    }
    header->Size = size;
    return header + 1;
}

void Free(void* block) noexcept {
    if (block == nullptr)
        return;
    Header* header = static_cast<Header*>(block) - 1;
    if (header->Magic == HeapMagic) {
        std::memset(header, FreedByte, sizeof(Header) + header->Size);
        std::free(header);
        return;
    }
    DWORD old = 0;
    ::VirtualProtect(header, sizeof(Header) + header->Size, PAGE_NOACCESS, &old);
    ::AcquireSRWLockExclusive(&g_lock);
    void* oldest = g_quarantine[g_next];
    g_quarantine[g_next] = header;
    g_next = (g_next + 1) % QuarantineSize;
    ::ReleaseSRWLockExclusive(&g_lock);
    if (oldest != nullptr)
        ::VirtualFree(oldest, 0, MEM_RELEASE);
}

LONG WINAPI ReportFault(EXCEPTION_POINTERS* info) {
    const EXCEPTION_RECORD& record = *info->ExceptionRecord;
    std::fprintf(stderr, "\nUnhandled exception 0x%08lX at %p (data address %p)\n",
                 static_cast<unsigned long>(record.ExceptionCode), record.ExceptionAddress,
                 record.NumberParameters > 1
                     ? reinterpret_cast<void*>(record.ExceptionInformation[1])
                     : nullptr);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return EXCEPTION_EXECUTE_HANDLER;
}

const auto g_faultReport = ::SetUnhandledExceptionFilter(&ReportFault);

} // namespace

// The runtime's other forms (arrays, nothrow) come down to these.
void* operator new(std::size_t size) {
    if (void* block = Allocate(size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept {
    Free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Free(block);
}
