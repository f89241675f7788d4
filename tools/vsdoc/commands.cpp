#include "commands.h"

#include "app/ids.h"
#include "app/konfig.h"
#include "app/startup.h"
#include "base/records.h"
#include "output.h"
#include "platform/nlist/nlist.h"
#include "session.h"
#include "view/view.h"

#include <charconv>
#include <cstdio>

namespace {
std::string TypeName(ULONG code)
{
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8)
        name += char(code >> shift & 0xFF);
    return name;
}

void PrintList(Object *list, CodeOutput mode, LONG from = 0, LONG to = -1)
{
    LONG count = LONG(xget(list, MUIA_NList_Entries));
    if (to >= 0 && to < count)
        count = to;
    for (LONG i = from; i < count; ++i) {
        size_t pos, len;
        const char *text = NListLineText(list, i, &pos, &len);
        std::string piece(text + pos, len);
        std::printf("%s\n", RenderLine(piece.c_str(), mode).c_str());
    }
}

bool IsNumber(const std::string &s)
{
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos && s.size() < 10;
}

void SelectEntry(const std::string &entry)
{
    if (entry.empty())
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
    else if (IsNumber(entry))
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, std::stol(entry));
    else
        SetAttrs(QMXObject.IndexObj, QMXA_Index_FindName, entry.c_str());
}
}

namespace {
constexpr const char *kUsage = "usage: vsdoc index FILE | vsdoc show [--raw] FILE [ENTRY] | "
                               "vsdoc base list|add|rescan BASE [--group A/B] [FILE...] | "
                               "vsdoc lookup BASE WORD [--show] [--raw]";

bool Usage(std::string &error)
{
    error = kUsage;
    return false;
}
}

bool ParseVsdocArgs(const std::vector<std::string> &words, VsdocArgs &args, std::string &error)
{
    std::vector<std::string> rest;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string &w = words[i];
        if (w == "--raw")
            args.raw = true;
        else if (w == "--show")
            args.show = true;
        else if (w == "--group" && i + 1 < words.size())
            args.group = words[++i];
        else if (w.size() > 1 && w[0] == '-' && w[1] == '-') {
            error = "unknown option " + w;
            return false;
        } else
            rest.push_back(w);
    }
    if (rest.empty())
        return Usage(error);
    args.command = rest[0];
    size_t n = rest.size();
    if (args.command == "index" && n == 2) {
        args.file = rest[1];
        return true;
    }
    if (args.command == "show" && (n == 2 || n == 3)) {
        args.file = rest[1];
        args.entry = n == 3 ? rest[2] : "";
        return true;
    }
    if (args.command == "lookup" && n == 3) {
        args.file = rest[1];
        args.entry = rest[2];
        return true;
    }
    if (args.command == "base" && n >= 3) {
        args.action = rest[1];
        args.file = rest[2];
        args.files.assign(rest.begin() + 3, rest.end());
        bool add = args.action == "add" && !args.files.empty();
        bool other = (args.action == "list" || args.action == "rescan") && args.files.empty() && args.group.empty();
        if (add || other)
            return true;
    }
    return Usage(error);
}

namespace {
constexpr size_t kOutBlock = 1 << 16;

void AppendNumber(std::string &out, LONG n)
{
    char digits[16];
    auto [end, error] = std::to_chars(digits, digits + sizeof digits, n);
    out.append(digits, size_t(end - digits));
    (void)error;
}

void FlushOut(std::string &out)
{
    std::fflush(stdout);
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
}
}

int RunIndex(const VsdocArgs &args)
{
    Session session("vsdoc");
    if (!session.Ready() || !session.Open(args.file.c_str()))
        return 1;
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    std::printf("%s\t%s\n", TypeName(konfig.FileType).c_str(), doc->Library ? doc->Library : "");
    // tens of thousands of lines: put together in one buffer, written in large pieces
    std::string out;
    for (Doc *e = FirstEntry(doc); e; e = NextEntry(e)) {
        out.append(e->Name ? e->Name : "").append(1, '\t').append(1, e->Mark);
        for (LONG n : {e->Offset, e->Line, e->Lines})
            AppendNumber(out.append(1, '\t'), n);
        out.append(1, '\n');
        if (out.size() >= kOutBlock)
            FlushOut(out);
    }
    FlushOut(out);
    return 0;
}

namespace {
Doc *ActiveEntry()
{
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    LONG active = LONG(xget(QMXObject.IndexObj, QMXA_Index_Active));
    Doc *e = doc && active >= 0 ? FirstEntry(doc) : nullptr;
    for (; e && active > 0; --active)
        e = NextEntry(e);
    return e;
}

// A document shown whole (plain text, a header, an XML interface) scrolls to
// an entry's line; on a terminal the entry is the text from that line up to
// the next entry's, and the whole-file entry all of it.
void PrintShownText(CodeOutput mode)
{
    Doc *e = ActiveEntry();
    if (!e || e->Line <= 0) {
        PrintList(View.TextList, mode);
        return;
    }
    Doc *next = NextEntry(e);
    while (next && next->Line <= e->Line)
        next = NextEntry(next);
    PrintList(View.TextList, mode, e->Line - 1, next ? next->Line - 1 : -1);
}

// The entry shown, list by list as the viewer holds it.
void PrintShownLists(CodeOutput mode)
{
    if (xget(View.Pages, MUIA_Group_ActivePage) == 0) {
        PrintShownText(mode);
        return;
    }
    PrintList(View.HeadList, mode);
    PrintList(View.ContentsList, mode);
    if (xget(View.ADocTabs, MUIA_ShowMe)) {
        std::printf("Example\n");
        PrintList(View.ExampleList, mode);
    }
}

}

void PrintShown(const VsdocArgs &args, bool terminal)
{
    PrintShownLists(args.raw ? CodeOutput::Raw : terminal ? CodeOutput::Terminal : CodeOutput::Plain);
}

int RunShow(const VsdocArgs &args, bool terminal)
{
    Session session("vsdoc");
    if (!session.Ready() || !session.Open(args.file.c_str()))
        return 1;
    SelectEntry(args.entry);
    PrintShown(args, terminal);
    return 0;
}
