#include "platform/exec/cores.h"
#include "platform/exec/lists.h"
#include "platform/exec/pool.h"
#include "platform/exec/signals.h"

#include <csignal>
#include <gtest/gtest.h>
#include <thread>

TEST(Pool, FreedMemoryIsReusedAndCountedAndLargeBlocksStandAlone)
{
    Pool *pool = CreatePool(0, 16384, 16380);
    ASSERT_NE(pool, nullptr);
    void *a = AllocPooled(pool, 40);
    void *b = AllocPooled(pool, 20000);   // above the threshold
    ASSERT_TRUE(a && b);
    EXPECT_EQ(PoolBytesInUse(pool), 20040u);
    static_cast<char *>(a)[39] = 'x';
    FreePooled(pool, a, 40);
    void *c = AllocPooled(pool, 40);
    EXPECT_EQ(static_cast<char *>(c)[39], 0) << "pooled memory comes back zeroed";
    FreePooled(pool, b, 20000);
    EXPECT_EQ(PoolBytesInUse(pool), 40u);
    EXPECT_EQ(AllocPooled(pool, 0), nullptr);
    FreePooled(pool, c, 40);
    DeletePool(pool);
    EXPECT_EQ(CreatePool(0, 100, 200), nullptr) << "a threshold above the puddle size is refused";
}

TEST(Pool, APoolTakenInLeavesItsUnusedMemoryToTheNextPoolMadeLikeIt)
{
    // a scan on threads takes pools like the program's and gives them back;
    // scan after scan must not each leave a region behind
#ifdef VS_PLAIN_ALLOC
    GTEST_SKIP() << "every allocation is a plain one";
#endif
    Pool *program = CreatePool(0, 16384, 16380);
    Pool *first = CreatePoolLike(program);
    auto *a = static_cast<char *>(AllocPooled(first, 64));
    ASSERT_NE(a, nullptr);
    AdoptPool(program, first);
    Pool *second = CreatePoolLike(program);
    auto *b = static_cast<char *>(AllocPooled(second, 64));
    EXPECT_EQ(b, a + 64);
    EXPECT_EQ(b[63], 0);
    AdoptPool(program, second);
    EXPECT_EQ(PoolBytesInUse(program), 128u);
    DeletePool(program);
}

TEST(Lists, KeepOrderAndEmptyCleanly)
{
    MinList list;
    NewMinList(&list);
    EXPECT_TRUE(IsMinListEmpty(&list));
    EXPECT_EQ(RemHeadMinList(&list), nullptr);
    MinNode n[3];
    AddTailMinList(&list, &n[1]);
    AddTailMinList(&list, &n[2]);
    AddHeadMinList(&list, &n[0]);
    int i = 0;
    for (MinNode *x = FirstMinNode(&list); x; x = NextMinNode(x))
        EXPECT_EQ(x, &n[i++]);
    EXPECT_EQ(i, 3);
    RemoveMinNode(&n[1]);
    EXPECT_EQ(RemTailMinList(&list), &n[2]);
    EXPECT_EQ(RemHeadMinList(&list), &n[0]);
    EXPECT_TRUE(IsMinListEmpty(&list));
}

TEST(Signals, SigintArrivesAsCtrlCAndWakesWait)
{
    InstallBreakHandler();
    SetSignal(0, ~0u);
    std::raise(SIGINT);
    EXPECT_EQ(Wait(SIGBREAKF_CTRL_C | SIGF_INPUT), SIGBREAKF_CTRL_C);
    Signal(SIGF_INPUT);
    EXPECT_EQ(Wait(SIGBREAKF_CTRL_C | SIGF_INPUT), SIGF_INPUT);
}

TEST(Cores, ABoundThreadRunsOnTheCoreAfterItsMakersAndGetsItsCoresBack)
{
    if (Cores() < 2)
        GTEST_SKIP() << "one core: nothing to bind";
    cpu_set_t before;
    ASSERT_EQ(sched_getaffinity(0, sizeof before, &before), 0);
    int maker = CurrentCore();
    int ran = -1;
    std::thread([&] {
        CoreBinding bound(1, maker);
        ran = CurrentCore();
    }).join();
    EXPECT_NE(ran, maker) << "the next core round the allowed ones";
    {
        CoreBinding bound(0, CurrentCore());
        cpu_set_t now;
        ASSERT_EQ(sched_getaffinity(0, sizeof now, &now), 0);
        EXPECT_EQ(CPU_COUNT(&now), 1);
    }
    cpu_set_t after;
    ASSERT_EQ(sched_getaffinity(0, sizeof after, &after), 0);
    EXPECT_TRUE(CPU_EQUAL(&before, &after)) << "the thread's cores are given back";
}
