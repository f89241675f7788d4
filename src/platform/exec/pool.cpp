#include "pool.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_map>
#include <vector>

Pool *MemPool = nullptr;

namespace {
constexpr ULONG kGrain = 16;   // every size is rounded up to this
ULONG RoundUp(ULONG size) { return (size + kGrain - 1) & ~(kGrain - 1); }

thread_local Pool *ownPool = nullptr;

Pool *ForThisThread(Pool *pool) { return ownPool && pool == MemPool ? ownPool : pool; }
}

struct FreeCell {
    FreeCell *next;
};

struct Pool {
    ULONG puddleSize;
    ULONG threshold;
    size_t inUse = 0;
    std::vector<char *> puddles;
    char *cursor = nullptr;   // free tail of the newest puddle
    size_t left = 0;
    std::vector<FreeCell *> freeLists;                // index: size / kGrain
    std::unordered_map<void *, size_t> largeBlocks;   // blocks above the threshold
    bool goesWhole = false;
};

Pool *CreatePool(ULONG, ULONG puddleSize, ULONG threshSize)
{
    if (threshSize > puddleSize || puddleSize == 0)
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
    for (char *p : pool->puddles)
        std::free(p);
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

APTR AllocSmall(Pool *pool, ULONG rounded)
{
    FreeCell *&head = pool->freeLists[rounded / kGrain];
    if (head) {
        FreeCell *cell = head;
        head = cell->next;
        std::memset(cell, 0, rounded);
        return cell;
    }
    if (pool->left < rounded) {
        char *puddle = static_cast<char *>(std::calloc(1, pool->puddleSize));
        if (!puddle)
            return nullptr;
        pool->puddles.push_back(puddle);
        pool->cursor = puddle;
        pool->left = pool->puddleSize;
    }
    char *mem = pool->cursor;
    pool->cursor += rounded;
    pool->left -= rounded;
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

Pool *CreatePoolLike(const Pool *pool) { return pool ? CreatePool(0, pool->puddleSize, pool->threshold) : nullptr; }

void AdoptPool(Pool *into, Pool *pool)
{
    into = ForThisThread(into);
    if (!into || !pool)
        return;
    into->inUse += pool->inUse;
    into->puddles.insert(into->puddles.end(), pool->puddles.begin(), pool->puddles.end());
    into->largeBlocks.insert(pool->largeBlocks.begin(), pool->largeBlocks.end());
    // cells freed in the other pool serve this one; the rest of its newest
    // puddle is left unused
    for (size_t i = 0; i < pool->freeLists.size() && i < into->freeLists.size(); ++i)
        while (FreeCell *cell = pool->freeLists[i]) {
            pool->freeLists[i] = cell->next;
            cell->next = into->freeLists[i];
            into->freeLists[i] = cell;
        }
    pool->puddles.clear();
    pool->largeBlocks.clear();
    delete pool;
}
