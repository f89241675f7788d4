// The AmigaGuide document type: recognition, the index, showing the header
// entries and nodes in the text list, search hits, and following links.
#include "aguide.h"

#include "core/classes.h"
#include "core/ids.h"
#include "core/locale.h"
#include "core/methods.h"
#include "core/objects.h"
#include "platform/dos/lines.h"
#include "platform/dos/locks.h"
#include "platform/dos/paths.h"
#include "platform/intuition/beep.h"
#include "platform/mui/requesters.h"
#include "platform/nlist/nlist.h"
#include "platform/utility/charset.h"
#include "textpage.h"
#include "util/fileinfo.h"
#include "util/names.h"

#include <new>

namespace {
MUI_CustomClass *clAGuideClass = nullptr;

constexpr LONG kHeadBytes = 99;

// What the type knows of the guide it read last and the node it shows.
struct GuideState {
    GuideHeader Header;
    FileHandle *HeaderOf = nullptr;   // the file the header fields were read from
    LONG ScanStart = 0;
    std::string TocNode;
    bool HasToc = false;
    LONG JumpLine = 0;
    GuideStyle Style;
    std::vector<GuideLink> Links;
    std::vector<LONG> DisplayIndex;    // elements of the text list each source line of the node added
    bool FollowingHeader = false;      // a contents, index or help entry is being followed
    GuideScanned *Scanned = nullptr;   // while a link opens another guide: that guide's scan
};

struct AGuideData {
    Object **PageObj;
    GuideState *State;
};

Object *TextList(AGuideData *d) { return *d->PageObj; }

// The number of the index's entry of that name (case ignored); negative when
// there is none.
LONG EntryNamed(CONST_STRPTR name) { return LONG(DoMethod(QMXObject.IndexObj, QMXM_IndexFindName, name)); }

// The text list as the node's lines go into it; buttons become its images.
class ListSink : public GuideSink {
public:
    explicit ListSink(Object *list) : list_(list) {}
    void Append(const std::string &text, bool wrap) override
    {
        DoMethod(list_, wrap ? MUIM_NList_InsertSingleWrap : MUIM_NList_InsertSingle, text.c_str(),
                 MUIV_NList_Insert_Bottom, WRAPCOL0, ALIGN_LEFT);
        ++elements_;
    }
    void Insert(const std::string &text, LONG position)
    {
        DoMethod(list_, MUIM_NList_InsertSingle, text.c_str(), position);
        ++elements_;
    }
    LONG Elements() override { return elements_; }
    void Button(LONG number, const std::string &label) override
    {
        DoMethod(list_, MUIM_NList_UseImage, MUI_MakeObject(MUIO_Button, label.c_str()), number, IPTR(-1));
    }

private:
    Object *list_;
    LONG elements_ = 0;
};

void ReadHeader(GuideState *s, FileHandle *fh)
{
    if (!IsGuide(fh, s->Header.Database, s->ScanStart))
        return;
    AGuideScan(nullptr, fh, s->ScanStart, s->Header);
    s->HeaderOf = fh;
}

// The header fields belong to the file shown, whoever was indexed since.
void EnsureHeader(GuideState *s, FileHandle *fh)
{
    if (s->HeaderOf != fh)
        ReadHeader(s, fh);
}

void ForgetLinks(AGuideData *d)
{
    for (LONG n = 1; n <= LONG(d->State->Links.size()); ++n)
        DoMethod(TextList(d), MUIM_NList_UseImage, nullptr, n, 0);
    d->State->Links.clear();
}

// Every file the viewer opens is recognised first: the header fields read
// before belong to another file, whatever its handle's address was.
IPTR clAGuide_QMXM_View_CheckFType(AGuideData *d, QMXP_View_CheckFType *msg)
{
    d->State->HeaderOf = nullptr;
    return IsGuide(msg->File->Handle, d->State->Header.Database, d->State->ScanStart) ? TYPE_AGID : 0;
}

// The viewer opens the guide a link's scan was made of: its entries and
// header fields are taken as they are.
bool TakeScanned(GuideState *s, QMXP_View_MakeIndex *msg)
{
    auto *file = reinterpret_cast<FileOpen *>(xget(QMXObject.ViewObj, QMXA_View_FileInfo));
    GuideScanned *scanned = s->Scanned;
    if (!scanned || !scanned->Record || !file || file->Handle != msg->Handle || !file->Name ||
        scanned->Path != file->Name)
        return false;
    SetLibrary(msg->Record, scanned->Record->Library);
    while (MinNode *entry = RemHeadMinList(&scanned->Record->Entries))
        AddEntry(msg->Record, reinterpret_cast<Doc *>(entry));
    s->Header = std::move(scanned->Header);
    s->ScanStart = scanned->ScanStart;
    return true;
}

IPTR clAGuide_QMXM_View_MakeIndex(AGuideData *d, QMXP_View_MakeIndex *msg)
{
    GuideState *s = d->State;
    s->HasToc = false;
    s->TocNode.clear();
    if (!TakeScanned(s, msg))
        AGuideScan(msg->Record, msg->Handle, s->ScanStart, s->Header);
    s->HeaderOf = msg->Handle;
    return 0;
}

void ShowHeaderLines(AGuideData *d)
{
    const GuideHeader &h = d->State->Header;
    DoMethod(QMXObject.ViewObj, QMXM_ViewClear);
    ListSink sink(TextList(d));
    sink.Append("\33b @DATABASE\33n\t" + h.Database, false);
    const std::pair<bool, std::string> lines[] = {
        {h.HasAuthor, "\33b @AUTHOR\33n\t" + h.Author},
        {h.HasNotice, "\33b @(C)\33n\t\t" + h.Notice},
        {h.HasVersion, "\33b @$VER:\33n\t\t" + h.Version},
        {h.HasXRef, "\33b @XREF\33n\t\t" + h.XRef},
        {h.HasFont, "\33b @FONT\33n\t\t" + h.FontName + " " + std::to_string(h.FontSize)},
    };
    for (const auto &[set, text] : lines)
        if (set)
            sink.Append(text, false);
}

void GoToTarget(AGuideData *d, const std::string &target, int form);

// The contents, index and help entries go to a node; one that names no file
// is looked up in the index. Following never leads to following again: a
// target naming a header entry ends there.
void FollowHeaderEntry(AGuideData *d, const std::string &target)
{
    GuideState *s = d->State;
    if (s->FollowingHeader)
        return;
    s->FollowingHeader = true;
    GoToTarget(d, target, 1);
    s->FollowingHeader = false;
}

void DisplayAGuide(AGuideData *d, Doc *entry, FileHandle *fh);

IPTR clAGuide_QMXM_View_ParseFile(AGuideData *d, QMXP_View_ParseFile *msg)
{
    GuideState *s = d->State;
    Doc *entry = msg->Entry;
    SetAttrs(QMXObject.ViewObj, QMXA_View_Page, 0);
    ForgetLinks(d);
    if (!entry)
        return 0;
    if (entry->Mark >= 1 && entry->Mark <= 4)
        EnsureHeader(s, msg->Handle);
    switch (entry->Mark) {
    case 1: ShowHeaderLines(d); break;
    case 2: FollowHeaderEntry(d, s->HasToc ? s->TocNode : "MAIN"); break;
    case 3: FollowHeaderEntry(d, s->Header.IndexNode); break;
    case 4: FollowHeaderEntry(d, s->Header.HelpNode); break;
    case ' ':
        DoMethod(QMXObject.ViewObj, QMXM_ViewClear);
        DisplayAGuide(d, entry, msg->Handle);
        break;
    default: break;
    }
    DoMethod(TextList(d), MUIM_NList_Jump, s->JumpLine);
    s->JumpLine = 0;
    return 0;
}

// What one command line of a node shows; the elements it added.
LONG NodeCommand(AGuideData *d, std::string &line, const CommandRow *row, ListSink &sink, bool &titled)
{
    GuideState *s = d->State;
    char *args = line.data() + 1 + row->compared;
    size_t length;
    switch (row->id) {
    case CMD_NODE: {
        char *next;
        char *name = GetArgString(args, &length, &next);
        if (s->HasToc && Stricmp(s->TocNode.c_str(), name) != 0) {
            s->HasToc = false;
            s->TocNode.clear();
        }
        char *title = next ? GetString(next, &length) : nullptr;
        if (!title || !length)
            return 0;
        sink.Insert(std::string("\33E\33c\33b") + title, 0);
        titled = true;
        return 1;
    }
    case CMD_TITLE: {
        char *title = GetString(args, &length);
        if (!length)
            return 0;
        LONG at = titled ? 1 : 0;
        sink.Insert(std::string("\33c") + title, at);
        sink.Insert("\33E", at + 1);
        return 2;
    }
    case CMD_TOC: {
        char *toc = GetString(args, &length);
        s->TocNode.assign(toc, length);
        s->HasToc = true;
        return 0;
    }
    case CMD_WORDWRAP:
    case CMD_SMARTWRAP:   // the node wraps from here on, and "{pard}" and "{body}" come back to it
        s->Style.WordWrap = s->Style.NodeWrap = s->Style.Wrap = true;
        return 0;
    default: return 0;   // the header's commands, and those this viewer does not draw, show nothing
    }
}

// One source line of a node, cut as the index scan and the search cut it:
// a full piece that ends in CR takes the newline after it.
bool ReadNodeLine(FileHandle *fh, std::string &line)
{
    ULONG length;
    const char *text = FReadLine(fh, kLineBuffer, &length);
    if (!text)
        return false;
    line = GuideLine(text, length);
    if (length == kLineBuffer - 1 && text[length - 1] == '\r') {
        LONG at = Seek(fh, 0, OFFSET_CURRENT);
        const char *next = FReadLine(fh, 2, &length);
        if (!next || *next != '\n')
            Seek(fh, at, OFFSET_BEGINNING);
    }
    return true;
}

// The line is converted first: its attributes may change the wrap mode it
// goes in with.
void AppendConverted(GuideState *s, const std::string &line, ListSink &sink)
{
    std::string shown = BuildGuideLine(line, s->Style, s->Links, sink);
    sink.Append(shown, s->Style.Wrap);
}

// A node's lines from its @NODE line on, each turned into display lines; how
// many elements each source line added is kept for the search.
void DisplayAGuide(AGuideData *d, Doc *entry, FileHandle *fh)
{
    GuideState *s = d->State;
    EnsureHeader(s, fh);
    s->Style = GuideStyle{};
    s->Style.WordWrap = s->Style.NodeWrap = s->Style.Wrap = s->Header.WordWrap;
    s->DisplayIndex.clear();
    ListSink sink(TextList(d));
    bool titled = false;
    SetAttrs(TextList(d), MUIA_NList_Quiet, TRUE);
    Seek(fh, entry->Offset, OFFSET_BEGINNING);
    std::string line;
    for (LONG i = 0; i < entry->Lines && ReadNodeLine(fh, line); ++i) {
        LONG before = sink.Elements();
        const CommandRow *row = line[0] == '@' ? GetCmdID(line.c_str() + 1) : nullptr;
        if (row)
            NodeCommand(d, line, row, sink, titled);
        else
            AppendConverted(s, line, sink);
        s->DisplayIndex.push_back(sink.Elements() - before);
    }
    SetAttrs(TextList(d), MUIA_NList_Quiet, FALSE);
}

// Whether a node's last line is its @ENDNODE.
bool EndsWithEndNode(Doc *entry)
{
    auto *file = reinterpret_cast<FileOpen *>(xget(QMXObject.ViewObj, QMXA_View_FileInfo));
    if (!file || !file->Handle || Seek(file->Handle, entry->Offset, OFFSET_BEGINNING) < 0)
        return false;
    std::string line;
    for (LONG i = 0; i < entry->Lines; ++i)
        if (!ReadNodeLine(file->Handle, line))
            return false;
    const CommandRow *row = line[0] == '@' ? GetCmdID(line.c_str() + 1) : nullptr;
    return row && row->id == CMD_ENDNODE;
}

// The node that holds the hit is shown, and the hit's line selected: the
// elements of the node's source lines before it are added up.
IPTR clAGuide_QMXM_View_SelectFind(AGuideData *d, QMXP_View_SelectFind *msg)
{
    Find *hit = msg->Hit;
    if (!hit)
        return 0;
    for (LONG pos = 0;; ++pos) {
        auto *e = reinterpret_cast<Doc *>(DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, pos));
        if (!e || (e->Lines && hit->Line < e->Line))
            return 0;
        if (!e->Lines || hit->Line > e->Line + e->Lines - 1)
            continue;
        size_t before = size_t(hit->Line - e->Line);
        if (before + 1 == size_t(e->Lines) && EndsWithEndNode(e))
            return 0;   // the @ENDNODE line is no line of the node: the view stays
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, pos);
        GuideState *s = d->State;
        LONG element = 0;
        for (size_t i = 0; i < before && i < s->DisplayIndex.size(); ++i)
            element += s->DisplayIndex[i];
        MUI_NList_GetEntryInfo info = {element, 0, 0, nullptr, 0, 0, 0};
        DoMethod(TextList(d), MUIM_NList_GetEntryInfo, &info);
        SelectTextLine(TextList(d), info.entry ? info.line : element, hit->Column);
        return 0;
    }
}

// The node "MAIN" (what the contents entry leads to when no node says
// otherwise), or the first node when none bears that name.
IPTR clAGuide_QMXM_View_MainEntry()
{
    LONG main = EntryNamed("MAIN");
    if (main >= 0)
        return IPTR(main);
    for (LONG pos = 0;; ++pos) {
        auto *e = reinterpret_cast<Doc *>(DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, pos));
        if (!e)
            return 0;
        if (e->Mark == ' ')
            return IPTR(pos);
    }
}

IPTR clAGuide_QMXM_View_CloseFile(AGuideData *d)
{
    GuideState *s = d->State;
    s->Header = GuideHeader{};
    s->HeaderOf = nullptr;
    s->HasToc = false;
    s->TocNode.clear();
    ForgetLinks(d);
    return 0;
}

// The guide shown by its full name, whatever folder the shell is in.
std::string ShownGuide()
{
    auto *file = reinterpret_cast<FileOpen *>(xget(QMXObject.ViewObj, QMXA_View_FileInfo));
    char full[8192];
    if (file && file->Lock && NameFromLock(file->Lock, full, sizeof full))
        return full;
    return reinterpret_cast<const char *>(xget(QMXObject.ViewObj, QMXA_View_File));
}

void NoNode(const std::string &node, const std::string &file)
{
    MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(0), GetLoc(63), GetLoc(132), node.c_str(), file.c_str());
}

void CannotOpen(const std::string &file)
{
    MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(0), GetLoc(63), GetLoc(11), file.c_str());
}

// "MAIN", or no node at all, is the guide's main node, which every guide has.
bool IsMainNode(const std::string &node) { return node.empty() || Stricmp(node.c_str(), "MAIN") == 0; }

// A node of this guide or of another file. The target is tried before
// anything is closed: a file that cannot be opened or a node that is not
// there is said, and the page stays as it is, its links and the history too.
void GoToTarget(AGuideData *d, const std::string &target, int form)
{
    GuideState *s = d->State;
    LinkTarget t = ParseLinkTarget(target, form);
    if (t.File.empty()) {
        if (!IsMainNode(t.Node) && EntryNamed(t.Node.c_str()) < 0)
            return NoNode(t.Node, ShownGuide());
        s->JumpLine = t.Line;
        SetAttrs(QMXObject.IndexObj, QMXA_Index_FindName, t.Node.c_str());
        return;
    }
    std::string path = GuideTargetFile(t.File);
    GuideScanned scanned;
    GuideHolds holds = GuideHoldsNode(path, t.Node, scanned);
    if (holds == GuideHolds::NoFile)
        return CannotOpen(path);
    if (holds == GuideHolds::NoNode && !IsMainNode(t.Node))
        return NoNode(t.Node, path);
    s->JumpLine = t.Line;
    s->Scanned = &scanned;   // the file is read once: opening it takes this scan
    SetAttrs(QMXObject.ViewObj, QMXA_View_File, path.c_str());
    s->Scanned = nullptr;
    SetAttrs(QMXObject.IndexObj, QMXA_Index_FindName, t.Node.c_str());
}

void FollowLink(AGuideData *d, LONG n)
{
    GuideState *s = d->State;
    if (n < 1 || n > LONG(s->Links.size()))
        return;
    GuideLink link = s->Links[size_t(n - 1)];   // a copy: following may close the document
    switch (link.Action) {
    case LINK_LINK:
    case LINK_ALINK:
    case LINK_GUIDE:
        if (link.Arg.empty())   // nowhere to go
            DisplayBeep(nullptr);
        else
            GoToTarget(d, link.Arg, link.Action == LINK_GUIDE ? 0 : 1);
        break;
    case LINK_CLOSE:
    case LINK_QUIT:
        DoMethod(QMXObject.App, MUIM_Application_PushMethod, QMXObject.ViewObj, 2, QMXM_ViewClose, 0);
        break;
    default: DisplayBeep(nullptr); break;   // scripts and commands are never run
    }
}

IPTR clAGuide_OM_SET(IClass *cl, Object *obj, AGuideData *d, Msg msg)
{
    if (TagItem *t = FindTagItem(QMXA_AGuide_Link, reinterpret_cast<opSet *>(msg)->ops_AttrList))
        FollowLink(d, LONG(t->ti_Data));
    return DoSuperMethodA(cl, obj, msg);
}

IPTR clAGuide_QMXM_DoMethodObject(Object *obj, AGuideData *d)
{
    d->PageObj = reinterpret_cast<Object **>(DoMethod(QMXObject.ViewObj, QMXM_ViewPageObject, 0));
    DoMethod(TextList(d), MUIM_Notify, MUIA_NList_ButtonClick, MUIV_EveryTime, obj, 3, MUIM_Set, QMXA_AGuide_Link,
             MUIV_TriggerValue);
    return 0;
}

IPTR clAGuide_OM_NEW(IClass *cl, Object *obj, Msg msg)
{
    Object *self = reinterpret_cast<Object *>(DoSuperMethodA(cl, obj, msg));
    if (!self)
        return 0;
    auto *d = static_cast<AGuideData *>(INST_DATA(cl, self));
    d->State = new (std::nothrow) GuideState;
    if (!d->State) {
        DisposeObject(self);
        return 0;
    }
    return ToIPTR(self);
}

IPTR clAGuide_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    if (msg->MethodID == OM_NEW)
        return clAGuide_OM_NEW(cl, obj, msg);
    auto *d = static_cast<AGuideData *>(INST_DATA(cl, obj));
    switch (msg->MethodID) {
    case OM_DISPOSE:
        delete d->State;
        d->State = nullptr;
        return DoSuperMethodA(cl, obj, msg);
    case OM_SET: return clAGuide_OM_SET(cl, obj, d, msg);
    case QMXM_DoMethodObject: return clAGuide_QMXM_DoMethodObject(obj, d);
    case QMXM_View_CheckFType: return clAGuide_QMXM_View_CheckFType(d, reinterpret_cast<QMXP_View_CheckFType *>(msg));
    case QMXM_View_MakeIndex: return clAGuide_QMXM_View_MakeIndex(d, reinterpret_cast<QMXP_View_MakeIndex *>(msg));
    case QMXM_View_ParseFile: return clAGuide_QMXM_View_ParseFile(d, reinterpret_cast<QMXP_View_ParseFile *>(msg));
    case QMXM_View_SelectFind: return clAGuide_QMXM_View_SelectFind(d, reinterpret_cast<QMXP_View_SelectFind *>(msg));
    case QMXM_View_SaveFile: return CopyDocument(reinterpret_cast<QMXP_View_SaveFile *>(msg));
    case QMXM_View_CloseFile: return clAGuide_QMXM_View_CloseFile(d);
    case QMXM_View_MainEntry: return clAGuide_QMXM_View_MainEntry();
    default: return DoSuperMethodA(cl, obj, msg);
    }
}
}

bool IsGuide(FileHandle *fh, std::string &database, LONG &scanStart)
{
    char head[kHeadBytes];
    if (Seek(fh, 0, OFFSET_BEGINNING) < 0)
        return false;
    LONG got = Read(fh, head, kHeadBytes);
    if (got <= 0 || !GuideDatabase(head, size_t(got), database, scanStart))
        return false;
    Seek(fh, scanStart, OFFSET_BEGINNING);
    return true;
}

MUI_CustomClass *clAGuide_Create(LONG flag)
{
    return ClassCreate(&clAGuideClass, flag, MUIC_Group, sizeof(AGuideData), clAGuide_Dispatcher);
}

BOOL ClassAGuide(BOOL create) { return ClassSlot(CL_AGuide, clAGuide_Create, create); }

std::string GuideTargetFile(const std::string &name) { return GuideFileBeside(ShownGuide(), name); }

const std::vector<GuideLink> &AGuideLinks(Object *guide)
{
    return static_cast<AGuideData *>(INST_DATA(clAGuideClass->mcc_Class, guide))->State->Links;
}
