// Minimal doubly linked lists with a head and a tail sentinel in one record:
// append at the tail, remove from either end, walk from the head.
#pragma once
#include "types.h"

struct MinNode {
    MinNode *mln_Succ;
    MinNode *mln_Pred;
};

struct MinList {
    MinNode *mlh_Head;
    MinNode *mlh_Tail;       // always null: the tail sentinel's successor
    MinNode *mlh_TailPred;
};

void NewMinList(MinList *list);
bool IsMinListEmpty(const MinList *list);
void AddHeadMinList(MinList *list, MinNode *node);
void AddTailMinList(MinList *list, MinNode *node);
MinNode *RemHeadMinList(MinList *list);
MinNode *RemTailMinList(MinList *list);
void RemoveMinNode(MinNode *node);

// The first node, or null when the list is empty; the node after n, or null at the end.
MinNode *FirstMinNode(const MinList *list);
MinNode *NextMinNode(const MinNode *node);
