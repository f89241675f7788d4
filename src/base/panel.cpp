// What the base panel keeps in step: the active entry shown in the viewer
// and the group editor, the base menu items, and the group editor's operations.
#include "baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "platform/dos/paths.h"
#include "platform/nlist/nlist.h"
#include "util/strings.h"

#include <cstring>

namespace {
TreeNode *ActiveNode() { return reinterpret_cast<TreeNode *>(xget(BazaGUI.Tree, MUIA_NListtree_Active)); }

void EdTreeAddGroup()
{
    auto *name = reinterpret_cast<CONST_STRPTR>(xget(QMXObject.GroupEdObj, QMXA_GroupEd_Name));
    if (!name || !*name)
        return;
    BazaAdd(KIND_GROUP, NewSTR(name, -1));
    SetAttrs(QMXObject.GroupEdObj, QMXA_GroupEd_Name, "");
}

// The active group's nodes, and those of its open groups, in name order;
// the next sort of the same group goes the other way.
void EdTreeSort()
{
    TreeNode *group = ActiveNode();
    if (NodeKind(group) != KIND_GROUP)
        return;
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Sort, group, MUIV_NListtree_Sort_Flag_RecursiveOpen);
    konfig.SortReverse = !konfig.SortReverse;
}

void EdTreeDeselect()
{
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Select, MUIV_NListtree_Select_All, MUIV_NListtree_Select_Off, 0, nullptr);
    SetAttrs(QMXObject.GroupEdObj, QMXA_GroupEd_EntryActive, 0, QMXA_GroupEd_GroupActive, 0);
}
}

IPTR clBaza_QMXM_Baza_EdTree(BazaData *d, QMXP_Baza_EdTree *msg)
{
    konfig.Modified = 1;
    switch (msg->Code) {
    case EdTree_AddGroup: EdTreeAddGroup(); break;
    case EdTree_Rename:
        GroupRename();
        SetAttrs(QMXObject.GroupEdObj, QMXA_GroupEd_Name, "");
        break;
    case EdTree_AddFiles: BazaAddFile(&d->AddDir.Dir); break;
    case EdTree_Delete:
        BazaDelTree();
        SetAttrs(QMXObject.FindObj, QMXA_Find_Reset, TRUE);
        SetAttrs(QMXObject.GroupEdObj, QMXA_GroupEd_EntryActive, 0);
        break;
    case EdTree_Sort: EdTreeSort(); break;
    case EdTree_Deselect: EdTreeDeselect(); break;
    }
    return 0;
}

void BazaEnableMenu(WORD on)
{
    if (on != BazaGUI.MenuOn) {
        BazaGUI.MenuOn = on;
        for (IPTR id : {MENU_BaseRefresh, MENU_BaseSave, MENU_BaseClose})
            MenuActive(id, on);
        SetAttrs(BazaGUI.SearchRow, MUIA_Disabled, !on);
        SetAttrs(QMXObject.FindObj, QMXA_Find_BaseReady, on);
    }
    if (!on)
        konfig.Modified = 0;
}

void BazaShowInEditor(TreeNode *node)
{
    bool group = NodeKind(node) == KIND_GROUP;
    SetAttrs(QMXObject.GroupEdObj, QMXA_GroupEd_Name, group ? static_cast<CONST_STRPTR>(node->tn_User) : "",
             QMXA_GroupEd_EntryActive, 1);
    SetAttrs(QMXObject.GroupEdObj, QMXA_GroupEd_GroupActive, group ? 1 : 0);
}

// A document opened by name (Back, File/open, the port) may be one of the
// base: the tree shows its node, so that the group editor acts on what is
// being read and not on the document shown before.
void BazaFollowView()
{
    TreeNode *node = NodeOfShown();
    if (!node) {
        EdTreeDeselect();
        return;
    }
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, node);
    BazaShowInEditor(node);
}

void BazaDisplayActiveEntry(LONG line)
{
    TreeNode *node = ActiveNode();
    if (!node)
        return;
    BazaShowInEditor(node);
    konfig.SortReverse = 0;
    if (NodeKind(node) == KIND_GROUP)
        return;
    SetAttrs(QMXObject.ViewObj, QMXA_View_Baza, node->tn_User);
    if (!konfig.NoSelFunc && line != -1)
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, line);
}

namespace {
// The viewer's own record, or a record of the same file: a document of the
// base opened by name (from the history, a file requester or the port) is
// shown through a record of the viewer's.
bool Shows(const Baza *baza, const Baza *shown, CONST_STRPTR name)
{
    return baza == shown || (name && std::strcmp(SetFilePath(nullptr, baza->Dir, baza->Name), name) == 0);
}
}

TreeNode *NodeOfShown()
{
    auto *shown = reinterpret_cast<const Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    auto *file = reinterpret_cast<const FileOpen *>(xget(QMXObject.ViewObj, QMXA_View_FileInfo));
    if (!shown || !file)
        return nullptr;
    char name[8192];
    CONST_STRPTR named = NameFromLock(file->Lock, name, sizeof name) ? name : nullptr;
    const TreeNode *found = nullptr;
    WalkTree([&](const TreeNode *n) {
        if (!found && NodeKind(n) == KIND_DOCUMENT && Shows(static_cast<const Baza *>(n->tn_User), shown, named))
            found = n;
        return !found;
    });
    return const_cast<TreeNode *>(found);
}
