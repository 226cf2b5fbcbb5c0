#include "component/shapes/ShapeMemory.h"

#include <array>
#include <mutex>
#include <new>
#include <vector>

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;
#else
constexpr bool kPooled = true;
#endif

constexpr std::size_t kGrain = alignof(std::max_align_t); // 16 on 64-bit systems
constexpr std::size_t kLargestPooled = 2048;
constexpr std::size_t kBlockBytes = 64 * 1024;
constexpr std::size_t kClasses = kLargestPooled / kGrain + 1;

struct TFreeSlot {
    TFreeSlot* Next;
};

struct TPool {
    std::mutex Lock;
    std::array<TFreeSlot*, kClasses> Free{};
    // The unused end of the newest block.
    char* Cursor = nullptr;
    char* End = nullptr;
    std::vector<void*> Blocks; // kept reachable: the slots live as long as the process
    std::size_t Reserved = 0;
    std::size_t InUse = 0;
};

TPool& Pool()
{
    // Never destroyed: shapes of static drawings may be freed after static destructors ran.
    static TPool* pool = new TPool;
    return *pool;
}

std::size_t ClassOf(std::size_t Size)
{
    return (Size + kGrain - 1) / kGrain;
}

} // namespace

namespace ShapeMemory {

void* Allocate(std::size_t Size)
{
    if (!kPooled || Size > kLargestPooled)
        return ::operator new(Size);
    const std::size_t cls = ClassOf(Size);
    const std::size_t bytes = cls * kGrain;
    TPool& pool = Pool();
    std::lock_guard<std::mutex> guard(pool.Lock);
    pool.InUse += bytes;
    if (TFreeSlot* slot = pool.Free[cls]) {
        pool.Free[cls] = slot->Next;
        return slot;
    }
    if (std::size_t(pool.End - pool.Cursor) < bytes) {
        // The rest of the block goes to the free lists of the sizes it can hold.
        while (std::size_t left = std::size_t(pool.End - pool.Cursor)) {
            const std::size_t c = std::min(left / kGrain, kClasses - 1);
            auto* rest = reinterpret_cast<TFreeSlot*>(pool.Cursor);
            rest->Next = pool.Free[c];
            pool.Free[c] = rest;
            pool.Cursor += c * kGrain;
        }
        char* block = static_cast<char*>(::operator new(kBlockBytes));
        pool.Blocks.push_back(block);
        pool.Reserved += kBlockBytes;
        pool.Cursor = block;
        pool.End = block + kBlockBytes;
    }
    void* slot = pool.Cursor;
    pool.Cursor += bytes;
    return slot;
}

void Free(void* Slot, std::size_t Size) noexcept
{
    if (!Slot)
        return;
    if (!kPooled || Size > kLargestPooled)
        return ::operator delete(Slot);
    const std::size_t cls = ClassOf(Size);
    TPool& pool = Pool();
    std::lock_guard<std::mutex> guard(pool.Lock);
    pool.InUse -= cls * kGrain;
    auto* slot = static_cast<TFreeSlot*>(Slot);
    slot->Next = pool.Free[cls];
    pool.Free[cls] = slot;
}

bool Pooled()
{
    return kPooled;
}

std::size_t ReservedBytes()
{
    TPool& pool = Pool();
    std::lock_guard<std::mutex> guard(pool.Lock);
    return pool.Reserved;
}

std::size_t InUseBytes()
{
    TPool& pool = Pool();
    std::lock_guard<std::mutex> guard(pool.Lock);
    return pool.InUse;
}

} // namespace ShapeMemory
