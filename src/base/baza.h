// The base panel: the document base as a tree of groups and documents, the
// base file it is kept in, building and rescanning it, and looking names up
// in it. One object of clBaza exists; the tree is an object of clBazaTree,
// a tree list with the base's drag-and-drop rules.
#pragma once
#include "core/methods.h"
#include "platform/nlist/nlisttree.h"
#include "records.h"
#include "util/fileinfo.h"

#include <functional>
#include <string>
#include <vector>

using TreeNode = MUI_NListtree_TreeNode;

// Node kinds, kept as the node's name value.
constexpr IPTR KIND_GROUP = 1;
constexpr IPTR KIND_DOCUMENT = 2;
inline IPTR NodeKind(const TreeNode *n) { return n ? reinterpret_cast<IPTR>(n->tn_Name) : 0; }
// A group's name or a document's file name, as the tree shows it.
const char *NodeName(const TreeNode *n);

struct BazaGUIRecord {
    Object *LoadButton;
    Object *BaseName;
    Object *Tree;
    Object *SearchRow;
    Object *SearchString;
    Object *SearchButton;
    Object *StopButton;   // ends an adding or rescanning that goes on
    WORD MenuOn;
};
extern BazaGUIRecord BazaGUI;

struct BazaData {
    FileInfo AddDir;    // only Dir: the drawer last chosen for adding files
    FileOpen File;      // the base file
    FileInfo Request;   // where the base requesters start
};

// Operation codes of QMXM_Baza_EdTree.
constexpr IPTR EdTree_AddGroup = 0x80000101;
constexpr IPTR EdTree_Rename = 0x80000102;
constexpr IPTR EdTree_AddFiles = 0x80000103;
constexpr IPTR EdTree_Delete = 0x80000104;
constexpr IPTR EdTree_Sort = 0x80000105;
constexpr IPTR EdTree_Deselect = 0x80000106;

constexpr const char *BazaFilePattern = "#?.qmx";
constexpr LONG BaseCurrentVersion = 43;

MUI_CustomClass *clBaza_Create(LONG flag);
MUI_CustomClass *clBazaTree_Create(LONG flag);
BOOL ClassBaza(BOOL create);

// ---- building (the panel's own helpers)
void BazaInit(BazaData *d, ULONG mode);
void BazaGUIClear();
TreeNode *BazaAdd2Tree(TreeNode *parent, IPTR kind, APTR user);
TreeNode *BazaAdd(IPTR kind, APTR user);
// The group the active node is or lies in; null for the top.
TreeNode *BazaActiveGroup();
// Adds files to the base below the active group, in the order given, scanned
// on as many threads as the machine has cores; stops at the first that cannot
// be read or that no document type takes, said as the viewer says it unless
// admit, asked first about such a file, refuses it (having said why itself).
// Shows how far it has come. Returns how many were added.
LONG BazaAddFiles(const std::vector<std::string> &names, bool (*admit)(const std::string &));
// A scanned file as a document of the base (its name the one its lock gave);
// the queue lets go of it.
Baza *TakeScanned(struct ScannedFile &file);
// A document's entries, caption and type replaced by those scanned again, as
// far as the file could be read; false when it could not be locked.
bool PutRescanned(Baza *baza, struct ScannedFile &file);
// Reads a file's entries into baza as the viewer indexes it; false when the
// file cannot be opened or no type takes it. fullName, when given, receives
// the name the file's lock gives it (size bytes).
bool BazaIndexFile(CONST_STRPTR name, Baza *baza, STRPTR fullName, ULONG size);
IPTR BazaAddFile(STRPTR *drawer);
// Rescans every document before it returns.
IPTR clBaza_QMXM_BazaUpdate();
// How far adding or rescanning many files has come: shown in the field above
// the tree and sent to whoever listens to QMXA_Baza_Progress. A call with
// all = 0 ends it and gives the field its text back.
struct BazaProgressRecord {
    LONG Done, All;
    CONST_STRPTR File;
};
void BazaProgress(LONG done, LONG all, CONST_STRPTR file);
void BazaDelTree();
// Calls visit for every node in tree order; it goes below a node when visit
// answers true.
void WalkTree(const std::function<bool(const TreeNode *)> &visit);
// The document node the viewer shows, or null for a document outside the base.
TreeNode *NodeOfShown();
void GroupRename();
IPTR clBaza_QMXM_Baza_EdTree(BazaData *d, QMXP_Baza_EdTree *msg);
void BazaEnableMenu(WORD on);
void BazaDisplayActiveEntry(LONG line);
// The group editor shows the node: a group's name, or nothing for a document.
void BazaShowInEditor(TreeNode *node);
// The tree highlights the node of the document the viewer shows, or nothing.
void BazaFollowView();

// ---- the base file
IPTR clBaza_QMXM_BazaOpenASL(BazaData *d);
IPTR clBaza_QMXM_BazaOpen(BazaData *d);
IPTR clBaza_QMXM_BazaSaveASL(Object *self, BazaData *d);
IPTR clBaza_QMXM_BazaSave(BazaData *d);
// 0 when the person kept an unsaved base (Cancel, or a save that was not made).
IPTR clBaza_QMXM_BazaClose(BazaData *d);
IPTR clBaza_QMXM_BazaReplace(BazaData *d, QMXP_BazaReplace *msg);
IPTR clBaza_QMXM_BazaMayDrop();
void SetBaseFile(BazaData *d, CONST_STRPTR name);

// ---- lookup
void FindBaseLink(CONST_STRPTR word, LONG length, LONG mode);
IPTR clBaza_QMXM_BazaFindKey();
IPTR clBaza_QMXM_BazaLookUp(QMXP_BazaLookUp *msg);
IPTR clBaza_QMXM_BazaFindLink(QMXP_BazaFindLink *msg);
IPTR clBaza_QMXM_BazaGetEntry(QMXP_BazaGetEntry *msg);
