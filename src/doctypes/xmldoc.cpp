#include "xmldoc.h"

#include "core/classes.h"
#include "core/ids.h"
#include "core/objects.h"
#include "platform/dos/lines.h"
#include "textpage.h"
#include "util/fileinfo.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {
MUI_CustomClass *clXmlDocClass = nullptr;

constexpr LONG kFirstLine = 20;

bool Recognise(FileOpen *file) { return IsXmlDoc(file->Handle); }

IPTR clXmlDoc_Dispatcher(IClass *cl, Object *obj, Msg msg)
{
    return TextPageDispatch(cl, obj, msg, TextPageType{TYPE_FXML, Recognise, XmlDocScan});
}

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// The line without its newline and a CR right before it.
std::string_view WithoutLineEnd(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// The quoted value that starts the text, up to its closing quote or, when
// that is missing, to the end of the line.
std::string_view QuotedValue(std::string_view text) { return text.substr(0, text.find('"')); }

// An interface element in any form: its name from a name="..." attribute
// that follows a blank or tab anywhere on the line; none when it has none.
bool InterfaceName(std::string_view tag, std::string_view &name)
{
    if (!StartsWith(tag, "interface") || (tag.size() > 9 && !IsBlank(tag[9]) && tag[9] != '>' && tag[9] != '/'))
        return false;
    name = {};
    for (size_t at = tag.find("name=\"", 9); at != std::string_view::npos; at = tag.find("name=\"", at + 1))
        if (IsBlank(tag[at - 1])) {
            name = QuotedValue(tag.substr(at + 6));
            break;
        }
    return true;
}

struct XmlScan {
    Baza *baza;
    std::string prefix;   // the interface's name and "/", or nothing
    LONG lineNo = 0;

    void Line(const char *text, size_t length)
    {
        ++lineNo;
        std::string_view line = WithoutLineEnd({text, length});
        size_t i = 0;
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size() || line[i] != '<')
            return;
        std::string_view tag = line.substr(i + 1), name;
        if (InterfaceName(tag, name))
            prefix = name.empty() ? std::string() : std::string(name) + "/";
        else if (StartsWith(tag, "method name=\""))
            AddMethod(QuotedValue(tag.substr(13)));
    }

    void AddMethod(std::string_view name)
    {
        std::string full = prefix;
        full.append(name);
        if (Doc *doc = DocAlloc(full.c_str())) {
            doc->Line = lineNo;
            AddEntry(baza, doc);
        }
    }
};
}

// The declaration spelt as XML spells it; "<?XML" is not one.
bool IsXmlDoc(FileHandle *fh)
{
    char head[kFirstLine];
    return Seek(fh, 0, OFFSET_BEGINNING) >= 0 && FGets(fh, head, kFirstLine) && std::strncmp(head, "<?xml", 5) == 0;
}

void XmlDocScan(Baza *baza, FileHandle *fh)
{
    SetLibrary(baza, "interface/method");
    AddWholeFileEntry(baza);
    Seek(fh, 0, OFFSET_BEGINNING);
    XmlScan scan{baza, std::string()};
    ForEveryLine(fh, kLineBuffer, [&](const char *line, size_t length) { scan.Line(line, length); });
}

MUI_CustomClass *clXmlDoc_Create(LONG flag) { return TextPageClass(&clXmlDocClass, flag, clXmlDoc_Dispatcher); }

BOOL ClassXMLDoc(BOOL create) { return ClassSlot(CL_XmlDoc, clXmlDoc_Create, create); }
