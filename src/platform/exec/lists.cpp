#include "lists.h"

namespace {
MinNode *TailSentinel(MinList *list) { return reinterpret_cast<MinNode *>(&list->mlh_Tail); }
MinNode *HeadSentinel(MinList *list) { return reinterpret_cast<MinNode *>(&list->mlh_Head); }
}

void NewMinList(MinList *list)
{
    list->mlh_Head = TailSentinel(list);
    list->mlh_Tail = nullptr;
    list->mlh_TailPred = HeadSentinel(list);
}

bool IsMinListEmpty(const MinList *list) { return list->mlh_TailPred == reinterpret_cast<const MinNode *>(list); }

void AddHeadMinList(MinList *list, MinNode *node)
{
    node->mln_Succ = list->mlh_Head;
    node->mln_Pred = HeadSentinel(list);
    list->mlh_Head->mln_Pred = node;
    list->mlh_Head = node;
}

void AddTailMinList(MinList *list, MinNode *node)
{
    node->mln_Succ = TailSentinel(list);
    node->mln_Pred = list->mlh_TailPred;
    list->mlh_TailPred->mln_Succ = node;
    list->mlh_TailPred = node;
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
    MinNode *node = list->mlh_Head;
    RemoveMinNode(node);
    return node;
}

MinNode *RemTailMinList(MinList *list)
{
    if (IsMinListEmpty(list))
        return nullptr;
    MinNode *node = list->mlh_TailPred;
    RemoveMinNode(node);
    return node;
}

MinNode *FirstMinNode(const MinList *list) { return IsMinListEmpty(list) ? nullptr : list->mlh_Head; }

MinNode *NextMinNode(const MinNode *node)
{
    MinNode *next = node->mln_Succ;
    return next && next->mln_Succ ? next : nullptr;
}
