// Finding a name in the base: the names of every document and of its
// entries, in tree order. Link mode wants a whole name (a double-clicked
// word); key mode a name that contains the text, and each request goes on
// after the match before (the quick-search field).
#include "app/ids.h"
#include "app/locale.h"
#include "app/startup.h"
#include "baza.h"
#include "platform/mui/requesters.h"
#include "util/names.h"
#include "view/index.h"

#include <string>

namespace {
TreeNode *NodeNr(LONG n) { return reinterpret_cast<TreeNode *>(DoMethod(BazaGUI.Tree, MUIM_NListtree_GetEntry, 0, n, 0)); }


// The first match in a document from entry i on (-1: its own name first);
// the entry's position, -1 for its name, or -2 for none.
// The word as it came, and in the other encoding where it has one.
struct Word {
    CONST_STRPTR text;
    LONG length;
    std::string other;

    bool FoundIn(CONST_STRPTR name, LONG mode) const
    {
        return FindStrName(name, text, length, mode) ||
               (!other.empty() && FindStrName(name, other.c_str(), LONG(other.size()), mode));
    }
};

LONG MatchInDocument(const Baza *baza, LONG i, const Word &word, LONG mode)
{
    if (i == -1) {
        if (word.FoundIn(baza->Name, mode))
            return -1;
        i = 0;
    }
    LONG position = 0;
    for (Doc *e = FirstEntry(baza); e; e = NextEntry(e), ++position)
        if (position >= i && word.FoundIn(e->Name, mode))
            return position;
    return -2;
}

void ShowMatch(TreeNode *node, LONG entry)
{
    DoMethod(BazaGUI.Tree, MUIM_NListtree_Open, node, MUIV_NListtree_Open_TreeNode_Parent, 0);
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_ActiveNode, node);
    if (entry != -1)
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, entry);
}
}

void FindBaseLink(CONST_STRPTR word, LONG length, LONG mode)
{
    if (!word || length <= 0)
        return;
    LONG k = 0, i = 0;
    if (mode == 1) {
        if (!NodeNr(0)) {   // an empty base: only the document shown
            IndexSelectName(word, length);
            return;
        }
    } else {
        auto *active = reinterpret_cast<TreeNode *>(xget(BazaGUI.Tree, MUIA_NListtree_Active));
        k = active ? LONG(DoMethod(BazaGUI.Tree, MUIM_NListtree_GetNr, active, 0)) : 0;
        i = LONG(xget(QMXObject.IndexObj, QMXA_Index_Active));
        if (k > 0)
            i = i == -1 ? 0 : i + 1;
    }
    Word w = {word, length, OtherEncoding(word, size_t(length))};
    for (TreeNode *node; (node = NodeNr(k)); ++k) {
        if (NodeKind(node) == KIND_GROUP) {
            i = -1;
            continue;
        }
        LONG found = MatchInDocument(static_cast<Baza *>(node->tn_User), i, w, mode);
        if (found != -2) {
            ShowMatch(node, found);
            return;
        }
        i = -1;
    }
    if (mode == 0) {
        std::string text(word, size_t(length));
        MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(30), GetLoc(63), GetLoc(31), text.c_str());
    }
}

IPTR clBaza_QMXM_BazaFindKey()
{
    auto *text = reinterpret_cast<CONST_STRPTR>(xget(BazaGUI.SearchString, MUIA_String_Contents));
    if (!text || !*text)
        return 0;
    std::string key = text;   // the field may change while the search shows its finds
    SetAttrs(BazaGUI.SearchRow, MUIA_Disabled, TRUE);
    FindBaseLink(key.c_str(), LONG(key.size()), 0);
    SetAttrs(BazaGUI.SearchRow, MUIA_Disabled, FALSE);
    return 0;
}

IPTR clBaza_QMXM_BazaFindLink(QMXP_BazaFindLink *msg)
{
    FindBaseLink(msg->Word, LONG(msg->Length), 1);
    return 0;
}

IPTR clBaza_QMXM_BazaGetEntry(QMXP_BazaGetEntry *msg)
{
    LONG n = LONG(msg->Number);
    TreeNode *node = n == -1 ? reinterpret_cast<TreeNode *>(xget(BazaGUI.Tree, MUIA_NListtree_Active)) : NodeNr(n);
    if (!node)
        return 0;
    return NodeKind(node) == KIND_GROUP ? IPTR(-2) : ToIPTR(node->tn_User);
}
