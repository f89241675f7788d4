#include "nlisttree.h"

#include "../mui/internal.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace {
using Node = MUI_NListtree_TreeNode;
IClass *treeClass = nullptr;

struct TreeData {
    std::vector<Node *> roots;
    Hook *construct = nullptr, *destruct = nullptr, *display = nullptr, *compare = nullptr;
    Node *active = nullptr;
    int quiet = 0;
    LONG dropType = MUIV_NListtree_DropType_None;
    Node *dropTarget = nullptr;
    char *texts[4] = {};
    std::vector<Node *> order;   // every node in pre-order, made when asked for after a change
    bool orderKnown = false;
};

TreeData *Data(Object *tree)
{
    return tree && IsInstanceOf(tree, treeClass) ? Instance<TreeData>(treeClass, tree) : nullptr;
}

std::vector<Node *> &Siblings(TreeData *d, Node *parent) { return parent ? parent->tn_Children : d->roots; }

void Changed(Object *self, TreeData *d)
{
    d->orderKnown = false;
    if (!d->quiet)
        PeerChanged(self, MUIA_NListtree_Entries);
}

template <class F> bool Walk(const std::vector<Node *> &nodes, F &&visit)
{
    for (Node *n : nodes)
        if (!visit(n) || !Walk(n->tn_Children, visit))
            return false;
    return true;
}

bool IsInside(const Node *node, const Node *ancestor)
{
    for (const Node *n = node; n; n = n->tn_Parent)
        if (n == ancestor)
            return true;
    return false;
}

void OpenParents(Node *node)
{
    for (Node *p = node ? node->tn_Parent : nullptr; p; p = p->tn_Parent)
        p->tn_Flags |= TNF_OPEN;
}

Node *Insert(Object *self, TreeData *d, MUIP_NListtree_Insert *msg)
{
    MUIP_NListtree_ConstructMessage made = {msg->Name, msg->User};
    Node *parent = msg->ListNode, *prev = msg->PrevNode;
    auto *node = new Node{msg->Name, msg->User, UWORD(msg->Flags), parent, {}};
    if (d->construct)
        node->tn_User = reinterpret_cast<APTR>(CallHookPkt(d->construct, nullptr, &made));
    std::vector<Node *> &list = Siblings(d, parent);
    auto at = std::find(list.begin(), list.end(), prev);
    list.insert(prev == MUIV_NListtree_Insert_PrevNode_Tail || at == list.end() ? list.end() : at + 1, node);
    Changed(self, d);
    return node;
}

void Destroy(TreeData *d, Node *node)
{
    d->orderKnown = false;   // the destruct hook may ask for nodes by number
    for (Node *c : node->tn_Children)
        Destroy(d, c);
    if (d->destruct) {
        MUIP_NListtree_ConstructMessage msg = {node->tn_Name, node->tn_User};
        CallHookPkt(d->destruct, nullptr, &msg);
    }
    if (IsInside(d->active, node))
        d->active = nullptr;
    if (d->dropTarget == node)
        d->dropTarget = nullptr;
    delete node;
}

void Unlink(TreeData *d, Node *node)
{
    d->orderKnown = false;
    std::erase(Siblings(d, node->tn_Parent), node);
}

// Takes the nodes out of their lists, each list passed over once however many
// of its nodes go: a base of thousands of documents is closed at once.
void UnlinkAll(TreeData *d, const std::vector<Node *> &doomed)
{
    std::unordered_set<const Node *> going(doomed.begin(), doomed.end());
    std::unordered_set<std::vector<Node *> *> lists;
    for (const Node *n : doomed)
        lists.insert(&Siblings(d, n->tn_Parent));
    for (std::vector<Node *> *list : lists)
        std::erase_if(*list, [&](const Node *n) { return going.count(n) != 0; });
    d->orderKnown = false;
}

std::vector<Node *> Selected(TreeData *d)
{
    std::vector<Node *> out;
    Walk(d->roots, [&](Node *n) {
        if (n->tn_Flags & TNF_SELECTED)
            out.push_back(n);
        return true;
    });
    // a node below another selected node goes with it
    std::erase_if(out, [&](Node *n) {
        for (Node *p = n->tn_Parent; p; p = p->tn_Parent)
            if (p->tn_Flags & TNF_SELECTED)
                return true;
        return false;
    });
    return out;
}

IPTR Remove(Object *self, TreeData *d, Node *which)
{
    std::vector<Node *> doomed;
    if (which == MUIV_NListtree_Remove_TreeNode_All)
        doomed = d->roots;
    else if (which == MUIV_NListtree_Remove_TreeNode_Selected)
        doomed = Selected(d);
    else if (which == MUIV_NListtree_Remove_TreeNode_Active)
        doomed = {d->active};
    else
        doomed = {which};
    if (doomed.empty() && which == MUIV_NListtree_Remove_TreeNode_Selected && d->active)
        doomed = {d->active};
    std::erase(doomed, nullptr);
    // The peer lets go of the nodes it shows before any of them is freed,
    // quiet or not: a view that kept one would read freed memory.
    PeerChanged(self, MUIM_NListtree_Remove);
    UnlinkAll(d, doomed);
    for (Node *n : doomed)
        Destroy(d, n);
    Changed(self, d);
    PeerChanged(self, MUIA_NListtree_Active);
    return TRUE;
}

LONG Number(TreeData *d, const Node *node)
{
    LONG nr = 0, found = -1;
    Walk(d->roots, [&](Node *n) {
        if (n == node) {
            found = nr;
            return false;
        }
        ++nr;
        return true;
    });
    return found;
}

// A caller asks for node 0, 1, 2, ... in turn (a lookup through the whole
// base): the pre-order is made once, not walked again for every number.
Node *Nth(TreeData *d, LONG position)
{
    if (!d->orderKnown) {
        d->order.clear();
        Walk(d->roots, [d](Node *n) { return d->order.push_back(n), true; });
        d->orderKnown = true;
    }
    return position >= 0 && size_t(position) < d->order.size() ? d->order[size_t(position)] : nullptr;
}

void SortList(TreeData *d, std::vector<Node *> &list, bool recursiveOpen)
{
    if (d->compare)
        std::stable_sort(list.begin(), list.end(), [d](Node *a, Node *b) {
            MUIP_NListtree_CompareMessage msg = {a, b};
            return LONG(CallHookPkt(d->compare, nullptr, &msg)) < 0;
        });
    if (recursiveOpen)
        for (Node *n : list)
            if (n->tn_Flags & TNF_OPEN)
                SortList(d, n->tn_Children, true);
}

// Moves nodes, in their order, above or below a target or into it; nothing
// moves into itself or below itself.
void MoveNodes(TreeData *d, const std::vector<Node *> &nodes, Node *target, LONG type)
{
    for (Node *n : nodes)
        if (IsInside(target, n))
            return;
    Node *after = target;   // for a drop below: the node the next one follows
    for (Node *n : nodes) {
        Unlink(d, n);
        if (type == MUIV_NListtree_DropType_Onto) {
            n->tn_Parent = target;
            target->tn_Children.push_back(n);
            continue;
        }
        n->tn_Parent = target->tn_Parent;
        std::vector<Node *> &list = Siblings(d, target->tn_Parent);
        if (type == MUIV_NListtree_DropType_Above) {
            list.insert(std::find(list.begin(), list.end(), target), n);
        } else {
            list.insert(std::find(list.begin(), list.end(), after) + 1, n);
            after = n;
        }
    }
}

IPTR DragDrop(Object *self, TreeData *d)
{
    Node *target = d->dropTarget;
    if (!target || d->dropType == MUIV_NListtree_DropType_None)
        return 0;
    std::vector<Node *> dragged = Selected(d);
    if (dragged.empty() && d->active)
        dragged = {d->active};
    std::erase(dragged, target);
    if (dragged.empty())
        return 0;
    MoveNodes(d, dragged, target, d->dropType);
    Changed(self, d);
    return TRUE;
}

IPTR Select(Object *self, TreeData *d, MUIP_NListtree_Select *msg)
{
    Node *node = msg->TreeNode;
    LONG how = LONG(msg->SelType);
    auto apply = [how](Node *n) {
        if (how == MUIV_NListtree_Select_On)
            n->tn_Flags |= TNF_SELECTED;
        else if (how == MUIV_NListtree_Select_Off)
            n->tn_Flags &= UWORD(~TNF_SELECTED);
        return true;
    };
    if (node == MUIV_NListtree_Select_All)
        Walk(d->roots, apply);
    else if (node)
        apply(node);
    if (msg->State)
        *msg->State = node && node != MUIV_NListtree_Select_All && (node->tn_Flags & TNF_SELECTED);
    PeerChanged(self, MUIA_Selected);
    return TRUE;
}

IPTR NextSelected(TreeData *d, Node **cursor)
{
    Node *start = *cursor;
    bool passed = start == reinterpret_cast<Node *>(IPTR(-1));
    Node *next = reinterpret_cast<Node *>(IPTR(-1));
    Walk(d->roots, [&](Node *n) {
        if (passed && (n->tn_Flags & TNF_SELECTED)) {
            next = n;
            return false;
        }
        passed = passed || n == start;
        return true;
    });
    *cursor = next;
    return 0;
}

// An active node outside the selection becomes the selection, so what is
// shown selected is always what an operation on the selection acts on; one
// inside it (a person extending the selection) leaves it as it is.
void SelectAlone(TreeData *d, Node *active)
{
    if (!active || (active->tn_Flags & TNF_SELECTED))
        return;
    Walk(d->roots, [](Node *n) { return n->tn_Flags &= UWORD(~TNF_SELECTED), true; });
    active->tn_Flags |= TNF_SELECTED;
}

void ApplyTags(Object *self, TreeData *d, TagItem *tags)
{
    TagItem *walk = tags;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case MUIA_NListtree_ConstructHook: d->construct = reinterpret_cast<Hook *>(t->ti_Data); break;
        case MUIA_NListtree_DestructHook: d->destruct = reinterpret_cast<Hook *>(t->ti_Data); break;
        case MUIA_NListtree_DisplayHook: d->display = reinterpret_cast<Hook *>(t->ti_Data); break;
        case MUIA_NListtree_CompareHook: d->compare = reinterpret_cast<Hook *>(t->ti_Data); break;
        case MUIA_NListtree_Active:
            d->active = reinterpret_cast<Node *>(t->ti_Data);
            OpenParents(d->active);   // the active node is kept in view
            SelectAlone(d, d->active);
            break;
        case MUIA_NListtree_Quiet:
            d->quiet = t->ti_Data ? d->quiet + 1 : std::max(d->quiet - 1, 0);
            if (!d->quiet)
                PeerChanged(self, MUIA_NListtree_Entries);
            break;
        case MUIA_NListtree_DropType: d->dropType = LONG(t->ti_Data); break;
        case MUIA_NListtree_DropTarget: d->dropTarget = reinterpret_cast<Node *>(t->ti_Data); break;
        }
    }
}

IPTR TreeGet(IClass *cl, Object *self, Msg msg)
{
    TreeData *d = Instance<TreeData>(cl, self);
    switch (GetMsg(msg)->opg_AttrID) {
    case MUIA_NListtree_Active: return Answer(msg, ToIPTR(d->active));
    case MUIA_NListtree_DropType: return Answer(msg, IPTR(d->dropType));
    case MUIA_NListtree_DropTarget: return Answer(msg, ToIPTR(d->dropTarget));
    case MUIA_NListtree_Quiet: return Answer(msg, d->quiet > 0);
    case MUIA_NListtree_Entries: {
        LONG count = 0;
        Walk(d->roots, [&](Node *) { return ++count, true; });
        return Answer(msg, IPTR(count));
    }
    default: return DoSuperMethodA(cl, self, msg);
    }
}

// A person's drop: the program's class may refuse it in its DragDrop.
IPTR Drop(Object *self, TreeData *d, MUIP_NListtree_Drop *msg)
{
    d->dropType = LONG(msg->DropType);
    d->dropTarget = msg->DropTarget;
    IPTR done = DoMethod(self, MUIM_DragQuery, self) ? DoMethod(self, MUIM_DragDrop, self, 0, 0) : 0;
    d->dropType = MUIV_NListtree_DropType_None;
    d->dropTarget = nullptr;
    return done;
}

IPTR Rename(Object *self, TreeData *d, MUIP_NListtree_Rename *msg)
{
    msg->TreeNode->tn_Name = msg->NewName;
    Changed(self, d);
    return ToIPTR(msg->TreeNode);
}

IPTR Sort(Object *self, TreeData *d, MUIP_NListtree_Sort *msg)
{
    Node *list = msg->ListNode;
    SortList(d, list ? list->tn_Children : d->roots, (msg->Flags & MUIV_NListtree_Sort_Flag_RecursiveOpen) != 0);
    Changed(self, d);
    return TRUE;
}

IPTR OpenClose(Object *self, MUIP_NListtree_Open *msg, bool open)
{
    Node *list = msg->ListNode, *node = msg->TreeNode;
    if (node == MUIV_NListtree_Open_TreeNode_Parent)
        OpenParents(list);
    else if (node)
        node->tn_Flags = open ? UWORD(node->tn_Flags | TNF_OPEN) : UWORD(node->tn_Flags & ~TNF_OPEN);
    PeerChanged(self, MUIA_NListtree_Quiet);   // the shown nodes changed, not the tree
    return TRUE;
}

IPTR TreeDispatcher(IClass *cl, Object *self, Msg msg)
{
    if (msg->MethodID == OM_NEW) {
        Object *obj = reinterpret_cast<Object *>(DoSuperMethodA(cl, self, msg));
        if (obj)
            ApplyTags(obj, NewInstance<TreeData>(cl, obj), SetTags(msg));
        return ToIPTR(obj);
    }
    TreeData *d = Instance<TreeData>(cl, self);
    switch (msg->MethodID) {
    case OM_DISPOSE: {
        std::vector<Node *> roots = std::move(d->roots);   // out of the tree before they go
        d->roots.clear();
        for (Node *n : roots)
            Destroy(d, n);
        DeleteInstance<TreeData>(cl, self);
        return DoSuperMethodA(cl, self, msg);
    }
    case OM_SET: ApplyTags(self, d, SetTags(msg)); return DoSuperMethodA(cl, self, msg);
    case OM_GET: return TreeGet(cl, self, msg);
    case MUIM_NListtree_Insert: return ToIPTR(Insert(self, d, reinterpret_cast<MUIP_NListtree_Insert *>(msg)));
    case MUIM_NListtree_Remove: return Remove(self, d, reinterpret_cast<MUIP_NListtree_Remove *>(msg)->TreeNode);
    case MUIM_NListtree_Clear: return Remove(self, d, MUIV_NListtree_Remove_TreeNode_All);
    case MUIM_NListtree_Rename: return Rename(self, d, reinterpret_cast<MUIP_NListtree_Rename *>(msg));
    case MUIM_NListtree_Sort: return Sort(self, d, reinterpret_cast<MUIP_NListtree_Sort *>(msg));
    case MUIM_NListtree_GetNr: return IPTR(Number(d, reinterpret_cast<MUIP_NListtree_GetNr *>(msg)->TreeNode));
    case MUIM_NListtree_GetEntry:
        return ToIPTR(Nth(d, LONG(reinterpret_cast<MUIP_NListtree_GetEntry *>(msg)->Position)));
    case MUIM_NListtree_Open: return OpenClose(self, reinterpret_cast<MUIP_NListtree_Open *>(msg), true);
    case MUIM_NListtree_Close: return OpenClose(self, reinterpret_cast<MUIP_NListtree_Open *>(msg), false);
    case MUIM_NListtree_Select: return Select(self, d, reinterpret_cast<MUIP_NListtree_Select *>(msg));
    case MUIM_NListtree_NextSelected:
        return NextSelected(d, reinterpret_cast<MUIP_NListtree_NextSelected *>(msg)->TreeNode);
    case MUIM_NListtree_Redraw: PeerChanged(self, MUIA_NListtree_Entries); return TRUE;
    case MUIM_NListtree_Drop: return Drop(self, d, reinterpret_cast<MUIP_NListtree_Drop *>(msg));
    case MUIM_DragQuery: return reinterpret_cast<MUIP_DragQuery *>(msg)->obj == self;
    case MUIM_DragDrop: return DragDrop(self, d);
    default: return DoSuperMethodA(cl, self, msg);
    }
}
}

void RegisterNListtreeClass()
{
    treeClass = MakeBuiltinClass(MUIC_NListtree, MUIC_Area, sizeof(TreeData), TreeDispatcher);
}

const std::vector<MUI_NListtree_TreeNode *> *NListtreeRoots(Object *tree)
{
    TreeData *d = Data(tree);
    return d ? &d->roots : nullptr;
}

const char *NListtreeNodeText(Object *tree, MUI_NListtree_TreeNode *node)
{
    TreeData *d = Data(tree);
    if (!d || !node)
        return "";
    if (!d->display)
        return node->tn_Name ? node->tn_Name : "";
    std::fill(std::begin(d->texts), std::end(d->texts), nullptr);
    CallHookPkt(d->display, d->texts, node);
    return d->texts[0] ? d->texts[0] : "";
}

const char *NListtreeNodeHelp(Object *tree, MUI_NListtree_TreeNode *node)
{
    NListtreeNodeText(tree, node);
    TreeData *d = Data(tree);
    return d && d->display && d->texts[1] ? d->texts[1] : nullptr;
}

bool NListtreeQuiet(Object *tree)
{
    TreeData *d = Data(tree);
    return d && d->quiet > 0;
}
