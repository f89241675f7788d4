// Reading a guide's structure: its command lines, their arguments, the
// database line that makes a file a guide, and the index scan that cuts the
// file into nodes and takes the header fields.
#include "aguide.h"

#include "platform/dos/lines.h"
#include "platform/utility/charset.h"
#include "util/strings.h"

#include <cstdlib>
#include <cstring>

namespace {
// Tried in this order, the first match wins: "REMARK" before "REM", and a
// keyword followed by more letters still matches (NODEX is NODE).
const CommandRow CommandName[] = {
    {"NODE", 4, CMD_NODE},         {"ENDNODE", 7, CMD_ENDNODE},
    {"DNODE", 5, CMD_DNODE},       {"INDEX", 5, CMD_INDEX},
    {"REMARK", 6, CMD_REMARK},     {"REM", 3, CMD_REMARK},
    {"AUTHOR", 6, CMD_AUTHOR},     {"(C)", 3, CMD_NOTICE},
    {"$VER:", 5, CMD_VERSION},     {"FONT", 4, CMD_FONT},
    {"HELP", 4, CMD_HELP},         {"XREF", 4, CMD_XREF},
    {"WORDWRAP", 8, CMD_WORDWRAP}, {"TAB", 3, CMD_TAB},
    {"TITLE", 5, CMD_TITLE},       {"TOC", 3, CMD_TOC},
    {"PREV", 4, CMD_PREV},         {"NEXT", 4, CMD_NEXT},
    {"EMBED", 5, CMD_EMBED},       {"PROPORTIONAL", 12, CMD_PROPORTIONAL},
    {"KEYWORDS", 8, CMD_KEYWORDS}, {"SMARTWRAP", 9, CMD_SMARTWRAP},
    {"MACRO", 5, CMD_MACRO},       {"ONOPEN", 6, CMD_ONOPEN},
    {"ONCLOSE", 7, CMD_ONCLOSE},   {nullptr, 0, 0},
};
// Guides carry commands of other viewers and later versions (@MASTER, @WIDTH...).
const CommandRow OtherCommand = {"", 0, CMD_OTHER};


bool IsEnd(char c) { return c == '\n' || c == '\0'; }

// From after an opening quote to the closing one, or to the line's end when
// it is not closed; what follows the closing quote is the next argument.
char *QuotedArgument(char *text, size_t *length, char **next)
{
    char *end = text;
    while (*end != '"' && !IsEnd(*end))
        ++end;
    bool closed = *end == '"';
    *next = closed && !IsEnd(end[1]) ? end + 1 : nullptr;
    *end = '\0';
    if (!closed && end > text && end[-1] == '\r')
        *--end = '\0';
    *length = size_t(end - text);
    return text;
}

// The first command of each kind sets a field; later ones leave it.
void TakeString(std::string &field, bool &set, char *args)
{
    size_t length;
    char *text = GetString(args, &length);
    if (!set)
        field.assign(text, length);
    set = true;
}

void TakeFont(GuideHeader &h, char *args)
{
    size_t length;
    char *next = nullptr;
    char *name = GetArgString(args, &length, &next);
    size_t sizeLength = 0;
    char *size = next ? GetArgString(next, &sizeLength, &next) : nullptr;
    if (h.HasFont)
        return;
    h.HasFont = true;
    h.FontName.assign(name, length);
    h.FontSize = size ? LONG(std::strtol(size, nullptr, 10)) : 0;
}

struct Scan {
    Baza *baza;
    GuideHeader &header;
    Doc *current = nullptr;
    LONG lineNo = 1, linesInNode = 0, offset = 0;
    bool inHeader = true;   // before the first node

    void Command(std::string &line)
    {
        const CommandRow *row = GetCmdID(line.c_str() + 1);
        if (!row)
            return;
        char *args = line.data() + 1 + row->compared;
        switch (row->id) {
        case CMD_NODE:
        case CMD_DNODE: NewNode(args); break;
        case CMD_ENDNODE:
            if (current)
                current->Lines = linesInNode;
            current = nullptr;
            break;
        case CMD_INDEX: TakeString(header.IndexNode, header.HasIndex, args); break;
        case CMD_AUTHOR: TakeString(header.Author, header.HasAuthor, args); break;
        case CMD_NOTICE: TakeString(header.Notice, header.HasNotice, args); break;
        case CMD_VERSION: TakeString(header.Version, header.HasVersion, args); break;
        case CMD_HELP: TakeString(header.HelpNode, header.HasHelp, args); break;
        case CMD_XREF: TakeString(header.XRef, header.HasXRef, args); break;
        case CMD_FONT: TakeFont(header, args); break;
        case CMD_WORDWRAP:
        case CMD_SMARTWRAP:   // in a node, for that node alone
            if (inHeader)
                header.WordWrap = true;
            break;
        default: break;
        }
    }

    void NewNode(char *args)
    {
        size_t length;
        char *next;
        char *name = GetArgString(args, &length, &next);
        inHeader = false;
        if (current)
            current->Lines = linesInNode - 1;
        if (!baza)   // the header fields alone
            return;
        current = DocAlloc(name);
        if (!current)
            return;
        current->Offset = offset;
        current->Line = lineNo;
        linesInNode = 1;
        AddEntry(baza, current);
    }

    // The header entries go first: the database, the contents, and the index
    // and help nodes where the file names them.
    void HeaderEntries()
    {
        Doc *database = DocAlloc("\33b @DATABASE");
        if (!database)
            return;
        database->Mark = 1;
        std::vector<Doc *> heads = {database};
        auto add = [&](const char *name, char mark) {
            if (Doc *d = DocAlloc(name)) {
                d->Mark = mark;
                heads.push_back(d);
            }
        };
        add("\33b @CONTENTS", 2);
        if (header.HasIndex)
            add("\33b @INDEX", 3);
        if (header.HasHelp)
            add("\33b @HELP", 4);
        for (size_t i = heads.size(); i-- > 0;)
            AddEntryFirst(baza, heads[i]);
    }
};
}

const CommandRow *GetCmdID(const char *text) { return GetCmdID(text, std::strlen(text)); }

// Most lines that start with "@" hold an attribute ("@{b}"): only the rows
// whose keyword starts with the line's letter are compared.
const CommandRow *GetCmdID(const char *text, size_t length)
{
    if (!length)
        return nullptr;
    char first = text[0] >= 'a' && text[0] <= 'z' ? char(text[0] - 32) : text[0];
    for (const CommandRow *row = CommandName; row->keyword; ++row)
        if (row->keyword[0] == first && length >= row->compared && Strnicmp(text, row->keyword, row->compared) == 0)
            return row;
    return first >= 'A' && first <= 'Z' ? &OtherCommand : nullptr;
}

std::string GuideLine(const char *text, size_t length)
{
    length = strnlen(text, length);
    if (length && text[length - 1] == '\n')
        --length;
    if (length && text[length - 1] == '\r')
        --length;
    std::string line(text, length);
    line += '\n';
    return line;
}

// A quoted argument keeps its blanks: real guides name nodes "The Author"
// and link to "Function Index".
char *GetArgString(char *text, size_t *length, char **next)
{
    while (*text == ' ')
        ++text;
    if (*text == '"')
        return QuotedArgument(text + 1, length, next);
    char *end = text;
    while (UBYTE(*end) > 32)
        ++end;
    size_t n = size_t(end - text);
    if (n && text[n - 1] == '"')
        --n;
    *next = IsEnd(*end) ? nullptr : end + 1;
    *end = '\0';
    text[n] = '\0';
    *length = n;
    return text;
}

char *GetString(char *text, size_t *length)
{
    while (*text == ' ' || *text == '\t')
        ++text;
    char *end;
    if (*text == '"') {
        ++text;
        for (end = text; *end != '"' && !IsEnd(*end);)
            ++end;
    } else {
        for (end = text; !IsEnd(*end);)
            ++end;
    }
    *end = '\0';
    *length = size_t(end - text);
    return text;
}

bool GuideDatabase(const char *head, size_t length, std::string &database, LONG &scanStart)
{
    if (length < 10 || Strnicmp(head, "@DATABASE ", 10) != 0)
        return false;
    const char *newline = static_cast<const char *>(std::memchr(head + 10, '\n', length - 10));
    size_t end = newline ? size_t(newline - head) : length;
    scanStart = LONG(end);
    std::string line = GuideLine(head + 10, end - 10);
    database = line.substr(0, line.size() - 1);
    return true;
}

// Only lines that start with "@" can be commands; the others are counted,
// 64 bytes at a time where they are short.
void AGuideScan(Baza *baza, FileHandle *fh, LONG scanStart, GuideHeader &header)
{
    if (baza)
        SetLibrary(baza, "@NODE");
    std::string database = std::move(header.Database);
    header = GuideHeader();   // every file starts with its own fields unset
    header.Database = std::move(database);
    Scan scan{baza, header};
    scan.offset = scanStart;
    Seek(fh, scanStart, OFFSET_BEGINNING);
    bool heldCR = false;   // the line before was a full piece ending in CR
    ForEachTextLine<AtSignLineStarts>(fh, kLineBuffer, [&](const char *text, size_t length, PassedLines passed) {
        scan.lineNo += LONG(passed.lines);
        scan.linesInNode += LONG(passed.lines);
        scan.offset += LONG(passed.bytes);
        if (!text)
            return false;
        bool joined = heldCR && passed.lines == 0 && length == 1 && text[0] == '\n';   // the end of that line
        heldCR = length == kLineBuffer - 1 && text[length - 1] == '\r';
        if (text[0] == '@' && GetCmdID(text + 1, length - 1)) {
            std::string line = GuideLine(text, length);
            scan.Command(line);
        }
        if (!joined) {
            ++scan.lineNo;
            ++scan.linesInNode;
        }
        scan.offset += LONG(length);
        return heldCR;
    });
    if (scan.current)   // the last node runs to the end of the file
        scan.current->Lines = scan.linesInNode - 1;
    if (baza)
        scan.HeaderEntries();
}
