// vsdoc search: the search panel's search from the shell, over every
// document of a base in tree order or over one file, one line per hit in the
// order the panel's next button visits them.
#include "base/baseheader.h"
#include "commands.h"
#include "core/ids.h"
#include "core/objects.h"
#include "json_line.h"
#include "output.h"
#include "pager.h"
#include "platform/dos/files.h"
#include "platform/exec/cores.h"
#include "search/targets.h"
#include "session.h"
#include "view/encoding.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {
// "PATH:LINE:COLUMN:" then the line, added to out without a formatted print per hit.
void AppendHit(std::string &out, const std::string &path, const SearchHit &hit)
{
    char digits[48];
    char *end = std::to_chars(digits, digits + 24, long(hit.Where.Line)).ptr;
    *end++ = ':';
    end = std::to_chars(end, digits + sizeof digits, long(hit.Where.Column)).ptr;
    *end++ = ':';
    out.append(path).push_back(':');
    out.append(digits, end).append(hit.Text, hit.Length).push_back('\n');
}

// One document's hits, as lines (or only counted).
struct TargetResult {
    std::string out;
    long hits = 0;
    bool unreadable = false;
};

void AppendHitJson(std::string &out, const std::string &path, const SearchHit &hit)
{
    std::string text(hit.Text, hit.Length);
    out += JsonLine()
               .Name("file", path)
               .Number("line", long(hit.Where.Line))
               .Number("column", long(hit.Where.Column))
               .Text("text", text.c_str())
               .Line();
}

bool FileIsUTF8(const std::string &path)
{
    FileHandle *fh = Open(path.c_str(), MODE_OLDFILE);
    bool utf8 = fh && DocumentIsUTF8(fh);
    if (fh)
        Close(fh);
    return utf8;
}

// On a terminal of another character set a hit's line is shown in it, as
// vsdoc show shows the document; the document's own encoding is read once,
// when the first hit that is not plain ASCII needs it.
class TerminalHits {
public:
    explicit TerminalHits(const std::string &path) : path(path) {}
    SearchHit For(const SearchHit &hit)
    {
        if (!(TerminalRecodes(false) || TerminalRecodes(true)) ||
            std::none_of(hit.Text, hit.Text + hit.Length, [](char c) { return UBYTE(c) >= 0x80; }))
            return hit;
        if (utf8 < 0)
            utf8 = FileIsUTF8(path);
        shown = ForTerminal(std::string_view(hit.Text, hit.Length), utf8 == 1);
        SearchHit recoded = hit;
        recoded.Text = shown.c_str();
        recoded.Length = shown.size();
        return recoded;
    }

private:
    const std::string &path;
    int utf8 = -1;
    std::string shown;
};

void SearchOne(const SearchTarget &target, const TextPattern &pattern, const VsdocArgs &args, TargetResult &r)
{
    TerminalHits terminal(target.Path);
    SearchEnd end = SearchFile(target.Path.c_str(), pattern, target.Start, [&](const SearchHit &hit) {
        ++r.hits;
        if (args.count)
            return true;
        if (args.json)
            AppendHitJson(r.out, target.Path, hit);
        else
            AppendHit(r.out, target.Path, terminal.For(hit));
        return true;
    });
    r.unreadable = end == SearchEnd::Unreadable;
}

// The documents are searched by as many threads as there are cores this
// process may use (up to four), each on a core of its own and taking the next
// document not yet taken; the results are then written in the documents' order.
int SearchTargets(const std::vector<SearchTarget> &targets, const VsdocArgs &args)
{
    const char *text = WithoutLeadingBlanks(args.entry.c_str());
    TextPattern pattern(text, std::strlen(text));
    std::vector<TargetResult> results(targets.size());
    std::atomic<size_t> next{0};
    int core = CurrentCore();
    auto work = [&](unsigned place) {
        CoreBinding bound(place, core);
        for (size_t i; (i = next.fetch_add(1)) < targets.size();)
            SearchOne(targets[i], pattern, args, results[i]);
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < std::min(Cores(), 4u) && t < targets.size(); ++t)
        helpers.emplace_back(work, t);
    work(0);
    for (std::thread &t : helpers)
        t.join();
    long hits = 0;
    for (size_t i = 0; i < targets.size(); ++i) {
        hits += results[i].hits;
        Out().Write(results[i].out);
        if (results[i].unreadable)
            std::fprintf(stderr, "vsdoc: %s could not be read; searched on without it\n", targets[i].Path.c_str());
    }
    if (args.count)
        Out().Write(args.json ? JsonLine().Number("hits", hits).Line() : std::to_string(hits) + "\n");
    return hits ? 0 : 1;
}
}

int RunSearch(const VsdocArgs &args)
{
    if (!Readable(args.file))
        return 1;
    if (!IsBaseHeader(args.file.c_str()))
        return SearchTargets({{args.file, SearchPosition(), 0}}, args);
    Session session("vsdoc");
    SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, args.file.c_str());
    if (!session.Ready() || !DoMethod(QMXObject.BazaObj, QMXM_BazaOpen))
        return 1;
    int rc = SearchTargets(BaseTargets(0), args);
    // Nothing was changed and the process ends: the system takes back the
    // base's hundreds of thousands of records at once, faster than they are
    // freed one by one.
    Out().Finish();
    std::fflush(stderr);
    std::_Exit(rc);
}
