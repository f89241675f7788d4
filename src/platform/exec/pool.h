// The memory pool every record and string of the program comes from. Small
// allocations are cut from large regions and returned to per-size free lists;
// anything above the threshold gets a block of its own. Deleting the pool frees
// everything at once. Built with VS_PLAIN_ALLOC every allocation is a plain one,
// so that the sanitizers see each allocation and each leak.
#pragma once
#include "types.h"

struct Pool;

Pool *CreatePool(ULONG memFlags, ULONG puddleSize, ULONG threshSize);
void DeletePool(Pool *pool);
APTR AllocPooled(Pool *pool, ULONG size);   // zeroed memory, null on failure
void FreePooled(Pool *pool, APTR mem, ULONG size);

// The program is ending and the pool will be deleted whole: what is given
// back from now on stays where it is, and the owners of many small records
// need not walk them to give each back. Without effect where every
// allocation is a plain one, so that the sanitizers still see each free.
void PoolWillGoWhole(Pool *pool);
bool PoolGoesWhole(const Pool *pool);

// Bytes handed out and not yet returned; used by tests and benchmarks.
size_t PoolBytesInUse(const Pool *pool);

// The program's one pool, made at start-up.
extern Pool *MemPool;

// A thread that makes records for the program (a scan on another thread)
// takes what is asked of MemPool from a pool of its own while one is set:
// the program's pool is not shared between threads. Null sets it back.
void UseOwnPool(Pool *pool);
// A new pool with the sizes of another; it cuts first from memory that pools
// the other took in left unused. Into MemPool is as for AdoptPool, and only
// while no other thread takes from that pool.
Pool *CreatePoolLike(Pool *pool);
// Moves everything pool holds into into, which frees it from then on; pool
// is gone. Only when no thread uses either. Into MemPool is into the pool
// this thread takes from: a scan on a thread of its own may hand work to
// threads of their own too.
void AdoptPool(Pool *into, Pool *pool);
