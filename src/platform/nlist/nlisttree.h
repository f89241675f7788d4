// NListtree: a tree of nodes, each with a name value and a user pointer,
// numbered in pre-order over the whole tree from 0. Hooks make, free, show
// and compare nodes; nodes can be opened, closed, selected, sorted, renamed
// and moved by drag and drop.
#pragma once
#include "../mui/mui.h"

#include <vector>

#define MUIC_NListtree "NListtree.mcc"

struct MUI_NListtree_TreeNode {
    STRPTR tn_Name;
    APTR tn_User;
    UWORD tn_Flags;
    MUI_NListtree_TreeNode *tn_Parent;   // null below the root
    std::vector<MUI_NListtree_TreeNode *> tn_Children;
};

constexpr UWORD TNF_OPEN = 1 << 0;
constexpr UWORD TNF_LIST = 1 << 1;
constexpr UWORD TNF_SELECTED = 1 << 4;

constexpr IPTR MUIA_NListtree_ConstructHook = 0x9d510201;
constexpr IPTR MUIA_NListtree_DestructHook = 0x9d510202;
constexpr IPTR MUIA_NListtree_DisplayHook = 0x9d510203;
constexpr IPTR MUIA_NListtree_CompareHook = 0x9d510204;
// A node, or MUIV_NListtree_Active_Off. An active node outside the selection
// becomes the only selected one.
constexpr IPTR MUIA_NListtree_Active = 0x9d510205;
constexpr IPTR MUIA_NListtree_Quiet = 0x9d510206;
constexpr IPTR MUIA_NListtree_DoubleClick = 0x9d510207;   // what a double-click does
constexpr IPTR MUIA_NListtree_EmptyNodes = 0x9d510208;
constexpr IPTR MUIA_NListtree_DragDropSort = 0x9d510209;
constexpr IPTR MUIA_NListtree_DupNodeName = 0x9d51020a;
constexpr IPTR MUIA_NListtree_MultiSelect = 0x9d51020b;
constexpr IPTR MUIA_NListtree_AutoVisible = 0x9d51020c;
constexpr IPTR MUIA_NListtree_TreeColumn = 0x9d51020d;
constexpr IPTR MUIA_NListtree_DropType = 0x9d51020e;     // during a drop
constexpr IPTR MUIA_NListtree_DropTarget = 0x9d51020f;   // during a drop
constexpr IPTR MUIA_NListtree_EntryClick = 0x9d510210;   // set on every click on a node: its number
constexpr IPTR MUIA_NListtree_Entries = 0x9d510211;      // get: nodes in the whole tree

constexpr IPTR MUIM_NListtree_Insert = 0x9d510301;
constexpr IPTR MUIM_NListtree_Remove = 0x9d510302;
constexpr IPTR MUIM_NListtree_Rename = 0x9d510303;
constexpr IPTR MUIM_NListtree_Sort = 0x9d510304;
constexpr IPTR MUIM_NListtree_GetNr = 0x9d510305;
constexpr IPTR MUIM_NListtree_GetEntry = 0x9d510306;
constexpr IPTR MUIM_NListtree_Open = 0x9d510307;
constexpr IPTR MUIM_NListtree_Close = 0x9d510308;
constexpr IPTR MUIM_NListtree_Select = 0x9d510309;
constexpr IPTR MUIM_NListtree_Move = 0x9d51030a;
constexpr IPTR MUIM_NListtree_NextSelected = 0x9d51030b;
constexpr IPTR MUIM_NListtree_Clear = 0x9d51030c;
constexpr IPTR MUIM_NListtree_Redraw = 0x9d51030d;
constexpr IPTR MUIM_NListtree_Drop = 0x9d51030e;
constexpr IPTR MUIM_DragQuery = 0x80420034;
constexpr IPTR MUIM_DragDrop = 0x80420035;

// Method messages; numbers fill whole IPTR cells as DoMethod passes them.
struct MUIP_NListtree_Insert {
    IPTR MethodID;
    STRPTR Name;
    APTR User;
    MUI_NListtree_TreeNode *ListNode;   // the parent, null for the root
    MUI_NListtree_TreeNode *PrevNode;   // insert after it, or MUIV_NListtree_Insert_PrevNode_Tail
    IPTR Flags;
};
struct MUIP_NListtree_Remove {
    IPTR MethodID;
    MUI_NListtree_TreeNode *ListNode;
    MUI_NListtree_TreeNode *TreeNode;   // a node or MUIV_NListtree_Remove_TreeNode_All / _Selected / _Active
    IPTR Flags;
};
struct MUIP_NListtree_Rename {
    IPTR MethodID;
    MUI_NListtree_TreeNode *TreeNode;
    STRPTR NewName;
    IPTR Flags;
};
struct MUIP_NListtree_Sort {
    IPTR MethodID;
    MUI_NListtree_TreeNode *ListNode;
    IPTR Flags;
};
struct MUIP_NListtree_GetNr {   // -> the node's number, or -1
    IPTR MethodID;
    MUI_NListtree_TreeNode *TreeNode;
    IPTR Flags;
};
struct MUIP_NListtree_GetEntry {   // -> the node at that number
    IPTR MethodID;
    MUI_NListtree_TreeNode *ListNode;
    SIPTR Position;
    IPTR Flags;
};
struct MUIP_NListtree_Open {   // also MUIM_NListtree_Close
    IPTR MethodID;
    MUI_NListtree_TreeNode *ListNode;
    MUI_NListtree_TreeNode *TreeNode;   // a node or MUIV_NListtree_Open_TreeNode_Parent
    IPTR Flags;
};
struct MUIP_NListtree_Select {
    IPTR MethodID;
    MUI_NListtree_TreeNode *TreeNode;   // a node or MUIV_NListtree_Select_All
    SIPTR SelType;
    IPTR SelFlags;
    LONG *State;   // may be null
};
struct MUIP_NListtree_NextSelected {
    IPTR MethodID;
    MUI_NListtree_TreeNode **TreeNode;   // in: where to start (-1 the beginning); out: the next one, or -1
};
struct MUIP_NListtree_Drop {   // what a person's drop asks
    IPTR MethodID;
    SIPTR DropType;
    MUI_NListtree_TreeNode *DropTarget;
};
struct MUIP_DragQuery {
    IPTR MethodID;
    Object *obj;   // what is dragged
};

#define MUIV_NListtree_Active_Off (static_cast<MUI_NListtree_TreeNode *>(nullptr))
#define MUIV_NListtree_Insert_ListNode_Root (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(0)))
#define MUIV_NListtree_Insert_PrevNode_Tail (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(-2)))
#define MUIV_NListtree_Remove_ListNode_Root (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(0)))
#define MUIV_NListtree_Remove_TreeNode_All (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(-3)))
#define MUIV_NListtree_Remove_TreeNode_Selected (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(-4)))
#define MUIV_NListtree_Remove_TreeNode_Active (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(-2)))
#define MUIV_NListtree_GetEntry_ListNode_Root (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(0)))
#define MUIV_NListtree_Select_All (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(-2)))
#define MUIV_NListtree_Open_TreeNode_Parent (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(-2)))
#define MUIV_NListtree_Move_NewTreeNode_Tail (reinterpret_cast<MUI_NListtree_TreeNode *>(IPTR(-2)))
constexpr LONG MUIV_NListtree_DoubleClick_Tree = -3;
constexpr LONG MUIV_NListtree_DropType_None = 0, MUIV_NListtree_DropType_Above = 1, MUIV_NListtree_DropType_Below = 2,
               MUIV_NListtree_DropType_Onto = 3;
constexpr LONG MUIV_NListtree_Select_On = 1, MUIV_NListtree_Select_Off = 0;
constexpr LONG MUIV_NListtree_Sort_Flag_RecursiveOpen = 1 << 13;

// Hooks: construct (hook, pool, message {name, user}) returns the user data
// to keep; destruct (hook, pool, message {name, user}); display (hook, array
// of texts, node: the text in the first cell, and a help text for the node
// in the second, or null); compare (hook, node1, node2) returns <0, 0 or >0.
struct MUIP_NListtree_ConstructMessage {
    STRPTR Name;
    APTR UserData;
};
struct MUIP_NListtree_CompareMessage {
    MUI_NListtree_TreeNode *TreeNode1, *TreeNode2;
};

// ---- read access for renderers and the program
const std::vector<MUI_NListtree_TreeNode *> *NListtreeRoots(Object *tree);
// The shown text of a node (display hook, codes included).
const char *NListtreeNodeText(Object *tree, MUI_NListtree_TreeNode *node);
// The help text the display hook gives a node, or null.
const char *NListtreeNodeHelp(Object *tree, MUI_NListtree_TreeNode *node);
bool NListtreeQuiet(Object *tree);
