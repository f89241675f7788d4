// Minimal doubly linked lists: append at either end, remove from either end,
// walk from the head. A list holds two sentinel nodes of its own, so that
// every link followed is a node's link (the classic three-word header lets
// its sentinels overlap, which an optimising compiler may not follow).
#pragma once
#include "types.h"

struct MinNode {
    MinNode *mln_Succ;
    MinNode *mln_Pred;
};

struct MinList {
    MinNode head;   // head.mln_Succ: the first node; head.mln_Pred: always null
    MinNode tail;   // tail.mln_Pred: the last node; tail.mln_Succ: always null
};

void NewMinList(MinList *list);
bool IsMinListEmpty(const MinList *list);
void AddHeadMinList(MinList *list, MinNode *node);

// Inline: the base reader appends some 100,000 entries in a row.
inline void AddTailMinList(MinList *list, MinNode *node)
{
    node->mln_Succ = &list->tail;
    node->mln_Pred = list->tail.mln_Pred;
    list->tail.mln_Pred->mln_Succ = node;
    list->tail.mln_Pred = node;
}

MinNode *RemHeadMinList(MinList *list);
MinNode *RemTailMinList(MinList *list);
void RemoveMinNode(MinNode *node);

// The first node, or null when the list is empty; the node after n, or null at the end.
MinNode *FirstMinNode(const MinList *list);
MinNode *NextMinNode(const MinNode *node);
