#include "commands.h"
#include "core/ids.h"
#include "core/objects.h"
#include "doctypes/aguide.h"
#include "pager.h"
#include "platform/nlist/nlist.h"

namespace {
// The display line that holds link n's button, -1 when none does.
LONG ButtonLine(Object *list, LONG n)
{
    std::string code = "\33o[" + std::to_string(n) + "@";
    for (LONG i = 0; i < NListLineCount(list); ++i) {
        size_t pos, len;
        const char *text = NListLineText(list, i, &pos, &len);
        if (std::string_view(text + pos, len).find(code) != std::string_view::npos)
            return i;
    }
    return -1;
}

// Where a click goes: the file (empty for this guide), the node ("-" for
// the actions that go nowhere) and the line brought into view.
LinkTarget ClickTarget(const GuideLink &link)
{
    bool goes = link.Action == LINK_LINK || link.Action == LINK_ALINK || link.Action == LINK_GUIDE;
    if (!goes)
        return LinkTarget{"", "-", 0};
    LinkTarget t = ParseLinkTarget(link.Arg, link.Action == LINK_GUIDE ? 0 : 1);
    if (!t.File.empty())
        t.File = GuideTargetFile(t.File);
    return t;
}
}

void PrintGuideLinks(Object *list)
{
    Out().Write("--links--\n");
    const std::vector<GuideLink> &links = AGuideLinks(Parser[PARSER_AGUIDE]);
    for (size_t i = 0; i < links.size(); ++i) {
        const GuideLink &link = links[i];
        LinkTarget t = ClickTarget(link);
        LONG n = LONG(i + 1);
        Out().Write(std::to_string(n) + "\t" + link.Label + "\t" + LinkActionName(link.Action) + "\t" + t.File + "\t" +
                    t.Node + "\t" + std::to_string(t.Line) + "\t" + link.Arg + "\t" +
                    std::to_string(ButtonLine(list, n)) + "\n");
    }
}
