#include "xll/array_blocks.h"

#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>
#include <type_traits>

namespace Zr::Xll {
namespace {

// 32 bytes, so that the elements keep the allocator's alignment.
struct alignas(16) BlockHeader {
    size_t capacity;  // bytes of elements the block has room for
    uint32_t mayOwnMemory;
    uint32_t reserved[3];
};
static_assert(sizeof(BlockHeader) == 32);

BlockHeader* HeaderOf(const void* elements) {
    return const_cast<BlockHeader*>(static_cast<const BlockHeader*>(elements) - 1);
}

// A lock for a few slots, taken only around large results: a flag, so that
// the slots need no constructor or destructor to run.
class SlotLock {
public:
    void lock() noexcept {
        while (flag_.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
    }
    void unlock() noexcept { flag_.clear(std::memory_order_release); }

private:
    std::atomic_flag flag_;
};

// The kept blocks.
struct KeptBlocks {
    SlotLock lock;
    BlockHeader* blocks[kKeptBlockCount] = {};
    size_t bytes = 0;

    // The smallest kept block with room for `bytes`, if it is no more than
    // twice what is asked: a small result does not pin a large block.
    BlockHeader* Take(size_t wanted) {
        std::lock_guard<SlotLock> guard(lock);
        int best = -1;
        for (int i = 0; i < kKeptBlockCount; ++i) {
            const BlockHeader* b = blocks[i];
            if (b && b->capacity >= wanted && b->capacity / 2 <= wanted &&
                (best < 0 || b->capacity < blocks[best]->capacity))
                best = i;
        }
        if (best < 0) return nullptr;
        BlockHeader* taken = blocks[best];
        blocks[best] = nullptr;
        bytes -= taken->capacity;
        return taken;
    }

    bool Keep(BlockHeader* block) {
        std::lock_guard<SlotLock> guard(lock);
        if (bytes + block->capacity > kKeptBytesMaximum) return false;
        for (BlockHeader*& slot : blocks)
            if (!slot) {
                slot = block;
                bytes += block->capacity;
                return true;
            }
        return false;
    }

    void ReleaseAll() {
        std::lock_guard<SlotLock> guard(lock);
        for (BlockHeader*& slot : blocks) {
            ::operator delete(slot);
            slot = nullptr;
        }
        bytes = 0;
    }
};

// Constant-initialised and never destroyed (nothing to destroy): a result
// may be freed while the process exits, and unloading frees the kept blocks.
constinit KeptBlocks g_kept;
static_assert(std::is_trivially_destructible_v<KeptBlocks>);

KeptBlocks& Kept() { return g_kept; }

bool Keepable(size_t bytes) { return bytes >= kKeptBlockMinimum && bytes <= kKeptBlockMaximum; }

}  // namespace

void* NewElementBlock(size_t bytes, bool zeroed) {
    if (bytes > SIZE_MAX - sizeof(BlockHeader)) return nullptr;
    BlockHeader* header = Keepable(bytes) ? Kept().Take(bytes) : nullptr;
    if (!header) {
        header = static_cast<BlockHeader*>(::operator new(sizeof(BlockHeader) + bytes, std::nothrow));
        if (!header) return nullptr;
        header->capacity = bytes;
    }
    header->mayOwnMemory = 0;
    void* elements = header + 1;
    if (zeroed) std::memset(elements, 0, bytes);
    return elements;
}

void ReleaseElementBlock(void* elements) {
    if (!elements) return;
    BlockHeader* header = HeaderOf(elements);
    if (Keepable(header->capacity) && Kept().Keep(header)) return;
    ::operator delete(header);
}

bool ElementsMayOwnMemory(const void* elements) { return HeaderOf(elements)->mayOwnMemory != 0; }

void MarkElementsMayOwnMemory(void* elements) { HeaderOf(elements)->mayOwnMemory = 1; }

void ReleaseKeptBlocks() { Kept().ReleaseAll(); }

size_t KeptBlockCount() {
    std::lock_guard<SlotLock> guard(Kept().lock);
    size_t count = 0;
    for (const BlockHeader* block : Kept().blocks) count += block != nullptr;
    return count;
}

size_t KeptBlockBytes() {
    std::lock_guard<SlotLock> guard(Kept().lock);
    return Kept().bytes;
}

}  // namespace Zr::Xll
