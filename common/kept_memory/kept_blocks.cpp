#include "kept_blocks.h"

#include <bit>
#include <cstdint>

namespace ombrix {

// A spin lock: the allocator of a program whose threads allocate rarely and briefly, and
// which may take no lock that allocates.
class KeptBlocks::Lock {
  public:
    explicit Lock(std::atomic_flag& busy) : busy_(busy) {
        while (busy_.test_and_set(std::memory_order_acquire)) {
        }
    }
    ~Lock() { busy_.clear(std::memory_order_release); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

  private:
    std::atomic_flag& busy_;
};

std::size_t KeptBlocks::slotOf(const void* at) const {
    const auto address = reinterpret_cast<std::uintptr_t>(at);
    return static_cast<std::size_t>((address >> 16) * 0x9E3779B97F4A7C15ULL) % liveSlots;
}

KeptBlocks::Block* KeptBlocks::live(const void* at) {
    for (std::size_t slot = slotOf(at); live_[slot].at; slot = (slot + 1) % liveSlots)
        if (live_[slot].at == at)
            return &live_[slot];
    return nullptr;
}

bool KeptBlocks::track(Block block) {
    if (4 * (liveCount_ + 1) > 3 * liveSlots)
        return false;
    std::size_t slot = slotOf(block.at);
    while (live_[slot].at)
        slot = (slot + 1) % liveSlots;
    live_[slot] = block;
    ++liveCount_;
    return true;
}

// Removed by shifting back the entries after it that would no longer be found.
void KeptBlocks::untrack(Block* removed) {
    auto hole = static_cast<std::size_t>(removed - live_.data());
    for (std::size_t next = (hole + 1) % liveSlots; live_[next].at; next = (next + 1) % liveSlots) {
        const std::size_t home = slotOf(live_[next].at);
        const bool between =
            hole <= next ? hole < home && home <= next : hole < home || home <= next;
        if (!between) {
            live_[hole] = live_[next];
            hole = next;
        }
    }
    live_[hole] = {};
    --liveCount_;
}

KeptBlocks::Block KeptBlocks::takeKept(std::size_t size) {
    Block* best = nullptr;
    for (Block& block : kept_)
        if (block.at && block.size >= size && block.size / 2 <= size &&
            (!best || block.size < best->size))
            best = &block;
    if (!best)
        return {};
    const Block taken = *best;
    *best = {};
    keptBytes_ -= taken.size;
    return taken;
}

// Kept, the largest kept released first while the limit or the table is full.
void KeptBlocks::keep(Block block) {
    for (;;) {
        Block* empty = nullptr;
        Block* largest = nullptr;
        for (Block& slot : kept_) {
            if (!slot.at)
                empty = empty ? empty : &slot;
            else if (!largest || slot.size > largest->size)
                largest = &slot;
        }
        if (empty && keptBytes_ + block.size <= mostKeptBytes_) {
            *empty = block;
            keptBytes_ += block.size;
            return;
        }
        if (!largest || largest->size < block.size) {
            release_(block.at);
            return;
        }
        release_(largest->at);
        keptBytes_ -= largest->size;
        *largest = {};
    }
}

void* KeptBlocks::allocate(std::size_t size) {
    {
        Lock lock(busy_);
        const Block kept = takeKept(size);
        if (kept.at) {
            if (track(kept))
                return kept.at;
            keep(kept);
        }
    }
    void* at = allocate_(size);
    if (at) {
        Lock lock(busy_);
        track({at, size});
    }
    return at;
}

bool KeptBlocks::takeBack(void* block) {
    Lock lock(busy_);
    Block* slot = live(block);
    if (!slot)
        return false;
    const Block freed = *slot;
    untrack(slot);
    keep(freed);
    return true;
}

std::size_t KeptBlocks::sizeOf(void* block) {
    Lock lock(busy_);
    const Block* slot = live(block);
    return slot ? slot->size : 0;
}

} // namespace ombrix
