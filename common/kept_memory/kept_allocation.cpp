// The C library's allocation in a program linked with the options of
// ombrix_keep_large_blocks (GNU ld's --wrap): a large block goes through KeptBlocks, any
// other to the library itself. Calls from within the C runtime's own library are not
// wrapped, and a block it allocated and the program frees is not one KeptBlocks knows: it
// goes back to the library.
#include "kept_blocks.h"

#include <cstddef>
#include <cstring>

// The names GNU ld's --wrap gives the library's functions and their replacements.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" {
void* __real_malloc(std::size_t size);
void __real_free(void* block);
void* __real_realloc(void* block, std::size_t size);
void* __real_calloc(std::size_t count, std::size_t size);
void* __wrap_malloc(std::size_t size);
void __wrap_free(void* block);
void* __wrap_realloc(void* block, std::size_t size);
void* __wrap_calloc(std::size_t count, std::size_t size);
}

namespace {

// Some 128 MiB unused at most: a few of the largest vectors and matrices of a large net.
constexpr std::size_t mostKeptBytes = std::size_t{128} << 20;

// Made before any code runs and never destroyed: blocks are freed to the process's end.
constinit ombrix::KeptBlocks keptBlocks(__real_malloc, __real_free, mostKeptBytes);

} // namespace

void* __wrap_malloc(std::size_t size) {
    return size < ombrix::KeptBlocks::smallestKept ? __real_malloc(size)
                                                   : keptBlocks.allocate(size);
}

void __wrap_free(void* block) {
    if (block && !keptBlocks.takeBack(block))
        __real_free(block);
}

void* __wrap_calloc(std::size_t count, std::size_t size) {
    if (size != 0 && count > static_cast<std::size_t>(-1) / size)
        return nullptr;
    const std::size_t bytes = count * size;
    if (bytes < ombrix::KeptBlocks::smallestKept)
        return __real_calloc(count, size);
    void* block = keptBlocks.allocate(bytes);
    return block ? std::memset(block, 0, bytes) : nullptr;
}

void* __wrap_realloc(void* block, std::size_t size) {
    const std::size_t old = block ? keptBlocks.sizeOf(block) : 0;
    if (block && old == 0)
        return __real_realloc(block, size);
    void* moved = __wrap_malloc(size);
    if (moved && block) {
        std::memcpy(moved, block, old < size ? old : size);
        __wrap_free(block);
    }
    return moved;
}
// NOLINTEND(bugprone-reserved-identifier)
