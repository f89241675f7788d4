// Changing what the base holds: groups and documents inserted, files added
// through the requester, every document rescanned, nodes removed, groups
// renamed, and the group editor's operations.
#include "basejob.h"
#include "baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "core/requesters.h"
#include "platform/dos/format.h"
#include "platform/dos/paths.h"
#include "platform/mui/requesters.h"
#include "util/strings.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {
// The field shows the end of a text too long for it: the name is kept short
// so that the count before it is seen whole.
constexpr size_t kShownNameBytes = 24;

TreeNode *ActiveNode() { return reinterpret_cast<TreeNode *>(xget(BazaGUI.Tree, MUIA_NListtree_Active)); }

void Quiet(bool on) { SetAttrs(BazaGUI.Tree, MUIA_NListtree_Quiet, on); }

void Ask(LONG title, LONG buttons, LONG text, CONST_STRPTR arg, LONG *answer)
{
    *answer = MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(title), GetLoc(buttons), GetLoc(text), arg);
}

// "exec.doc, dos.doc": the names of the selected nodes, less those inside
// another selected node; a long list ends with "...".
std::string SelectedNames()
{
    constexpr size_t kMost = 10;
    std::vector<const TreeNode *> top;
    WalkTree([&](const TreeNode *n) {
        bool selected = n->tn_Flags & TNF_SELECTED;
        if (selected)
            top.push_back(n);
        return !selected;
    });
    std::string names;
    for (size_t i = 0; i < top.size() && i <= kMost; ++i)
        names += (i ? ", " : "") + std::string(i == kMost ? "..." : NodeName(top[i]));
    return names;
}

// True when the node or a group above it is selected: it goes with a delete.
bool InSelection(const TreeNode *n)
{
    for (; n; n = n->tn_Parent)
        if (n->tn_Flags & TNF_SELECTED)
            return true;
    return false;
}
}

void WalkTree(const std::function<bool(const TreeNode *)> &visit)
{
    std::function<void(const std::vector<TreeNode *> &)> walk = [&](const std::vector<TreeNode *> &nodes) {
        for (const TreeNode *n : nodes)
            if (visit(n))
                walk(n->tn_Children);
    };
    if (const std::vector<TreeNode *> *roots = NListtreeRoots(BazaGUI.Tree))
        walk(*roots);
}

void BazaInit(BazaData *d, ULONG mode)
{
    if (mode != CLEAR_INIT) {
        ClearFileOpen(&d->File, mode);
        ClearFileInfo(&d->AddDir, mode);
        ClearFileInfo(&d->Request, mode);
        return;
    }
    ClearFileInfo(&d->AddDir, CLEAR_INIT);
    ClearFileOpen(&d->File, CLEAR_INIT);
    ClearFileInfo(&d->Request, CLEAR_INIT);
    GetFileFromPath(&d->Request, BazaFileDir);
    SetFilePath(&d->File.Name, d->Request.Dir, d->Request.Name);
}

void BazaGUIClear()
{
    SetAttrs(BazaGUI.BaseName, MUIA_Text_Contents, GetLoc(36));
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Clear);
    KeptDocsFree();
    SetAttrs(BazaGUI.SearchString, MUIA_String_Contents, "");
}

TreeNode *BazaAdd2Tree(TreeNode *parent, IPTR kind, APTR user)
{
    return reinterpret_cast<TreeNode *>(DoMethod(BazaGUI.Tree, MUIM_NListtree_Insert, kind, user, parent,
                                                 MUIV_NListtree_Insert_PrevNode_Tail, TNF_LIST));
}

TreeNode *BazaActiveGroup()
{
    TreeNode *group = ActiveNode();
    while (group && NodeKind(group) != KIND_GROUP)
        group = group->tn_Parent;
    return group;
}

TreeNode *BazaAdd(IPTR kind, APTR user)
{
    TreeNode *group = BazaActiveGroup();
    Quiet(true);
    TreeNode *node = BazaAdd2Tree(group, kind, user);
    Quiet(false);
    return node;
}

bool BazaIndexFile(CONST_STRPTR name, Baza *baza, STRPTR fullName, ULONG size)
{
    FileOpen open;
    ClearFileOpen(&open, CLEAR_INIT);
    open.Name = NewSTR(name, -1);   // copied first: the name may lie in the shared buffer
    // The viewer locks the file to read it; that lock names it in full, so
    // the path is resolved once.
    bool taken = DoMethod(QMXObject.ViewObj, QMXM_View_MakeIndex, &open, baza) != 0 &&
                 (!fullName || NameFromLock(open.Lock, fullName, size));
    ClearFileOpen(&open, CLEAR_FREE);
    return taken;
}

void BazaProgress(LONG done, LONG all, CONST_STRPTR file)
{
    static std::string kept;   // the field's own text while it shows progress
    static bool showing = false;
    if (all > 0) {
        auto *own = reinterpret_cast<CONST_STRPTR>(xget(BazaGUI.BaseName, MUIA_Text_Contents));
        if (!showing)
            kept = own ? own : "";
        showing = true;
        std::string name = ShortenedInItsMiddle(FilePart(file ? file : ""), kShownNameBytes);
        IPTR args[] = {IPTR(done), IPTR(all), ToIPTR(name.c_str())};
        std::string text = VFormat(GetLoc(120), args, 3);
        SetAttrs(BazaGUI.BaseName, MUIA_Text_Contents, text.c_str());
        BazaProgressRecord record = {done, all, file};
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_Progress, &record);
    } else if (showing) {
        showing = false;
        SetAttrs(BazaGUI.BaseName, MUIA_Text_Contents, kept.c_str());
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_Progress, nullptr);
    }
    DoMethod(QMXObject.App, MUIM_Application_CheckRefresh);
}

IPTR BazaAddFile(STRPTR *drawer)
{
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, TRUE);
    FileRequester *req = MUI_AllocAslRequestTags(
        ASL_FileRequest, ASLFR_TitleText, GetLoc(13), ASLFR_InitialDrawer, *drawer ? *drawer : "", ASLFR_InitialPattern,
        DocFilePattern, ASLFR_PatternName, GetLoc(130), ASLFR_AllFilesFirst, TRUE, ASLFR_DoPatterns, TRUE,
        ASLFR_DoMultiSelect, TRUE, ASLFR_RejectIcons, TRUE, ASLFR_Window, xget(QMXObject.Win, MUIA_Window_Window),
        ASLFR_UserData, QMXObject.App, ASLFR_IntuiMsgFunc, &HOOK_RefreshASL, ASLFR_PrivateIDCMP, FALSE);
    if (req && MUI_AslRequestTags(req) && req->fr_NumArgs > 0) {
        DoMethod(QMXObject.App, MUIM_Application_CheckRefresh);
        DelSTR(drawer);
        *drawer = NewSTR(req->fr_Drawer, -1);
        std::vector<std::string> names;
        for (LONG i = 0; i < req->fr_NumArgs; ++i)
            names.emplace_back(SetFilePath(nullptr, *drawer, req->fr_ArgList[i].wa_Name));
        SetAttrs(QMXObject.App, MUIA_Application_Sleep, FALSE);
        BazaJobAdd(names);   // goes on while the window answers
    } else {
        SetAttrs(QMXObject.App, MUIA_Application_Sleep, FALSE);
    }
    MUI_FreeAslRequest(req);
    return 0;
}

// The question names what goes: each selected node that is not inside
// another selected one (its contents go with it).
void BazaDelTree()
{
    TreeNode *active = ActiveNode();
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, MUIV_NListtree_Active_Off);
    if (!active)
        return;
    // the node that was active goes even when it was not selected
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Select, active, MUIV_NListtree_Select_On, 0, nullptr);
    LONG answer;
    Ask(59, 65, 26, SelectedNames().c_str(), &answer);
    if (!answer)
        return;
    // The viewer lets go of a document that goes before its record is freed.
    if (InSelection(NodeOfShown()))
        DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 0);
    Quiet(true);
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Remove, 0, MUIV_NListtree_Remove_TreeNode_Selected, 0);
    Quiet(false);
}

void GroupRename()
{
    auto *text = reinterpret_cast<CONST_STRPTR>(xget(QMXObject.GroupEdObj, QMXA_GroupEd_Name));
    TreeNode *active = ActiveNode();
    if (!text || !*text || NodeKind(active) != KIND_GROUP)
        return;
    Quiet(true);
    auto old = static_cast<STRPTR>(active->tn_User);
    active->tn_User = NewSTR(text, -1);
    DelSTR(&old);
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Rename, active, active->tn_Name, 0);
    Quiet(false);
}
