#include "lists.h"

void NewMinList(MinList *list)
{
    list->head = {&list->tail, nullptr};
    list->tail = {nullptr, &list->head};
}

bool IsMinListEmpty(const MinList *list) { return list->head.mln_Succ == &list->tail; }

void AddHeadMinList(MinList *list, MinNode *node)
{
    node->mln_Succ = list->head.mln_Succ;
    node->mln_Pred = &list->head;
    list->head.mln_Succ->mln_Pred = node;
    list->head.mln_Succ = node;
}

void RemoveMinNode(MinNode *node)
{
    node->mln_Pred->mln_Succ = node->mln_Succ;
    node->mln_Succ->mln_Pred = node->mln_Pred;
}

MinNode *RemHeadMinList(MinList *list)
{
    if (IsMinListEmpty(list))
        return nullptr;
    MinNode *node = list->head.mln_Succ;
    RemoveMinNode(node);
    return node;
}

MinNode *RemTailMinList(MinList *list)
{
    if (IsMinListEmpty(list))
        return nullptr;
    MinNode *node = list->tail.mln_Pred;
    RemoveMinNode(node);
    return node;
}

MinNode *FirstMinNode(const MinList *list) { return IsMinListEmpty(list) ? nullptr : list->head.mln_Succ; }

MinNode *NextMinNode(const MinNode *node)
{
    MinNode *next = node->mln_Succ;
    return next && next->mln_Succ ? next : nullptr;
}
