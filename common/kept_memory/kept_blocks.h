// Large blocks of memory kept for the next allocation instead of given back to the system.
// Windows' heap (and Wine's) hands a block of more than some hundred kilobytes straight back
// to the system when it is freed, so that the next one is fresh pages that the system must
// map and zero on first touch: under Wine a vector of the 300 x 300 net's unknowns cost 6 ms
// to allocate and fill where reusing one cost 0.08 ms, and the solver makes such vectors
// in every step. glibc keeps freed blocks itself, so only the Windows build keeps them here
// (kept_allocation.cpp).
//
// It allocates nothing of its own: the tables are fixed, and a block it cannot track is
// simply not kept.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>

namespace ombrix {

class KeptBlocks {
  public:
    using Allocate = void* (*)(std::size_t);
    using Release = void (*)(void*);
    static constexpr std::size_t smallestKept = 64 * 1024; // smaller ones the heap reuses

    // The system's allocation and release, and how many bytes at most to keep unused.
    constexpr KeptBlocks(Allocate systemAllocate, Release systemRelease, std::size_t mostKeptBytes)
        : allocate_(systemAllocate), release_(systemRelease), mostKeptBytes_(mostKeptBytes) {}

    // A block of at least `size` bytes: a kept one of up to twice that size, else a new one.
    void* allocate(std::size_t size);
    // The block, if it was handed out here, kept (or released when keeping it would pass the
    // limit): true. A block from elsewhere is left alone: false.
    bool takeBack(void* block);
    // The size of a block handed out here and not yet freed; 0 for any other.
    std::size_t sizeOf(void* block);
    std::size_t keptBytes() const { return keptBytes_; }

  private:
    struct Block {
        void* at = nullptr;
        std::size_t size = 0;
    };
    // The blocks handed out, by address: open addressing, at most three quarters full.
    static constexpr std::size_t liveSlots = 4096;
    std::size_t slotOf(const void* at) const;
    Block* live(const void* at);
    bool track(Block block);
    void untrack(Block* slot);
    Block takeKept(std::size_t size);
    void keep(Block block);

    class Lock;
    std::atomic_flag busy_ = ATOMIC_FLAG_INIT;
    Allocate allocate_;
    Release release_;
    std::size_t mostKeptBytes_;
    std::array<Block, liveSlots> live_{};
    std::size_t liveCount_ = 0;
    std::array<Block, 64> kept_{};
    std::size_t keptBytes_ = 0;
};

} // namespace ombrix
