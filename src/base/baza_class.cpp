// The base panel's class: its widgets, the tree's hooks, its attributes and
// the dispatcher; and the tree list class with the base's drop rules.
#include "basejob.h"
#include "baza.h"
#include "core/classes.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/methods.h"
#include "core/objects.h"
#include "platform/dos/paths.h"
#include "platform/nlist/nlist.h"
#include "platform/utility/charset.h"
#include "util/strings.h"

#include <string>

BazaGUIRecord BazaGUI;

namespace {
MUI_CustomClass *clBazaClass = nullptr;
MUI_CustomClass *clBazaTreeClass = nullptr;

IPTR ConstructNode(Hook *, APTR, APTR message)
{
    if (!BazaGUI.MenuOn)
        BazaEnableMenu(1);
    return ToIPTR(static_cast<MUIP_NListtree_ConstructMessage *>(message)->UserData);
}

IPTR DestructNode(Hook *, APTR, APTR message)
{
    auto *msg = static_cast<MUIP_NListtree_ConstructMessage *>(message);
    if (msg->UserData) {
        if (reinterpret_cast<IPTR>(msg->Name) == KIND_GROUP) {
            auto name = static_cast<STRPTR>(msg->UserData);
            DelSTR(&name);
        } else {
            BazaFree(static_cast<Baza *>(msg->UserData));
        }
        msg->UserData = nullptr;
    }
    // a node is out of the tree before it goes: the tree is empty when it was the last
    const std::vector<TreeNode *> *roots = NListtreeRoots(BazaGUI.Tree);
    BazaEnableMenu(roots && !roots->empty() ? 1 : 0);
    return 0;
}

// Every row tells its full path when pointed at: a document its file (a base
// of several SDKs holds many files of the same name), a group the groups
// above it and its own name.
std::string NodePath(const TreeNode *n)
{
    if (NodeKind(n) != KIND_GROUP) {
        auto *baza = static_cast<const Baza *>(n->tn_User);
        return std::string(baza->Dir ? baza->Dir : "") + (baza->Name ? baza->Name : "");
    }
    return n->tn_Parent ? NodePath(n->tn_Parent) + "/" + NodeName(n) : std::string(NodeName(n));
}

IPTR DisplayNode(Hook *, APTR array, APTR node)
{
    static std::string shown, path;
    auto *n = static_cast<TreeNode *>(node);
    shown = NodeKind(n) == KIND_GROUP ? std::string("\33b") + NodeName(n) : std::string(NodeName(n));
    path = NodePath(n);
    auto *texts = static_cast<CONST_STRPTR *>(array);
    texts[0] = shown.c_str();
    texts[1] = path.c_str();
    return 0;
}

IPTR CompareNodes(Hook *, APTR, APTR message)
{
    auto *msg = static_cast<MUIP_NListtree_CompareMessage *>(message);
    int order = Stricmp(NodeName(msg->TreeNode1), NodeName(msg->TreeNode2));
    return IPTR(SIPTR(konfig.SortReverse ? -order : order));
}

Hook HOOK_BazaConstruct = {ConstructNode, nullptr};
Hook HOOK_BazaDestruct = {DestructNode, nullptr};
Hook HOOK_BazaDisplay = {DisplayNode, nullptr};
Hook HOOK_BazaCompare = {CompareNodes, nullptr};

// What was dragged becomes the active node, and the group editor shows it,
// not the group that was active before the drag.
void Dropped(Object *tree)
{
    konfig.Modified = 1;
    auto *moved = reinterpret_cast<TreeNode *>(IPTR(-1));
    DoMethod(tree, MUIM_NListtree_NextSelected, &moved);
    if (moved == reinterpret_cast<TreeNode *>(IPTR(-1)))
        return;
    SetAttrs(tree, MUIA_NListtree_Active, moved, MUIA_NoNotify, TRUE);
    BazaShowInEditor(moved);
}

// Nothing is dropped from elsewhere, and nothing goes inside a document.
IPTR clBazaTree_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    switch (msg->MethodID) {
    case MUIM_DragQuery: return reinterpret_cast<MUIP_DragQuery *>(msg)->obj == obj;
    case MUIM_DragDrop: {
        LONG type = LONG(xget(obj, MUIA_NListtree_DropType));
        auto *target = reinterpret_cast<TreeNode *>(xget(obj, MUIA_NListtree_DropTarget));
        if (type == MUIV_NListtree_DropType_Onto && NodeKind(target) != KIND_GROUP)
            return 0;
        if (!target && type != MUIV_NListtree_DropType_None)
            return 0;
        IPTR done = DoSuperMethodA(cl, obj, msg);
        if (done)
            Dropped(obj);
        return done;
    }
    default: return DoSuperMethodA(cl, obj, msg);
    }
}

Object *MakeTree()
{
    if (!clBazaTreeClass)
        return nullptr;
    BazaGUI.Tree = NewObject(
        clBazaTreeClass->mcc_Class, nullptr, MUIA_CycleChain, TRUE, MUIA_Frame, MUIV_Frame_InputList,
        MUIA_NListtree_ConstructHook, &HOOK_BazaConstruct, MUIA_NListtree_DestructHook, &HOOK_BazaDestruct,
        MUIA_NListtree_DisplayHook, &HOOK_BazaDisplay, MUIA_NListtree_CompareHook, &HOOK_BazaCompare,
        MUIA_NListtree_DoubleClick, MUIV_NListtree_DoubleClick_Tree, MUIA_NListtree_EmptyNodes, TRUE,
        MUIA_NListtree_TreeColumn, 0, MUIA_NListtree_DragDropSort, TRUE, MUIA_NListtree_DupNodeName, FALSE,
        MUIA_NListtree_MultiSelect, 1, MUIA_NListtree_AutoVisible, 3);
    return BazaGUI.Tree;
}

IPTR clBaza_OM_NEW(IClass *cl, Object *obj, Msg msg)
{
    BazaGUI.LoadButton = MUI_MakeObject(MUIO_PopButton, MUII_PopFile);
    BazaGUI.BaseName = MUI_NewObject(MUIC_Text, MUIA_ShortHelp, GetLoc(87), MUIA_Frame, MUIV_Frame_Text,
                                     MUIA_Background, MUII_TextBack, MUIA_Text_PreParse, "\33c", MUIA_Text_SetMin,
                                     FALSE, MUIA_Text_Contents, GetLoc(36));
    BazaGUI.StopButton = MUI_MakeObject(MUIO_PopButton, MUII_TapeStop);
    SetAttrs(BazaGUI.StopButton, MUIA_Disabled, TRUE, MUIA_ShortHelp, GetLoc(133));
    Object *header = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Group_Spacing, 0, Child,
                                   MUI_NewObject(MUIC_Group, MUIA_ShortHelp, GetLoc(110), Child, BazaGUI.LoadButton),
                                   Child, BazaGUI.BaseName, Child, BazaGUI.StopButton);
    Object *tree = MUI_NewObject(MUIC_NListview, MUIA_ShortHelp, GetLoc(89), MUIA_NListview_NList, MakeTree());
    BazaGUI.SearchString = MUI_NewObject(MUIC_String, MUIA_ShortHelp, GetLoc(88), MUIA_Frame, MUIV_Frame_String,
                                         MUIA_CycleChain, TRUE, MUIA_String_MaxLen, 256);
    BazaGUI.SearchButton = MUI_MakeObject(MUIO_PopButton, MUII_PopUp);
    SetAttrs(BazaGUI.SearchButton, MUIA_ShortHelp, GetLoc(129));
    BazaGUI.SearchRow = MUI_NewObject(MUIC_Group, MUIA_Group_Horiz, TRUE, MUIA_Group_Spacing, 0, Child,
                                      BazaGUI.SearchString, Child, BazaGUI.SearchButton);
    Object *column = MUI_NewObject(MUIC_Group, Child, header, Child, tree, Child, BazaGUI.SearchRow);
    Object *self = DoSuperNew(cl, obj, reinterpret_cast<opSet *>(msg)->ops_AttrList, Child, column);
    if (!self)
        return 0;
    BazaInit(static_cast<BazaData *>(INST_DATA(cl, self)), CLEAR_INIT);
    SetAttrs(BazaGUI.SearchRow, MUIA_Disabled, TRUE);
    BazaGUI.MenuOn = 0;
    return ToIPTR(self);
}

TreeNode *NodeNr(LONG n)
{
    return reinterpret_cast<TreeNode *>(DoMethod(BazaGUI.Tree, MUIM_NListtree_GetEntry, 0, n, 0));
}

IPTR clBaza_OM_SET(IClass *cl, Object *self, Msg msg)
{
    BazaData *d = static_cast<BazaData *>(INST_DATA(cl, self));
    TagItem *walk = reinterpret_cast<opSet *>(msg)->ops_AttrList;
    while (TagItem *t = NextTagItem(&walk)) {
        switch (t->ti_Tag) {
        case QMXA_Baza_File: SetBaseFile(d, reinterpret_cast<CONST_STRPTR>(t->ti_Data)); break;
        case QMXA_Baza_ActiveNr:
            SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, NodeNr(LONG(t->ti_Data)));
            BazaDisplayActiveEntry(-1);
            break;
        case QMXA_Baza_ActiveNode:
            SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, t->ti_Data);
            BazaDisplayActiveEntry(-1);
            break;
        case QMXA_Baza_ShowActive: BazaDisplayActiveEntry(MUIV_NList_Active_Top); break;   // its opening line
        case QMXA_Baza_Stop: BazaJobStop(); break;
        case QMXA_Baza_FollowView: BazaFollowView(); break;
        case QMXA_Baza_FindKey:
            SetAttrs(BazaGUI.SearchString, MUIA_String_Contents, t->ti_Data);
            clBaza_QMXM_BazaFindKey();
            break;
        }
    }
    return DoSuperMethodA(cl, self, msg);
}

IPTR clBaza_OM_GET(IClass *cl, Object *self, Msg msg)
{
    BazaData *d = static_cast<BazaData *>(INST_DATA(cl, self));
    auto *get = reinterpret_cast<opGet *>(msg);
    switch (get->opg_AttrID) {
    case QMXA_Baza_File: *get->opg_Storage = ToIPTR(d->File.Name); return TRUE;
    case QMXA_Baza_Running: *get->opg_Storage = BazaJobRunning(); return TRUE;
    case QMXA_Baza_FileName: *get->opg_Storage = ToIPTR(d->File.Name ? FilePart(d->File.Name) : nullptr); return TRUE;
    case QMXA_Baza_ActiveNr:   // -1 with no active node, as the tree numbers no node
        *get->opg_Storage = DoMethod(BazaGUI.Tree, MUIM_NListtree_GetNr, xget(BazaGUI.Tree, MUIA_NListtree_Active), 0);
        return TRUE;
    default: return DoSuperMethodA(cl, self, msg);
    }
}

IPTR clBaza_QMXM_DoMethodObject(Object *self)
{
    if (!konfig.FullGUI)
        return 0;
    DoMethod(BazaGUI.LoadButton, MUIM_Notify, MUIA_Pressed, FALSE, self, 1, QMXM_BazaOpenASL);
    DoMethod(BazaGUI.StopButton, MUIM_Notify, MUIA_Pressed, FALSE, self, 3, MUIM_Set, QMXA_Baza_Stop, TRUE);
    DoMethod(BazaGUI.Tree, MUIM_Notify, MUIA_NListtree_EntryClick, MUIV_EveryTime, self, 3, MUIM_Set,
             QMXA_Baza_ShowActive, MUIV_TriggerValue);
    DoMethod(BazaGUI.SearchButton, MUIM_Notify, MUIA_Pressed, FALSE, self, 1, QMXM_BazaFindKey);
    DoMethod(BazaGUI.SearchString, MUIM_Notify, MUIA_String_Acknowledge, MUIV_EveryTime, self, 1, QMXM_BazaFindKey);
    return 0;
}

IPTR clBaza_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    BazaData *d = msg->MethodID == OM_NEW ? nullptr : static_cast<BazaData *>(INST_DATA(cl, obj));
    if (BazaJobRunning() && BazaJobEndsFor(msg))
        BazaJobFinish();
    switch (msg->MethodID) {
    case OM_NEW: return clBaza_OM_NEW(cl, obj, msg);
    case OM_DISPOSE:
        konfig.Modified = 0;   // the main loop asked already; the window goes now
        clBaza_QMXM_BazaClose(d);
        ForgetObject(obj);
        return DoSuperMethodA(cl, obj, msg);
    case OM_SET: return clBaza_OM_SET(cl, obj, msg);
    case OM_GET: return clBaza_OM_GET(cl, obj, msg);
    case QMXM_DoMethodObject: return clBaza_QMXM_DoMethodObject(obj);
    case QMXM_BazaOpenASL: return clBaza_QMXM_BazaOpenASL(d);
    case QMXM_BazaOpen: return clBaza_QMXM_BazaOpen(d);
    case QMXM_BazaSaveASL: return clBaza_QMXM_BazaSaveASL(obj, d);
    case QMXM_BazaSave: return clBaza_QMXM_BazaSave(d);
    case QMXM_BazaClose: return clBaza_QMXM_BazaClose(d);
    case QMXM_BazaReplace: return clBaza_QMXM_BazaReplace(d, reinterpret_cast<QMXP_BazaReplace *>(msg));
    case QMXM_BazaMayDrop: return clBaza_QMXM_BazaMayDrop();
    case QMXM_BazaUpdate: return clBaza_QMXM_BazaUpdate();
    case QMXM_BazaRefresh: BazaJobRescan(); return 0;
    case QMXM_Baza_JobStep: BazaJobStep(ULONG(reinterpret_cast<QMXP_Baza_JobStep *>(msg)->Serial)); return 0;
    case QMXM_BazaGetEntry: return clBaza_QMXM_BazaGetEntry(reinterpret_cast<QMXP_BazaGetEntry *>(msg));
    case QMXM_BazaFindKey: return clBaza_QMXM_BazaFindKey();
    case QMXM_BazaLookUp: return clBaza_QMXM_BazaLookUp(reinterpret_cast<QMXP_BazaLookUp *>(msg));
    case QMXM_BazaFindLink: return clBaza_QMXM_BazaFindLink(reinterpret_cast<QMXP_BazaFindLink *>(msg));
    case QMXM_Baza_EdTree: return clBaza_QMXM_Baza_EdTree(d, reinterpret_cast<QMXP_Baza_EdTree *>(msg));
    default: return DoSuperMethodA(cl, obj, msg);
    }
}
}

const char *NodeName(const TreeNode *n)
{
    switch (NodeKind(n)) {
    case KIND_GROUP: return static_cast<const char *>(n->tn_User);
    case KIND_DOCUMENT: return static_cast<const Baza *>(n->tn_User)->Name;
    default: return "NULL";
    }
}

MUI_CustomClass *clBaza_Create(LONG flag)
{
    return ClassCreate(&clBazaClass, flag, MUIC_Group, sizeof(BazaData), clBaza_Dispatcher);
}

MUI_CustomClass *clBazaTree_Create(LONG flag)
{
    return ClassCreate(&clBazaTreeClass, flag, MUIC_NListtree, 0, clBazaTree_Dispatcher);
}

BOOL ClassBaza(BOOL create)
{
    if (!create) {
        ClassSlot(CL_BazaTree, clBazaTree_Create, FALSE);
        return ClassSlot(CL_Baza, clBaza_Create, FALSE);
    }
    return ClassSlot(CL_BazaTree, clBazaTree_Create, TRUE) && ClassSlot(CL_Baza, clBaza_Create, TRUE);
}
