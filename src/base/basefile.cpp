// The base file: a header line, then records of a type letter, a 4-byte tag
// and a value, numbers in the byte order of the machine that wrote them. A
// base from a machine of the other byte order is read all the same: its
// version record tells (43 read the wrong way round is no version at all).
// Saving writes the whole file beside the old one and only then replaces it.
#include "baseheader.h"
#include "basewriter.h"
#include "baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "core/requesters.h"
#include "platform/dos/paths.h"
#include "platform/mui/requesters.h"
#include "util/strings.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {
void Quiet(bool on) { SetAttrs(BazaGUI.Tree, MUIA_NListtree_Quiet, on); }

void Problem(LONG message, IPTR arg, LONG title = 0)
{
    MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(title), GetLoc(63), GetLoc(message), arg);
}

ULONG Swapped(ULONG v) { return v >> 24 | (v >> 8 & 0xFF00) | (v << 8 & 0xFF0000) | v << 24; }

LONG NumberIn(const char *p, bool swap)
{
    ULONG raw;
    std::memcpy(&raw, p, 4);
    return LONG(swap ? Swapped(raw) : raw);
}

// A record's 4 tag bytes as one number, so a record is told by one switch.
constexpr ULONG TagOf(const char *t)
{
    return ULONG(UBYTE(t[0])) << 24 | ULONG(UBYTE(t[1])) << 16 | ULONG(UBYTE(t[2])) << 8 | ULONG(UBYTE(t[3]));
}

// The records are read through a window that moves along the file, so the
// bytes being looked at stay in the processor's cache: a base of 100,000
// entries is some 700,000 small records.
class BaseReader {
public:
    BaseReader(FileHandle *fh, LONG size) : fh_(fh), unread_(size) {}
    ~BaseReader();
    // Reads every record; the message of what went wrong, or 0.
    LONG Run();
    ULONG Version() const { return version_; }

private:
    // The window is refilled a read of 64 KB at a time, which goes past the
    // file handle's buffer straight into the window; what is left of the
    // window is moved to its front first.
    static constexpr LONG kRead = 1 << 16, kWindow = 2 * kRead;
    // Before each run of entries the window is topped up to this many bytes,
    // so that an entry with any name of a sensible length lies in it whole.
    static constexpr LONG kEntryRoom = 4096;

    bool Need(LONG n) { return n <= remaining_ || Refill(n); }
    bool Refill(LONG n);
    LONG EntriesAsWritten();
    bool Bytes(void *to, LONG n);
    bool Number(LONG *value);
    LONG Record(char letter, ULONG tag);
    LONG Field(char letter, ULONG tag);
    LONG Text(ULONG tag);
    LONG Structure(ULONG tag);

    FileHandle *fh_;
    std::unique_ptr<char[]> window_ = std::make_unique_for_overwrite<char[]>(kWindow);
    const char *at_ = window_.get();
    LONG remaining_ = 0;   // bytes of the window not yet taken
    LONG unread_;          // bytes of the file not yet in the window
    bool swap_ = false, orderKnown_ = false;
    ULONG version_ = 0;
    // The nodes made so far: a node's number in the file is its place in
    // the order of writing, which is the order of reading.
    std::vector<TreeNode *> nodes_;
    TreeNode *parent_ = nullptr;
    bool inGroup_ = false;
    bool ended_ = false;   // the end record was read
    STRPTR groupName_ = nullptr;
    Baza *doc_ = nullptr;       // a document being read, not yet in the tree
    Baza *lastDoc_ = nullptr;   // the document the entries that follow belong to
    Doc *entry_ = nullptr;
};

BaseReader::~BaseReader()
{
    DelSTR(&groupName_);
    BazaFree(doc_);
    DocFree(entry_);
}

// Makes the next n bytes (at most one read's worth) lie in the window; false when
// the file ends before them.
bool BaseReader::Refill(LONG n)
{
    if (n > remaining_ + unread_ || n > kRead)
        return false;
    std::memmove(window_.get(), at_, size_t(remaining_));
    at_ = window_.get();
    LONG want = std::min(kRead, unread_);
    LONG got = Read(fh_, window_.get() + remaining_, want);
    got = std::max<LONG>(got, 0);
    remaining_ += got;
    unread_ = got < want ? 0 : unread_ - got;   // a file cut short while we read it ends here
    return n <= remaining_;
}

// A text longer than a read goes from the file straight to its place.
bool BaseReader::Bytes(void *to, LONG n)
{
    if (n < 0 || n > remaining_ + unread_)
        return false;
    if (n <= kRead) {
        if (!Need(n))
            return false;
        std::memcpy(to, at_, size_t(n));
        at_ += n;
        remaining_ -= n;
        return true;
    }
    LONG first = remaining_;
    std::memcpy(to, at_, size_t(first));
    at_ += first;
    remaining_ = 0;
    LONG got = Read(fh_, static_cast<char *>(to) + first, n - first);
    unread_ = got == n - first ? unread_ - got : 0;
    return got == n - first;
}

bool BaseReader::Number(LONG *value)
{
    if (!Need(4))
        return false;
    *value = NumberIn(at_, swap_);
    at_ += 4;
    remaining_ -= 4;
    return true;
}

// Entries are nearly all of a base, and saving always writes an entry's
// records in one order: the name, the mark, the offset, the line count and
// the first line. The entries that follow in that order and lie whole in the
// window are taken in one loop; anything else goes record by record, which
// tells damage from what is merely unusual. Returns how many were taken.
LONG BaseReader::EntriesAsWritten()
{
    constexpr LONG kHead = 14, kTail = 38;   // the records before and after the name's characters
    if (!lastDoc_ || doc_ || entry_)
        return 0;
    const char *p = at_, *end = at_ + remaining_;
    const bool swap = swap_;
    LONG taken = 0;
    while (end - p >= kHead + kTail && std::memcmp(p, "\nFNC\nsFn01", 10) == 0) {
        LONG n = NumberIn(p + 10, swap);
        if (n < 0 || n > end - p - kHead - kTail)
            break;
        const char *tail = p + kHead + n;
        if (std::memcmp(tail, "cFn02", 5) != 0 || std::memcmp(tail + 6, "lFn03", 5) != 0 ||
            std::memcmp(tail + 15, "lFn04", 5) != 0 || std::memcmp(tail + 24, "lFn05", 5) != 0 ||
            std::memcmp(tail + 33, "\nFn&\n", 5) != 0)
            break;
        Doc *entry = KeptDocAlloc(p + kHead, n);
        entry->Mark = tail[5];
        entry->Offset = NumberIn(tail + 11, swap);
        entry->Lines = NumberIn(tail + 20, swap);
        entry->Line = NumberIn(tail + 29, swap);
        AddEntry(lastDoc_, entry);
        p = tail + kTail;
        ++taken;
    }
    remaining_ -= LONG(p - at_);
    at_ = p;
    return taken;
}

LONG BaseReader::Run()
{
    char record[5];
    while (Need(5)) {
        Need(kEntryRoom);   // tops the window up, unless the file ends sooner
        if (EntriesAsWritten())
            continue;
        Bytes(record, 5);
        LONG error = Record(record[0], TagOf(record + 1));
        if (error)
            return error;
    }
    // A base cut short at a record boundary reads like a whole one but for
    // its end record; saved again it would lose everything after the cut.
    return ended_ ? 0 : 23;
}

LONG BaseReader::Record(char letter, ULONG tag)
{
    if (tag == TagOf("QMX:")) {
        ULONG raw;
        if (letter != 'l' || !Bytes(&raw, 4))
            return 23;
        if (!orderKnown_ && raw > 0xFFFF && Swapped(raw) <= 0xFFFF)
            swap_ = true;
        orderKnown_ = true;
        version_ = swap_ ? Swapped(raw) : raw;
        return version_ <= 19 ? 22 : 0;
    }
    if (tag == TagOf("TREE")) {
        LONG n;
        if (letter != 'l' || !Number(&n))
            return 23;
        parent_ = n >= 0 && size_t(n) < nodes_.size() ? nodes_[size_t(n)] : nullptr;
        return 0;
    }
    if (letter == 's')
        return Text(tag);
    if (letter == 'c' || letter == 'l')
        return Field(letter, tag);
    return Structure(tag);
}

// The records that open and close groups, documents and entries; one out of
// order is damage like any other.
LONG BaseReader::Structure(ULONG tag)
{
    switch (tag) {
    case TagOf("GRP\n"):
        if (inGroup_ || doc_ || entry_)
            return 23;
        inGroup_ = true;
        return 0;
    case TagOf("Gr&\n"):
        if (!inGroup_)
            return 23;
        nodes_.push_back(BazaAdd2Tree(parent_, KIND_GROUP, groupName_ ? groupName_ : NewSTR(nullptr, 0)));
        groupName_ = nullptr;
        inGroup_ = false;
        return 0;
    case TagOf("DOC\n"):
        if (inGroup_ || doc_ || entry_ || !(doc_ = BazaAlloc(nullptr, nullptr)))
            return 23;
        doc_->InBase = 1;
        return 0;
    case TagOf("Dc&\n"):
        if (!doc_)
            return 23;
        nodes_.push_back(BazaAdd2Tree(parent_, KIND_DOCUMENT, doc_));
        lastDoc_ = doc_;
        doc_ = nullptr;
        return 0;
    case TagOf("FNC\n"):
        if (!lastDoc_ || doc_ || entry_ || !(entry_ = DocAlloc("")))   // named even when the file gives no name
            return 23;
        return 0;
    case TagOf("Fn&\n"):
        if (!entry_)
            return 23;
        AddEntry(lastDoc_, entry_);
        entry_ = nullptr;
        return 0;
    case TagOf("END."): ended_ = true; return 0;
    default: return 23;
    }
}

// A text field: its length, then that many characters; a length past the
// end of the file is damage, like a field of nothing open.
LONG BaseReader::Text(ULONG tag)
{
    LONG n;
    if (!Number(&n) || n < 0 || n > remaining_ + unread_)
        return 23;
    STRPTR *field = nullptr;
    switch (tag) {
    case TagOf("Gr01"): field = inGroup_ ? &groupName_ : nullptr; break;
    case TagOf("Dc01"): field = doc_ ? &doc_->Dir : nullptr; break;
    case TagOf("Dc02"): field = doc_ ? &doc_->Name : nullptr; break;
    case TagOf("Dc03"): field = doc_ ? &doc_->Library : nullptr; break;
    case TagOf("Fn01"): field = entry_ ? &entry_->Name : nullptr; break;
    }
    STRPTR text = field ? AllocTxt(n) : nullptr;
    if (!text || !Bytes(text, n)) {
        DelSTR(&text);
        return 23;
    }
    DelSTR(field);
    *field = text;
    return 0;
}

LONG BaseReader::Field(char letter, ULONG tag)
{
    if (letter == 'c') {
        char mark;
        if (!Bytes(&mark, 1) || tag != TagOf("Fn02") || !entry_)
            return 23;
        entry_->Mark = mark;
        return 0;
    }
    LONG value;
    LONG *field = !entry_                ? nullptr
                  : tag == TagOf("Fn03") ? &entry_->Offset
                  : tag == TagOf("Fn04") ? &entry_->Lines
                  : tag == TagOf("Fn05") ? &entry_->Line
                                         : nullptr;
    if (!Number(&value) || !field)
        return 23;
    *field = value;
    return 0;
}

FileRequester *BaseRequester(LONG title, BazaData *d, bool save)
{
    return MUI_AllocAslRequestTags(
        ASL_FileRequest, ASLFR_TitleText, GetLoc(title), ASLFR_InitialDrawer, d->Request.Dir ? d->Request.Dir : "",
        ASLFR_InitialFile, d->Request.Name ? d->Request.Name : "", ASLFR_InitialPattern, BazaFilePattern,
        ASLFR_PatternName, GetLoc(131), ASLFR_DoPatterns, TRUE, ASLFR_RejectIcons, TRUE, ASLFR_DoSaveMode, save,
        ASLFR_Window, xget(QMXObject.Win, MUIA_Window_Window), ASLFR_UserData, QMXObject.App, ASLFR_IntuiMsgFunc,
        &HOOK_RefreshASL, ASLFR_PrivateIDCMP, FALSE);
}
}

void SetBaseFile(BazaData *d, CONST_STRPTR name)
{
    std::string copy = name ? name : "";   // the name may be the base's own, freed below
    ClearFileOpen(&d->File, CLEAR_FREE);
    GetFileFromPath(&d->Request, copy.c_str());
    SetFilePath(&d->File.Name, d->Request.Dir, d->Request.Name);
}

namespace {
IPTR OpenBase(BazaData *d)
{
    CONST_STRPTR name = d->File.Name ? d->File.Name : "";
    FileLock *lock = Lock(name, SHARED_LOCK);
    if (!lock) {
        Problem(11, ToIPTR(name));
        return 0;
    }
    // The base is known by its full name from now on, however it was typed,
    // so the same file given another way counts as the same base.
    char full[8192];
    if (NameFromLock(lock, full, sizeof full))
        SetBaseFile(d, full);
    name = d->File.Name;
    Quiet(true);
    FileHandle *fh = Open(name, MODE_OLDFILE);
    if (!fh) {
        UnLock(lock);
        Quiet(false);
        Problem(11, ToIPTR(name));
        return 0;
    }
    LONG size = FileSize(fh);
    if (!FGets(fh, full, sizeof full) || std::strncmp(full, PlikBaseHeader, 24) != 0) {   // the whole first line
        Problem(21, ToIPTR(name));
        Close(fh);
        UnLock(lock);
        DelSTR(&d->File.Name);
        Quiet(false);
        return 0;
    }
    LONG error;
    ULONG version;
    {
        BaseReader reader(fh, std::max<LONG>(size - Seek(fh, 0, OFFSET_CURRENT), 0));
        error = reader.Run();
        version = reader.Version();
    }
    Close(fh);
    UnLock(lock);
    if (error) {
        Problem(error, 20);
        Quiet(false);
        clBaza_QMXM_BazaClose(d);
        return 0;
    }
    SetAttrs(BazaGUI.BaseName, MUIA_Text_Contents, FilePart(d->File.Name));
    if (version < ULONG(BaseCurrentVersion)) {
        clBaza_QMXM_BazaUpdate();
        Problem(24, 0, 1);
        konfig.Modified = 1;
    }
    Quiet(false);
    return ToIPTR(d->File.Name);
}
}

// Reading a large base takes a moment: the window shows it is busy.
IPTR clBaza_QMXM_BazaOpen(BazaData *d)
{
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, TRUE);
    IPTR opened = OpenBase(d);
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, FALSE);
    return opened;
}

namespace {
// Writes the base beside the file named and puts it in the file's place;
// false, with nothing left behind, when that fails.
bool WriteInPlaceOf(CONST_STRPTR name, const std::vector<TreeNode *> &roots)
{
    std::string temp;
    FileHandle *fh = OpenNewBeside(name, temp);
    if (!fh)
        return false;
    bool written = WriteBaseTree(fh, roots);
    written = Close(fh) && written;   // closed in every case, and checked
    if (written && RenameOver(temp.c_str(), name))
        return true;
    DeleteFile(temp.c_str());
    return false;
}
}

IPTR clBaza_QMXM_BazaSave(BazaData *d)
{
    auto *roots = NListtreeRoots(BazaGUI.Tree);
    if (!roots || roots->empty() || !d->File.Name)
        return 0;
    CONST_STRPTR name = d->File.Name;
    if (FileLock *lock = Lock(name, EXCLUSIVE_LOCK)) {
        LONG answer = MUI_Request(QMXObject.App, QMXObject.Win, 0, GetLoc(0), GetLoc(64), GetLoc(18), name);
        UnLock(lock);
        if (!answer)
            return 0;
    }
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, TRUE);
    Quiet(true);
    // a file that already holds the base (saved again after a rescan that
    // found nothing new) is left as it is: nothing waits for the disk
    bool saved = BaseFileHolds(name, *roots) || WriteInPlaceOf(name, *roots);
    if (saved) {
        konfig.Modified = 0;
        SetAttrs(BazaGUI.BaseName, MUIA_Text_Contents, FilePart(name));
    } else {
        Problem(20, ToIPTR(name));
    }
    Quiet(false);
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, FALSE);
    return saved;
}

IPTR clBaza_QMXM_BazaOpenASL(BazaData *d)
{
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, TRUE);
    if (FileRequester *req = BaseRequester(15, d, false)) {
        if (MUI_AslRequestTags(req) && req->fr_File && *req->fr_File) {
            DoMethod(QMXObject.App, MUIM_Application_CheckRefresh);
            std::string drawer = req->fr_Drawer ? req->fr_Drawer : "", file = req->fr_File;
            if (clBaza_QMXM_BazaClose(d)) {
                StoreFileInfo(&d->Request, drawer.c_str(), file.c_str());
                SetFilePath(&d->File.Name, d->Request.Dir, d->Request.Name);
                clBaza_QMXM_BazaOpen(d);
            }
        }
        MUI_FreeAslRequest(req);
    }
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, FALSE);
    return 0;
}

IPTR clBaza_QMXM_BazaSaveASL(Object *self, BazaData *d)
{
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, TRUE);
    if (FileRequester *req = BaseRequester(16, d, true)) {
        if (MUI_AslRequestTags(req) && req->fr_File && *req->fr_File) {
            SetFilePath(&d->File.Name, req->fr_Drawer, req->fr_File);
            DoMethod(self, QMXM_BazaSave);
        }
        MUI_FreeAslRequest(req);
    }
    SetAttrs(QMXObject.App, MUIA_Application_Sleep, FALSE);
    return 0;
}

// The base open goes (asked about where it holds changes) and the file
// named opens in its place; a file that does not open leaves no base, not
// one that only carries its name. TRUE when the file opened.
IPTR clBaza_QMXM_BazaReplace(BazaData *d, QMXP_BazaReplace *msg)
{
    std::string file = msg->File ? msg->File : "";   // the name may be the base's own, which the closing frees
    if (!clBaza_QMXM_BazaClose(d))
        return FALSE;
    SetBaseFile(d, file.c_str());
    if (clBaza_QMXM_BazaOpen(d))
        return TRUE;
    clBaza_QMXM_BazaClose(d);
    return FALSE;
}

IPTR clBaza_QMXM_BazaClose(BazaData *d)
{
    if (!clBaza_QMXM_BazaMayDrop())
        return 0;
    DoMethod(QMXObject.ViewObj, QMXM_ViewClose, 2);
    BazaGUIClear();
    BazaInit(d, CLEAR_FREE);
    SetAttrs(QMXObject.FindObj, QMXA_Find_Reset, TRUE);
    SetAttrs(konfig.LastBase, MUIA_String_Contents, "");
    return TRUE;
}
