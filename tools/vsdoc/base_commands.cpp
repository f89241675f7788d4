// vsdoc's base commands: list a base, add files to it (into a group path
// made as needed), rescan it, and look a word up in it, all through the
// base panel the window program uses.
#include "base/baza.h"
#include "commands.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "json_line.h"
#include "pager.h"
#include "platform/dos/locks.h"
#include "platform/dos/paths.h"
#include "platform/mui/requesters.h"
#include "session.h"
#include "util/fileinfo.h"
#include "util/strings.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {
bool BaseExists(const std::string &path)
{
    FileLock *lock = Lock(path.c_str(), SHARED_LOCK);
    UnLock(lock);
    return lock != nullptr;
}

bool OpenBase(const std::string &path)
{
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, path.c_str());
    return DoMethod(QMXObject.BazaObj, QMXM_BazaOpen) != 0;
}

void SaveBase(const std::string &path)
{
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, path.c_str());
    DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
    konfig.Modified = 0;   // written: nothing to ask about at the end
}

// The group at the end of a path "A/B", made where it is missing.
TreeNode *GroupPath(const std::string &path)
{
    TreeNode *parent = nullptr;
    size_t start = 0;
    while (start < path.size()) {
        size_t slash = path.find('/', start);
        std::string name = path.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        start = slash == std::string::npos ? path.size() : slash + 1;
        if (name.empty())
            continue;
        const std::vector<TreeNode *> &level = parent ? parent->tn_Children : *NListtreeRoots(BazaGUI.Tree);
        TreeNode *found = nullptr;
        for (TreeNode *n : level)
            if (NodeKind(n) == KIND_GROUP && name == static_cast<const char *>(n->tn_User))
                found = n;
        parent = found ? found : BazaAdd2Tree(parent, KIND_GROUP, NewSTR(name.c_str(), -1));
    }
    return parent;
}

long EntryCount(const Baza *b)
{
    long count = 0;
    for (Doc *e = FirstEntry(b); e; e = NextEntry(e))
        ++count;
    return count;
}

void ListNodeJson(const TreeNode *n, int depth, LONG nr)
{
    JsonLine line;
    line.Number("number", nr).Number("depth", depth);
    if (NodeKind(n) == KIND_GROUP) {
        line.Text("kind", "group").Text("name", static_cast<const char *>(n->tn_User));
    } else {
        auto *b = static_cast<const Baza *>(n->tn_User);
        line.Text("kind", "document").Name("name", b->Name ? b->Name : "").Name("dir", b->Dir ? b->Dir : "");
        line.Number("entries", EntryCount(b));
    }
    Out().Write(line.Line());
}

void ListNode(const TreeNode *n, int depth, LONG &nr, bool json)
{
    if (json) {
        ListNodeJson(n, depth, nr++);
    } else if (NodeKind(n) == KIND_GROUP) {
        Out().Write(std::to_string(nr++) + "\t" + std::to_string(depth) + "\tG\t" +
                    static_cast<const char *>(n->tn_User) + "\n");
    } else {
        auto *b = static_cast<const Baza *>(n->tn_User);
        Out().Write(std::to_string(nr++) + "\t" + std::to_string(depth) + "\tD\t" + (b->Name ? b->Name : "") + "\t" +
                    (b->Dir ? b->Dir : "") + "\t" + std::to_string(EntryCount(b)) + "\n");
    }
    for (const TreeNode *c : n->tn_Children)
        ListNode(c, depth + 1, nr, json);
}

// "12/697 exec.doc" on one line of the terminal, rewritten as the work goes
// on and cleared at its end.
IPTR PrintProgress(Hook *, APTR, APTR message)
{
    auto *p = reinterpret_cast<const BazaProgressRecord *>(*static_cast<IPTR *>(message));
    if (p)
        std::fprintf(stderr, "\r\033[K%ld/%ld %s", long(p->Done), long(p->All), p->File ? FilePart(p->File) : "");
    else
        std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    return 0;
}
Hook HOOK_PrintProgress = {PrintProgress, nullptr};

void ProgressOnTerminal()
{
    if (isatty(STDERR_FILENO))
        DoMethod(QMXObject.BazaObj, MUIM_Notify, QMXA_Baza_Progress, MUIV_EveryTime, QMXObject.BazaObj, 3,
                 MUIM_CallHook, &HOOK_PrintProgress, MUIV_TriggerValue);
}

// The files of a folder and of the folders below it, in the order of their
// paths; hidden ones (".git") are left out, and links to folders are not
// followed, so a loop of links ends.
std::vector<std::string> FolderFiles(const std::string &folder)
{
    namespace fs = std::filesystem;
    std::vector<std::string> found;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().rfind('.', 0) == 0) {
            if (it->is_directory(ec))
                it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file(ec))
            found.push_back(it->path().string());
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool IsFolder(const std::string &path)
{
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

// A named file that did not go in is said, and why where that can be told;
// a folder is not: its files go in in its place.
bool SayUnlessFolder(const std::string &path) { return !IsFolder(path) && Readable(path); }

// While a folder's files are tried, a file no type reads is no fault to
// report: it is passed over and counted.
struct Passing : RequesterBackend {
    LONG Request(const std::string &, const std::string &, const std::string &) override { return 0; }
    bool FileRequest(const FileRequestSpec &, FileRequestResult &) override { return false; }
    void Notice(const std::string &) override {}
};

// Adds a folder's files in order, passing over and counting those that do
// not go in.
void AddFolder(const std::string &folder, LONG &passed)
{
    std::vector<std::string> files = FolderFiles(folder);
    Passing passing;
    RequesterBackend *was = CurrentRequesterBackend();
    SetRequesterBackend(&passing);
    for (size_t at = 0; at < files.size();) {
        at += size_t(BazaAddFiles({files.begin() + long(at), files.end()}, nullptr));
        if (at < files.size()) {
            ++passed;
            ++at;
        }
    }
    SetRequesterBackend(was);
}

// Adds the named files in order. A name is taken for a file first, and
// looked at only when it does not go in: a folder's files go in in its
// place; anything else ends the adding (failed names it). So the names of
// files cost no call to the system before they are scanned.
void AddNamed(const std::vector<std::string> &names, LONG &passed, std::string &failed)
{
    for (size_t at = 0; at < names.size();) {
        at += size_t(BazaAddFiles({names.begin() + long(at), names.end()}, SayUnlessFolder));
        if (at == names.size())
            return;
        if (!IsFolder(names[at])) {
            failed = names[at];
            return;
        }
        AddFolder(names[at++], passed);
    }
}

int Add(const VsdocArgs &args)
{
    SetAttrs(BazaGUI.Tree, MUIA_NListtree_Active, args.group.empty() ? nullptr : GroupPath(args.group));
    LONG passed = 0;
    std::string failed;
    AddNamed(args.files, passed, failed);
    if (!failed.empty())
        std::fprintf(stderr, "vsdoc: %s was not added; the files after it neither\n", failed.c_str());
    if (passed)
        std::fprintf(stderr, "vsdoc: passed over %ld file%s that no document type reads\n", long(passed),
                     passed == 1 ? "" : "s");
    SaveBase(args.file);
    return failed.empty() ? 0 : 1;
}
}

int RunBase(const VsdocArgs &args)
{
    Session session("vsdoc");
    if (!session.Ready())
        return 1;
    ProgressOnTerminal();
    bool exists = BaseExists(args.file);
    if ((exists || args.action != "add") && !OpenBase(args.file))
        return 1;
    if (args.action == "list") {
        LONG nr = 0;
        for (const TreeNode *n : *NListtreeRoots(BazaGUI.Tree))
            ListNode(n, 0, nr, args.json);
        return 0;
    }
    if (args.action == "rescan") {
        DoMethod(QMXObject.BazaObj, QMXM_BazaUpdate);
        SaveBase(args.file);
        return 0;
    }
    return Add(args);
}

int RunLookup(const VsdocArgs &args, bool styled)
{
    Session session("vsdoc");
    if (!session.Ready() || !OpenBase(args.file))
        return 1;
    DoMethod(QMXObject.BazaObj, QMXM_BazaFindLink, args.entry.c_str(), LONG(args.entry.size()));
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    if (!doc)
        return 1;
    Doc *entry = reinterpret_cast<Doc *>(DoMethod(QMXObject.IndexObj, QMXM_IndexGetEntry, -1));
    auto *file = reinterpret_cast<const char *>(xget(QMXObject.ViewObj, QMXA_View_File));
    if (!*file) {   // the base names a document that is gone from the disk
        std::fprintf(stderr, "vsdoc: %s is in %s, which cannot be opened\n", args.entry.c_str(),
                     SetFilePath(nullptr, doc->Dir, doc->Name));
        return 1;
    }
    if (args.json)
        Out().Write(JsonLine().Name("file", file).Text("entry", entry ? entry->Name : "").Line());
    else
        Out().Write(std::string(file) + "\t" + (entry && entry->Name ? entry->Name : "") + "\n");
    if (args.show)
        PrintShown(args, styled);
    return 0;
}
