// Every heap block this test program frees is overwritten first, so code
// that still uses an object after it was freed reads garbage and crashes on
// its first virtual call, instead of finding stale values that would let it
// appear to work.
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char FreedByte = 0xDD;

void* Allocate(std::size_t size) {
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void Scribble(void* block) noexcept {
    if (block == nullptr)
        return;
    std::memset(block, FreedByte, _msize(block));
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size == 0 ? 1 : size);
}
void operator delete(void* block) noexcept {
    Scribble(block);
}
void operator delete[](void* block) noexcept {
    Scribble(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Scribble(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Scribble(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    Scribble(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    Scribble(block);
}
