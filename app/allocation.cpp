// Every request of the program's own that cannot be met is a fatal error naming its size.

#include "fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

[[noreturn]] void outOfMemory(std::size_t size)
{
    // Building the message allocates too: a second failure must not recurse.
    static bool failing = false;
    if (failing) {
        std::fputs("Tervalo: 内存不足\n", stderr);
        std::_Exit(-1);
    }
    failing = true;
    fatalError("内存不足：无法分配 " + std::to_string(size) + " 字节");
}

void* allocate(std::size_t size)
{
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    outOfMemory(size);
}

} // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
