// AmigaGuide hypertext: a file of nodes, each shown on its own, with text
// attributes (bold, colours, justification) and links drawn as buttons in
// the text. The type is known by "@DATABASE " on the first line; the index
// lists four header entries and then every node.
#pragma once
#include "base/records.h"
#include "platform/dos/files.h"
#include "platform/mui/mui.h"

#include <string>
#include <vector>

MUI_CustomClass *clAGuide_Create(LONG flag);
BOOL ClassAGuide(BOOL create);

// ---- command lines ("@" and a keyword at a line's start)
enum GuideCommand : UBYTE {
    CMD_NODE = 1,
    CMD_ENDNODE,
    CMD_DNODE,
    CMD_INDEX,
    CMD_REMARK,
    CMD_AUTHOR,
    CMD_NOTICE,
    CMD_VERSION,
    CMD_FONT,
    CMD_HELP,
    CMD_XREF,
    CMD_WORDWRAP,
    CMD_TAB,
    CMD_TITLE,
    CMD_TOC,
    CMD_PREV,
    CMD_NEXT,
    CMD_EMBED,
    CMD_PROPORTIONAL,
    CMD_KEYWORDS,
    CMD_SMARTWRAP,
    CMD_MACRO,
    CMD_ONOPEN,
    CMD_ONCLOSE,
    CMD_OTHER   // a command word no row names
};

struct CommandRow {
    const char *keyword;
    UBYTE compared;
    UBYTE id;
};

// The row whose keyword the text after an "@" begins with (case ignored, the
// first row that matches); CMD_OTHER's row for another word (a letter after
// the "@": a command this reader does not know, never shown); null for text,
// such as an attribute ("@{b}").
const CommandRow *GetCmdID(const char *text);
const CommandRow *GetCmdID(const char *text, size_t length);   // text need not be terminated

// A source line as the guide code reads it: the bytes up to a NUL, without
// the line end (newline, and a CR right before it), then a newline and a
// terminator, so that every scan for the newline ends within the line.
std::string GuideLine(const char *text, size_t length);

// One argument (see the scan): skips blanks; a quoted one runs to its closing
// quote, blanks included (to the line's end when it is not closed), without
// the quotes; another runs to a control character or blank and drops a
// closing quote. The byte that ended it becomes a terminator. *next is where
// the next argument starts, or null.
char *GetArgString(char *text, size_t *length, char **next);
// The rest of the line, or one quoted string; terminated in place.
char *GetString(char *text, size_t *length);

// The header fields of a guide: the first command of each kind in the file.
struct GuideHeader {
    std::string Database, IndexNode, Author, Notice, Version, HelpNode, XRef, FontName;
    bool HasIndex = false, HasAuthor = false, HasNotice = false, HasVersion = false, HasHelp = false, HasXRef = false,
         HasFont = false;
    LONG FontSize = 0;
    bool WordWrap = false;   // a wrap command before the first node: every node wraps
};

// The database name on a first line read into head (length bytes) and where
// the index scan starts; false when the head is no guide's.
bool GuideDatabase(const char *head, size_t length, std::string &database, LONG &scanStart);
// The type's test of a file's first line: its database name and where the
// index scan starts. Any thread may ask it.
bool IsGuide(FileHandle *fh, std::string &database, LONG &scanStart);
// The index scan from scanStart: the nodes as entries of baza (after the four
// header entries), and the header fields, which start unset. Without a baza,
// the header fields alone.
void AGuideScan(Baza *baza, FileHandle *fh, LONG scanStart, GuideHeader &header);

// ---- node display: text attributes and links
enum LinkAction : UBYTE {
    LINK_LINK,
    LINK_ALINK,
    LINK_CLOSE,
    LINK_RXS,
    LINK_SYSTEM,
    LINK_QUIT,
    LINK_BEEP,
    LINK_GUIDE,
    LINK_RX
};
const char *LinkActionName(ULONG action);   // the keyword, without its blank

struct GuideLink {
    ULONG Action;
    std::string Arg;   // empty when the link has none
    std::string Label;
};

// Where a link goes: a file (empty for this guide), a node and a line.
struct LinkTarget {
    std::string File, Node;
    LONG Line = 0;
};
// form 1: "node", "node line", "file/node", "file/node line"; form 0: a file
// at its node "MAIN".
LinkTarget ParseLinkTarget(const std::string &target, int form);

// Receives what a node's lines become.
class GuideSink {
public:
    virtual ~GuideSink() = default;
    virtual void Append(const std::string &text, bool wrap) = 0;   // one more element of the text list
    virtual LONG Elements() = 0;                                   // elements so far
    virtual void Button(LONG number, const std::string &label) = 0;
};

// The style state of the node shown, carried from line to line.
struct GuideStyle {
    bool Bold = false, Italic = false, Underline = false;
    int Pen = 14, Justify = 7;
    bool Wrap = false, NodeWrap = false, WordWrap = false;
};

// Converts one source line (as GuideLine gives it) into display text: text
// attributes become the list's codes, links become buttons (their records
// appended to links), "{par}" and "{line}" append the lines they complete to
// the sink. Returns the rest, which the caller appends.
std::string BuildGuideLine(const std::string &line, GuideStyle &style, std::vector<GuideLink> &links, GuideSink &sink);

// The link records of the node the guide type shows (for vsdoc).
const std::vector<GuideLink> &AGuideLinks(Object *guide);
// A file a link names, found from the guide shown: relative to its folder,
// and in any case where the name as written is not there; a volume or
// assign prefix is dropped, and an INCLUDE: name is also looked for in an
// include folder beside or above the guide.
std::string GuideFileBeside(const std::string &guide, const std::string &name);
// The same from the guide the viewer shows, by its full name.
std::string GuideTargetFile(const std::string &name);
// A guide's index made before the viewer opens it: a link's file is scanned
// to learn whether it holds the node, and the viewer's opening of that file
// takes this scan instead of reading the file again.
struct GuideScanned {
    std::string Path;
    Baza *Record = nullptr;   // null: the file is no guide
    GuideHeader Header;
    LONG ScanStart = 0;
    GuideScanned() = default;
    GuideScanned(const GuideScanned &) = delete;
    GuideScanned &operator=(const GuideScanned &) = delete;
    ~GuideScanned() { BazaFree(Record); }
};
// Whether a file can be opened as a document and, for a guide, holds a node
// of that name; a guide's scan is left in scanned.
enum class GuideHolds { NoFile, NoNode, Node };
GuideHolds GuideHoldsNode(const std::string &path, const std::string &node, GuideScanned &scanned);
