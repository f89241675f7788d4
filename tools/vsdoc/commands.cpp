#include "commands.h"

#include "app/ids.h"
#include "app/konfig.h"
#include "app/startup.h"
#include "base/records.h"
#include "output.h"
#include "platform/nlist/nlist.h"
#include "session.h"
#include "view/view.h"

#include <cstdio>

namespace {
std::string TypeName(ULONG code)
{
    std::string name;
    for (int shift = 24; shift >= 0; shift -= 8)
        name += char(code >> shift & 0xFF);
    return name;
}

void PrintList(Object *list, CodeOutput mode)
{
    LONG count = LONG(xget(list, MUIA_NList_Entries));
    for (LONG i = 0; i < count; ++i) {
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

bool ParseVsdocArgs(const std::vector<std::string> &words, VsdocArgs &args, std::string &error)
{
    std::vector<std::string> rest;
    for (const std::string &w : words) {
        if (w == "--raw")
            args.raw = true;
        else if (w.size() > 1 && w[0] == '-' && w[1] == '-') {
            error = "unknown option " + w;
            return false;
        } else
            rest.push_back(w);
    }
    if (rest.empty()) {
        error = "no command";
        return false;
    }
    args.command = rest[0];
    bool index = args.command == "index" && rest.size() == 2;
    bool show = args.command == "show" && (rest.size() == 2 || rest.size() == 3);
    if (!index && !show) {
        error = "usage: vsdoc index FILE | vsdoc show [--raw] FILE [ENTRY]";
        return false;
    }
    args.file = rest[1];
    if (rest.size() == 3)
        args.entry = rest[2];
    return true;
}

int RunIndex(const VsdocArgs &args)
{
    Session session("vsdoc");
    if (!session.Ready() || !session.Open(args.file.c_str()))
        return 1;
    auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
    std::printf("%s\t%s\n", TypeName(konfig.FileType).c_str(), doc->Library ? doc->Library : "");
    for (Doc *e = FirstEntry(doc); e; e = NextEntry(e))
        std::printf("%s\t%c\t%ld\t%ld\t%ld\n", e->Name ? e->Name : "", e->Mark, long(e->Offset), long(e->Line),
                    long(e->Lines));
    return 0;
}

int RunShow(const VsdocArgs &args, bool terminal)
{
    Session session("vsdoc");
    if (!session.Ready() || !session.Open(args.file.c_str()))
        return 1;
    SelectEntry(args.entry);
    CodeOutput mode = args.raw ? CodeOutput::Raw : terminal ? CodeOutput::Terminal : CodeOutput::Plain;
    if (xget(View.Pages, MUIA_Group_ActivePage) == 0) {
        PrintList(View.TextList, mode);
        return 0;
    }
    PrintList(View.HeadList, mode);
    PrintList(View.ContentsList, mode);
    if (xget(View.ADocTabs, MUIA_ShowMe)) {
        std::printf("Example\n");
        PrintList(View.ExampleList, mode);
    }
    return 0;
}
