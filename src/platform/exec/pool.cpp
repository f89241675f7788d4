#include "pool.h"

#include "hugemem.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

Pool *MemPool = nullptr;

namespace {
constexpr ULONG kGrain = 16;   // every size is rounded up to this
ULONG RoundUp(ULONG size) { return (size + kGrain - 1) & ~(kGrain - 1); }

// Small allocations are cut from regions of huge pages: a base's records
// would otherwise fault in a thousand small pages.
constexpr size_t kRegion = size_t(2) << 20;

thread_local Pool *ownPool = nullptr;

Pool *ForThisThread(Pool *pool) { return ownPool && pool == MemPool ? ownPool : pool; }

// Unused memory at the end of a region.
struct Span {
    char *at = nullptr;
    size_t left = 0;
};
}

struct FreeCell {
    FreeCell *next;
};

struct Pool {
    ULONG puddleSize;   // the free lists reach this far: nothing larger is cut from a region
    ULONG threshold;
    size_t inUse = 0;
    std::vector<HugeBlock> regions;
    Span free;                                        // what is left of the region cut from now
    std::vector<Span> spares;                         // what pools taken in left of theirs, used before a new region
    std::vector<FreeCell *> freeLists;                // index: size / kGrain
    std::unordered_map<void *, size_t> largeBlocks;   // blocks above the threshold
    bool goesWhole = false;
};

Pool *CreatePool(ULONG, ULONG puddleSize, ULONG threshSize)
{
    if (threshSize > puddleSize || puddleSize == 0 || puddleSize > kRegion)
        return nullptr;
    auto *pool = new (std::nothrow) Pool;
    if (!pool)
        return nullptr;
    pool->puddleSize = RoundUp(puddleSize);
    pool->threshold = threshSize;
    pool->freeLists.assign(pool->puddleSize / kGrain + 1, nullptr);
    return pool;
}

void DeletePool(Pool *pool)
{
    if (!pool)
        return;
    for (auto &b : pool->largeBlocks)
        std::free(b.first);
    delete pool;
}

size_t PoolBytesInUse(const Pool *pool) { return pool ? pool->inUse : 0; }

namespace {
#ifndef VS_PLAIN_ALLOC
APTR AllocLarge(Pool *pool, ULONG size)
{
    void *mem = std::calloc(1, size);
    if (mem)
        pool->largeBlocks.emplace(mem, size);
    return mem;
}

// Makes the pool cut from a spare span, or else from a new region; the rest of
// the span it cut from before is too small to be worth keeping.
bool NextSpan(Pool *pool, size_t rounded)
{
    while (!pool->spares.empty()) {
        pool->free = pool->spares.back();
        pool->spares.pop_back();
        if (pool->free.left >= rounded)
            return true;
    }
    HugeBlock region(kRegion);
    if (!region.Data())
        return false;
    pool->free = {region.Data(), kRegion};
    pool->regions.push_back(std::move(region));
    return true;
}

APTR AllocSmall(Pool *pool, ULONG rounded)
{
    FreeCell *&head = pool->freeLists[rounded / kGrain];
    if (head) {
        FreeCell *cell = head;
        head = cell->next;
        std::memset(cell, 0, rounded);
        return cell;
    }
    if (pool->free.left < rounded && !NextSpan(pool, rounded))
        return nullptr;
    char *mem = pool->free.at;
    pool->free.at += rounded;
    pool->free.left -= rounded;
    return mem;
}
#endif
}

APTR AllocPooled(Pool *pool, ULONG size)
{
    pool = ForThisThread(pool);
    if (!pool || size == 0)
        return nullptr;
#ifdef VS_PLAIN_ALLOC
    APTR mem = std::calloc(1, size);
#else
    APTR mem = size > pool->threshold ? AllocLarge(pool, size) : AllocSmall(pool, RoundUp(size));
#endif
    if (mem)
        pool->inUse += size;
    return mem;
}

void FreePooled(Pool *pool, APTR mem, ULONG size)
{
    pool = ForThisThread(pool);
    if (!pool || !mem)
        return;
    if (PoolGoesWhole(pool))
        return;
    pool->inUse -= size;
#ifdef VS_PLAIN_ALLOC
    std::free(mem);
#else
    if (size > pool->threshold) {
        pool->largeBlocks.erase(mem);
        std::free(mem);
        return;
    }
    auto *cell = static_cast<FreeCell *>(mem);
    FreeCell *&head = pool->freeLists[RoundUp(size) / kGrain];
    cell->next = head;
    head = cell;
#endif
}

void PoolWillGoWhole(Pool *pool)
{
#ifndef VS_PLAIN_ALLOC
    if (pool)
        pool->goesWhole = true;
#else
    (void)pool;
#endif
}

bool PoolGoesWhole(const Pool *pool) { return pool && pool->goesWhole; }

void UseOwnPool(Pool *pool) { ownPool = pool; }

Pool *CreatePoolLike(Pool *pool)
{
    pool = ForThisThread(pool);
    Pool *like = pool ? CreatePool(0, pool->puddleSize, pool->threshold) : nullptr;
    if (like && !pool->spares.empty()) {   // a spare span serves the new pool first
        like->free = pool->spares.back();
        pool->spares.pop_back();
    }
    return like;
}

void AdoptPool(Pool *into, Pool *pool)
{
    into = ForThisThread(into);
    if (!into || !pool)
        return;
    into->inUse += pool->inUse;
    for (HugeBlock &region : pool->regions)
        into->regions.push_back(std::move(region));
    if (pool->free.left >= kGrain)
        into->spares.push_back(pool->free);
    into->spares.insert(into->spares.end(), pool->spares.begin(), pool->spares.end());
    into->largeBlocks.insert(pool->largeBlocks.begin(), pool->largeBlocks.end());
    // cells freed in the other pool serve this one
    for (size_t i = 0; i < pool->freeLists.size() && i < into->freeLists.size(); ++i)
        while (FreeCell *cell = pool->freeLists[i]) {
            pool->freeLists[i] = cell->next;
            cell->next = into->freeLists[i];
            into->freeLists[i] = cell;
        }
    pool->regions.clear();
    pool->largeBlocks.clear();
    delete pool;
}
