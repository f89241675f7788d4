// Finding a name in the base: the names of every document and of its
// entries, in tree order. Link mode wants a whole name (a double-clicked
// word); key mode (the quick-search field) the whole name first, then each
// request a name that contains the text, going on after the match before.
#include "baza.h"
#include "core/ids.h"
#include "core/locale.h"
#include "core/objects.h"
#include "platform/mui/requesters.h"
#include "platform/nlist/nlist.h"
#include "platform/utility/charset.h"
#include "util/names.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace {
TreeNode *NodeNr(LONG n)
{
    return reinterpret_cast<TreeNode *>(DoMethod(BazaGUI.Tree, MUIM_NListtree_GetEntry, 0, n, 0));
}


// A whole-name lookup passes over the documents none of whose names can be
// the word: each document keeps which (first letter, second letter, length)
// its names have, as 1024 bits. A name ends at its first blank or control
// byte, as a whole-name match does.
constexpr LONG kNoKey = -1;

// Bytes from 128 up all count alike: UTF-8 letters fold only as a whole.
LONG FoldedByte(char c) { return UBYTE(c) < 0x80 ? ToLower(UBYTE(c)) : 0x80; }

LONG NameKey(CONST_STRPTR text, LONG length)
{
    LONG c0 = FoldedByte(text[0]), c1 = length > 1 ? FoldedByte(text[1]) : 0;
    return (c0 * 31 + c1 * 7 + std::min<LONG>(length, 15)) & 1023;
}

LONG KeyOfName(CONST_STRPTR name)
{
    LONG length = 0;
    while (length < 16 && UBYTE(name[length]) > 32)
        ++length;
    return NameKey(name, length);
}

// A word with a blank or control byte in it is never passed over.
LONG KeyOfWord(CONST_STRPTR word, LONG length)
{
    for (LONG i = 0; i < length; ++i)
        if (UBYTE(word[i]) <= 32)
            return kNoKey;
    return length > 0 ? NameKey(word, length) : kNoKey;
}

struct NameFilter {
    LONG nameKey;   // the key of the document's own name when the filter was made
    uint64_t bits[16];
    bool Has(LONG key) const { return bits[key >> 6] >> (key & 63) & 1; }
};

class NameFilters {
public:
    // False when no name of the document can be the word with this key.
    bool MayHold(const Baza *baza, LONG key)
    {
        if (key == kNoKey)
            return true;
        if (generation_ != EntryListGeneration) {
            filters_.clear();
            generation_ = EntryListGeneration;
        }
        auto [it, made] = filters_.try_emplace(baza);
        if (made || it->second.nameKey != NameKeyOf(baza))
            Make(baza, it->second);
        NameFilter &f = it->second;
        return f.Has(key);
    }

private:
    static LONG NameKeyOf(const Baza *baza) { return baza->Name ? KeyOfName(baza->Name) : kNoKey; }

    static void Make(const Baza *baza, NameFilter &f)
    {
        f = NameFilter{NameKeyOf(baza), {}};
        auto add = [&](CONST_STRPTR name) {
            if (name) {
                LONG key = KeyOfName(name);
                f.bits[key >> 6] |= uint64_t(1) << (key & 63);
            }
        };
        add(baza->Name);
        for (Doc *e = FirstEntry(baza); e; e = NextEntry(e))
            add(e->Name);
    }

    std::unordered_map<const Baza *, NameFilter> filters_;
    ULONG generation_ = ~ULONG(0);
};
NameFilters Filters;

// The first match in a document from entry i on (-1: its own name first);
// the entry's position, -1 for its name, or -2 for none.
// The word as it came, and in the other encoding where it has one.
struct Word {
    CONST_STRPTR text;
    LONG length;
    std::string other;

    bool MayBeIn(const Baza *baza, LONG mode) const
    {
        return mode != 1 || Filters.MayHold(baza, KeyOfWord(text, length)) ||
               (!other.empty() && Filters.MayHold(baza, KeyOfWord(other.c_str(), LONG(other.size()))));
    }

    bool FoundIn(CONST_STRPTR name, LONG mode) const
    {
        return FindStrName(name, text, length, mode) ||
               (!other.empty() && FindStrName(name, other.c_str(), LONG(other.size()), mode));
    }
};

LONG MatchInDocument(const Baza *baza, LONG i, const Word &word, LONG mode)
{
    if (!word.MayBeIn(baza, mode))
        return -2;
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
    if (entry != -1) {
        DoMethod(QMXObject.IndexObj, QMXM_IndexShowEntry, entry);
    }
}

// A place in the base: a node's number and an entry of it (-1: its name).
struct Place {
    LONG node, entry;
    bool operator==(const Place &) const = default;
    bool operator<(const Place &o) const { return node < o.node || (node == o.node && entry < o.entry); }
};

// The first match from place on (its name first when its entry is -1) to
// the end of the base.
bool NextMatch(Place from, const Word &w, LONG mode, Place &found)
{
    LONG i = from.entry;
    for (LONG k = from.node; TreeNode *node = NodeNr(k); ++k) {
        if (NodeKind(node) == KIND_GROUP) {
            i = -1;
            continue;
        }
        LONG at = MatchInDocument(static_cast<Baza *>(node->tn_User), i, w, mode);
        if (at != -2) {
            found = {k, at};
            return true;
        }
        i = -1;
    }
    return false;
}

// The quick search's walk through the matches of one text: where it began,
// what it found last and what that left shown, and whether it has gone
// round the end of the base.
struct KeyWalk {
    std::string text;
    Place start{0, -1}, last{0, -1}, shown{-1, -1};
    bool wrapped = false;
};
KeyWalk Walk;

Place ShownPlace()
{
    auto *active = reinterpret_cast<TreeNode *>(xget(BazaGUI.Tree, MUIA_NListtree_Active));
    LONG k = active ? LONG(DoMethod(BazaGUI.Tree, MUIM_NListtree_GetNr, active, 0)) : 0;
    return {k, LONG(xget(QMXObject.IndexObj, QMXA_Index_Active))};
}

void ShowKeyMatch(Place found)
{
    Walk.last = found;
    ShowMatch(NodeNr(found.node), found.entry);
    Walk.shown = ShownPlace();
}

// A new walk: an exact name anywhere in the base comes first; else the walk
// starts in the active document behind its selected line.
bool StartKeyWalk(const Word &w)
{
    Walk = KeyWalk{std::string(w.text, size_t(w.length))};
    Place found, here = ShownPlace();
    if (NextMatch({0, -1}, w, 1, found)) {
        Walk.start = found;
        ShowKeyMatch(found);
        return true;
    }
    Walk.start = Walk.last = {here.node, here.node > 0 ? here.entry + 1 : here.entry};
    return false;
}

// Each request goes on behind the match before, round the end of the base
// once, up to where the walk began.
void FindKey(const Word &w)
{
    bool goingOn = Walk.text == std::string(w.text, size_t(w.length)) && ShownPlace() == Walk.shown;
    if (!goingOn && StartKeyWalk(w))
        return;
    Place from = goingOn ? Place{Walk.last.node, Walk.last.entry + 1} : Walk.start, found;
    if (!Walk.wrapped) {
        if (NextMatch(from, w, 0, found))
            return ShowKeyMatch(found);
        Walk.wrapped = true;
        from = {0, -1};
    }
    if (NextMatch(from, w, 0, found) && found < Walk.start)
        return ShowKeyMatch(found);
    Walk = KeyWalk{};
    MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(30), GetLoc(63), GetLoc(31),
                std::string(w.text, size_t(w.length)).c_str());
}
}

void FindBaseLink(CONST_STRPTR word, LONG length, LONG mode)
{
    if (!word || length <= 0)
        return;
    if (mode == 1 && !NodeNr(0)) {   // an empty base: only the document shown
        DoMethod(QMXObject.IndexObj, QMXM_IndexSelectName, word, length);
        return;
    }
    Word w = {word, length, OtherEncoding(word, size_t(length))};
    Place found;
    if (mode == 0)
        FindKey(w);
    else if (NextMatch({0, 0}, w, 1, found))
        ShowMatch(NodeNr(found.node), found.entry);
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

// A word asked for through the port is looked up afresh each time: asked
// again, it is found again, where the quick-search button would step on to
// its next match and, past the last, say there is none.
IPTR clBaza_QMXM_BazaLookUp(QMXP_BazaLookUp *msg)
{
    Walk = KeyWalk{};
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_FindKey, msg->Word);   // as the field and its button do
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
