#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "doctypes/aguide.h"
#include "platform/intuition/beep.h"
#include "platform/nlist/nlist.h"
#include "support/support.h"
#include "util/fileinfo.h"
#include "view/index.h"
#include "view/view.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {
// Lines of a sink, with "~" before the wrapped ones.
class RecordingSink : public GuideSink {
public:
    std::vector<std::string> lines;
    std::vector<std::string> buttons;
    void Append(const std::string &text, bool wrap) override { lines.push_back((wrap ? "~" : "") + text); }
    LONG Elements() override { return LONG(lines.size()); }
    void Button(LONG, const std::string &label) override { buttons.push_back(label); }
};

// One source line converted: the lines it completed, then its rest.
std::vector<std::string> Convert(const std::string &source, GuideStyle &style, std::vector<GuideLink> &links)
{
    RecordingSink sink;
    std::string rest = BuildGuideLine(GuideLine(source.data(), source.size()), style, links, sink);
    sink.lines.push_back(rest);
    return sink.lines;
}

std::vector<std::string> Convert(const std::string &source)
{
    GuideStyle style;
    std::vector<GuideLink> links;
    return Convert(source, style, links);
}

const std::string kGuide = "@DATABASE vellum.guide\r\n"
                           "@AUTHOR The Vellumscanner authors\n"
                           "@INDEX Idx\r\n"
                           "@NODE MAIN \"Vellum library\"\n"
                           "@TOC Contents\n"
                           "Welcome. See @{\"Scrolls\" link Scrolls} or @{\"Beep\" beep}.@{\"Run\" rx run.rexx}\n"
                           "@ENDNODE\n"
                           "@NODE Scrolls \"Reading scrolls\"\n"
                           "Open one with @{\"OpenScroll\" link Functions.guide/OpenScroll 2}.\n"
                           "Last line of Scrolls\n"
                           "@NODE \"Contents\" Title here\n"
                           "line one\n"
                           "@node Idx\n"
                           "The index\n"
                           "runs to the end";

class Guide : public ::testing::Test, protected ViewerDriver {
protected:
    Sandbox box;
    TestApp app;

    std::string Entries()
    {
        std::string out;
        for (Doc *e = FirstEntry(Shown()); e; e = NextEntry(e))
            out += std::string(e->Name) + ":" + std::to_string(int(e->Mark)) + ":" + std::to_string(e->Offset) + ":" +
                   std::to_string(e->Line) + ":" + std::to_string(e->Lines) + " ";
        return out;
    }
    void Click(LONG link) { SetAttrs(View.TextList, MUIA_NList_ButtonClick, link); }
    LONG EntryNumber(const std::string &name)
    {
        LONG n = 0;
        for (Doc *e = FirstEntry(Shown()); e && name != e->Name; e = NextEntry(e))
            ++n;
        return n;
    }
    static bool Wrapped(LONG element)
    {
        MUI_NList_GetEntryInfo info{element, 0, 0, nullptr, 0, 0, 0};
        DoMethod(View.TextList, MUIM_NList_GetEntryInfo, &info);
        return info.wrapcol != 0;
    }
};

// What the process has read from files so far, as the kernel counts it; -1
// where the system does not tell.
long long BytesRead()
{
    std::ifstream io("/proc/self/io");
    std::string key;
    long long value;
    while (io >> key >> value)
        if (key == "rchar:")
            return value;
    return -1;
}
}

TEST(GuideCommands, KeywordsArgumentsAndStrings)
{
    EXPECT_EQ(GetCmdID("NODEX name")->id, CMD_NODE) << "more letters still match";
    EXPECT_EQ(GetCmdID("remark x")->id, CMD_REMARK);
    EXPECT_EQ(GetCmdID("rem")->id, CMD_REMARK);
    EXPECT_EQ(GetCmdID("{b}bold"), nullptr);
    EXPECT_EQ(GetCmdID("MASTER x")->id, CMD_OTHER) << "a word no row names is a command still";
    EXPECT_EQ(GetCmdID(" text"), nullptr);
    std::string line = GuideLine("\"The\tAuthor\" \"About the author\"\r\n", 34);
    size_t length;
    char *next;
    char *word = GetArgString(line.data(), &length, &next);
    EXPECT_EQ(std::string(word, length), "The\tAuthor") << "a quote keeps blanks and tabs";
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(std::string(GetString(next, &length)), "About the author") << "the title follows the quote";
    std::string open = GuideLine("\"Not closed here\r\n", 19);
    EXPECT_STREQ(GetArgString(open.data(), &length, &next), "Not closed here") << "to the line's end, no CR";
    EXPECT_EQ(next, nullptr);
    std::string bare = GuideLine("Plain\" word\n", 12);
    EXPECT_STREQ(GetArgString(bare.data(), &length, &next), "Plain") << "unquoted: up to the blank, as before";
    ASSERT_NE(next, nullptr);
    EXPECT_STREQ(GetArgString(next, &length, &next), "word");
    std::string quoted = GuideLine("  \"name\"\n", 9);
    EXPECT_STREQ(GetArgString(quoted.data(), &length, &next), "name");
    EXPECT_EQ(next, nullptr) << "the newline ended it";
    std::string crlf = GuideLine("\t idx\r\n", 7);
    EXPECT_STREQ(GetString(crlf.data(), &length), "idx") << "no CR in an argument";
    std::string nul = GuideLine("abc\0def\n", 8);
    EXPECT_EQ(nul, "abc\n") << "a NUL ends the line";
}

TEST(GuideRecognition, TheDatabaseLine)
{
    std::string db;
    LONG start = 0;
    EXPECT_TRUE(GuideDatabase("@database x.guide\r\n@node", 24, db, start));
    EXPECT_EQ(db, "x.guide");
    EXPECT_EQ(start, 18);
    EXPECT_FALSE(GuideDatabase("@DATABASE\n", 10, db, start)) << "the blank belongs to it";
    EXPECT_FALSE(GuideDatabase("@DATABASE", 9, db, start)) << "shorter than 10 bytes";
    EXPECT_TRUE(GuideDatabase("@DATABASE ", 10, db, start));
    EXPECT_EQ(db, "");
    EXPECT_EQ(start, 10);
}

TEST(GuideLines, AttributesAndTheStyleCarriedOn)
{
    EXPECT_EQ(Convert("@{b}bold@{ub} plain"), std::vector<std::string>{"\33bbold\33n plain"});
    EXPECT_EQ(Convert("@{i}@{B}both@{ub}still"), std::vector<std::string>{"\33i\33bboth\33n\33istill"})
        << "case ignored; italic restated after the bold ends";
    EXPECT_EQ(Convert("\\@{b} not bold, \\x"), std::vector<std::string>{"@{b} not bold, x"});
    EXPECT_EQ(Convert("a@{bg shine}b@{bg fill}c"), std::vector<std::string>{"abc"});
    EXPECT_EQ(Convert("@{amigaguide}"), std::vector<std::string>{"\33bAmigaGuide\xae\33n"});
    EXPECT_EQ(Convert("a@{maintitle The Manual}b@{FONT topaz.font 8}c@{b}d"), std::vector<std::string>{"abc\33bd"})
        << "commands this viewer does not draw leave nothing";
    EXPECT_EQ(Convert("x@{font open"), std::vector<std::string>{"x@{font open"}) << "not closed: as written";
    EXPECT_EQ(Convert("@{settabs 4 8}x@{pari 2"), std::vector<std::string>{"x"})
        << "arguments skipped, not past the line";
    GuideStyle style;
    std::vector<GuideLink> links;
    EXPECT_EQ(Convert("@{jcenter}@{fg shine}title", style, links), std::vector<std::string>{"\33c\33P[3]title"});
    EXPECT_EQ(Convert("next", style, links), std::vector<std::string>{"\33c\33P[3]next"})
        << "in force on the next line";
    EXPECT_EQ(Convert("@{pard}@{plain}x", style, links), std::vector<std::string>{"\33c\33P[3]\33P[2]\33nx"});
    EXPECT_EQ(Convert("y", style, links), std::vector<std::string>{"y"});
}

TEST(GuideLines, NamedColoursAreTheScreensPens)
{
    const std::pair<const char *, const char *> pens[] = {
        {"text", "\33P[2]"},     {"shine", "\33P[3]"},      {"shadow", "\33P[4]"},    {"fill", "\33P[5]"},
        {"filltext", "\33P[6]"}, {"background", "\33P[7]"}, {"highlight", "\33P[8]"},
    };
    for (const auto &[name, code] : pens)
        EXPECT_EQ(Convert(std::string("@{fg ") + name + "}x"), std::vector<std::string>{code + std::string("x")})
            << name;
}

TEST(GuideLines, LineBreaksAndLinks)
{
    EXPECT_EQ(Convert("a@{line}b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(Convert("a@{par}b"), (std::vector<std::string>{"a", "", "", "b"}));
    EXPECT_EQ(Convert("a@{par}"), (std::vector<std::string>{"a", "", ""}));
    GuideStyle style;
    std::vector<GuideLink> links;
    std::vector<std::string> out = Convert(
        "@{\"One\" link a}@{\" Two \" LINK b/c 3} x @{\"Q\" quit}@{\"R\" rx foo}@{\"S\" dance}@{\"open", style, links);
    EXPECT_EQ(out, std::vector<std::string>{"\33o[1@1]\33o[2@2] x \33o[3@3]\33o[4@4]@{\"S\" dance}@{\"open"})
        << "an unknown action and an unclosed label stay as written";
    ASSERT_EQ(links.size(), 4u);
    EXPECT_EQ(links[3].Action, LINK_RX);
    EXPECT_EQ(links[3].Arg, "foo");
    EXPECT_EQ(links[1].Label, " Two ");
    EXPECT_EQ(links[1].Arg, "b/c 3");
    EXPECT_EQ(links[2].Action, LINK_QUIT);
    EXPECT_EQ(links[2].Arg, "") << "no argument";
    EXPECT_EQ(Convert("@{\"split\" link over"), std::vector<std::string>{"@{\"split\" link over"});
}

TEST(GuideLinks, WhereATargetGoes)
{
    auto go = [](const std::string &t, int form) {
        LinkTarget l = ParseLinkTarget(t, form);
        return l.File + "|" + l.Node + "|" + std::to_string(l.Line);
    };
    EXPECT_EQ(go("Node", 1), "|Node|0");
    EXPECT_EQ(go("Node 12", 1), "|Node|12");
    EXPECT_EQ(go("dir/file.guide/Some Node 7", 1), "dir/file.guide|Some Node|7");
    EXPECT_EQ(go("\"quoted node\" 3", 1), "|quoted node|3");
    EXPECT_EQ(go("\"The Author\"", 1), "|The Author|0") << "a blank inside the quotes is no line number";
    EXPECT_EQ(go("\"Function Index\"", 1), "|Function Index|0");
    EXPECT_EQ(go("\"dir/other.guide/Some Node\" 12", 1), "dir/other.guide|Some Node|12");
    EXPECT_EQ(go("\"a/b 7\"", 1), "a|b 7|0") << "only what follows the quote is the line";
    EXPECT_EQ(go("\"my file.guide\"", 0), "my file.guide|MAIN|0");
    EXPECT_EQ(go("", 1), "||0") << "no node characters: no node, not an earlier one";
    EXPECT_EQ(go("other.guide", 0), "other.guide|MAIN|0");
}

TEST_F(Guide, TheIndexHasHeaderEntriesAndNodesOfTheirLines)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("v.guide", kGuide));
    EXPECT_EQ(Shown()->FileType, TYPE_AGID);
    EXPECT_STREQ(Shown()->Library, "@NODE");
    size_t main = kGuide.find("@NODE MAIN"), scrolls = kGuide.find("@NODE Scrolls"),
           contents = kGuide.find("@NODE \"Contents"), idx = kGuide.find("@node Idx");
    EXPECT_EQ(Entries(),
              "\33b @DATABASE:1:0:0:0 \33b @CONTENTS:2:0:0:0 \33b @INDEX:3:0:0:0 MAIN:32:" + std::to_string(main) +
                  ":4:4 Scrolls:32:" + std::to_string(scrolls) + ":8:3 Contents:32:" + std::to_string(contents) +
                  ":11:2 Idx:32:" + std::to_string(idx) + ":13:3 ");
    Pick(0);
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{"\33b @DATABASE\33n\tvellum.guide",
                                                                  "\33b @AUTHOR\33n\tThe Vellumscanner authors"}));
    Pick(6);
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{"The index", "runs to the end"}))
        << "the last node runs to the end of the file";
}

TEST_F(Guide, ANodeShowsItsTitleTextAndButtonsAndTheContentsFollowItsToc)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("v.guide", kGuide));
    Pick(3);
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{"\33E\33c\33bVellum library",
                                                                  "Welcome. See \33o[1@1] or \33o[2@2].\33o[3@3]"}));
    EXPECT_EQ(NListButtonLabel(View.TextList, 1), "Scrolls");
    Pick(1);
    EXPECT_EQ(Active(), 5) << "@TOC Contents: the node named Contents";
    Pick(4);
    Pick(1);
    EXPECT_EQ(Active(), 3) << "another node forgets the TOC: MAIN";
    Pick(2);
    EXPECT_EQ(Active(), 6) << "@INDEX Idx, without the CR of its line";
    Pick(3);   // MAIN again: its @TOC names Contents
    Open(box.Write("w.guide", "@database w\n@node Contents\nc\n@node MAIN\nm\n"));
    Pick(1);
    EXPECT_EQ(Active(), 3) << "a closed guide's TOC is gone: MAIN";
}

TEST_F(Guide, LinksGoToNodesAndFilesAndRunNothing)
{
    ASSERT_TRUE(app.Ready());
    box.Write("FUNCTIONS.GUIDE", "@database f\n@node MAIN\nm\n@node OpenScroll\nl0\nl1\nl2\nl3\n");
    Open(box.Write("v.guide", kGuide));
    Pick(3);
    Click(1);
    EXPECT_EQ(Active(), 4);
    ULONG beeps = DisplayBeepCount();
    Pick(3);
    Click(2);
    EXPECT_EQ(DisplayBeepCount(), beeps + 1) << "beep only flashes";
    Click(3);
    EXPECT_EQ(DisplayBeepCount(), beeps + 2) << "an ARexx script is never run: rx flashes";
    EXPECT_EQ(Active(), 3);
    Pick(4);
    Click(1);
    EXPECT_EQ(ShownName(), box.Path("FUNCTIONS.GUIDE")) << "found though its name is written in another case";
    EXPECT_EQ(Active(), 3) << "the node OpenScroll of that guide";
    Click(99);   // no such link
    EXPECT_EQ(Active(), 3);
}

TEST_F(Guide, ASearchHitSelectsItsDisplayLineWithinTheRightNode)
{
    ASSERT_TRUE(app.Ready());
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "@{line}";
    Open(box.Write("s.guide", "@database s\n@node A\n" + many +
                                  "x\nhit in A\n@endnode\n@node B\nb0\nlast of B\n"
                                  "@node C\nc\n"));
    Find *hit = FindAlloc(nullptr);
    hit->Line = 4;   // "hit in A", after a line of 300 breaks (more than 255 display lines)
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(Active(), 2);
    LONG line = LONG(xget(View.TextList, MUIA_NList_Active));
    ASSERT_GE(line, 0);
    EXPECT_EQ(ListLines(View.TextList).at(size_t(line)), "hit in A");
    hit->Line = 8;   // the last line of B, closed by C's @NODE
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(Active(), 3);
    hit->Line = 5;   // A's @ENDNODE, while B is shown
    SetAttrs(View.TextList, MUIA_NList_Active, MUIV_NList_Active_Off);
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(LONG(xget(View.TextList, MUIA_NList_Active)), -1) << "no line of a node";
    EXPECT_EQ(Active(), 3) << "the view stays as it is";
    EXPECT_EQ(ListLines(View.TextList).back(), "last of B");
    hit->Line = 8;   // the last line of B, closed by C's @NODE
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(Active(), 3);
    EXPECT_EQ(ListLines(View.TextList).at(size_t(xget(View.TextList, MUIA_NList_Active))), "last of B");
    FindFree(hit);
}

TEST_F(Guide, ALineThatFillsTheBufferButForItsCRLFIsOneLine)
{
    ASSERT_TRUE(app.Ready());
    std::string text = "@database s\r\n@node A\r\n" + std::string(8190, 'x') +
                       "\r\nhit in A\r\n@endnode\r\n"
                       "@node B\r\n" +
                       std::string(8190, 'y') + "\r\n@{b}b1\r\n";
    Open(box.Write("crlf.guide", text));
    EXPECT_EQ(Entries().substr(Entries().find("A:")), "A:32:" + std::to_string(text.find("@node A")) + ":2:4 B:32:" +
                                                          std::to_string(text.find("@node B")) + ":6:3 ");
    Find *hit = FindAlloc(nullptr);
    hit->Line = 4;   // "hit in A", as the search counts lines
    DoMethod(QMXObject.ViewObj, QMXM_View_SelectFind, hit);
    EXPECT_EQ(Active(), 2);
    LONG line = LONG(xget(View.TextList, MUIA_NList_Active));
    ASSERT_GE(line, 0);
    EXPECT_EQ(ListLines(View.TextList).at(size_t(line)), "hit in A");
    Pick(3);
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{std::string(8190, 'y'), "\33bb1"}));
    FindFree(hit);
}

TEST_F(Guide, EachGuideOfABaseHasItsOwnHeaderEntries)
{
    ASSERT_TRUE(app.Ready());
    std::string a = box.Write("a.guide", "@database a\n@index ia\n@node MAIN\nx\n");
    std::string b = box.Write("b.guide", "@database b\n@help hb\n@node MAIN\ny\n");
    std::vector<std::string> names;
    for (const std::string &path : {a, b}) {
        Baza *record = BazaAlloc(nullptr, nullptr);
        FileOpen file{};
        file.Name = const_cast<STRPTR>(path.c_str());
        ASSERT_EQ(ViewFileIndex(&file, record), 1);   // indexed one after another, nothing closed between
        std::string heads;
        for (Doc *e = FirstEntry(record); e && e->Mark < 32; e = NextEntry(e))
            heads += std::string(e->Name + 3) + " ";
        names.push_back(heads);
        ClearFileOpen(&file, CLEAR_CLOSE);
        BazaFree(record);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"@DATABASE @CONTENTS @INDEX ", "@DATABASE @CONTENTS @HELP "}));
}

TEST_F(Guide, QuotedNodeNamesKeepTheirBlanksInTheIndexAndInLinks)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("q.guide",
                   "@database q\n@node MAIN\n@{\"About\" link \"The Author\"} @{\"Index\" link \"Function Index\" 1}\n"
                   "@endnode\n@node The\nthe wrong one\n@endnode\n@node \"The Author\" \"About the author\"\n"
                   "Written by us\n@endnode\n@node Function \"Function\"\nwrong too\n@endnode\n"
                   "@node \"Function Index\"\nfirst\nsecond\n@endnode\n"));
    EXPECT_EQ(std::string(NextEntry(NextEntry(NextEntry(NextEntry(FirstEntry(Shown())))))->Name), "The Author");
    Pick(2);
    Click(1);
    EXPECT_EQ(Active(), 4);
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{"\33E\33c\33bAbout the author", "Written by us"}));
    Pick(2);
    Click(2);
    EXPECT_EQ(Active(), 6) << "\"Function Index\" 1: that node, not Function";
}

TEST_F(Guide, ALineThatChangesTheWrapModeIsShownInItsNewMode)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("w.guide", "@database w\n@wordwrap\n@node MAIN\n@smartwrap\nfirst paragraph\n@{code}code line\n"
                              "next code line\n@{pard}a paragraph again\n"));
    Pick(EntryNumber("MAIN"));
    ASSERT_EQ(ListLines(View.TextList).size(), 4u);
    EXPECT_TRUE(Wrapped(0)) << "a wordwrap guide wraps";
    EXPECT_FALSE(Wrapped(1)) << "the line that starts the code";
    EXPECT_FALSE(Wrapped(2));
    EXPECT_TRUE(Wrapped(3)) << "the line that ends it";
}

TEST_F(Guide, AWrapCommandBeforeTheFirstNodeWrapsEveryNodeAndOneInANodeThatNode)
{
    ASSERT_TRUE(app.Ready());
    for (const char *command : {"@smartwrap", "@WORDWRAP"}) {
        Open(box.Write("g.guide", std::string("@database g\n@author me\n") + command +
                                      "\n@node MAIN\nmain\n@endnode\n@node Two\ntwo\n@endnode\n"));
        for (const char *node : {"MAIN", "Two"}) {
            Pick(EntryNumber(node));
            EXPECT_TRUE(Wrapped(0)) << command << " before the nodes, node " << node;
        }
    }
    for (const char *command : {"@smartwrap", "@wordwrap"}) {
        Open(box.Write("n.guide", std::string("@database n\n@node MAIN\nmain\n@endnode\n@node Own\n") + command +
                                      "\nown\n@endnode\n@node Last\nlast\n"));
        Pick(EntryNumber("Own"));
        EXPECT_EQ(ListLines(View.TextList), std::vector<std::string>{"own"});
        EXPECT_TRUE(Wrapped(0)) << command << " in its node";
        for (const char *node : {"MAIN", "Last"}) {
            Pick(EntryNumber(node));
            EXPECT_FALSE(Wrapped(0)) << command << " of another node, node " << node;
        }
    }
}

TEST_F(Guide, CommandLinesAreNeverShownWhetherTheReaderKnowsThemOrNot)
{
    ASSERT_TRUE(app.Ready());
    const std::string commands = "@MASTER sources/c.doc\n@$VER: c.guide 1.2 (1.1.26)\n@(C) 2026 us\n@Author Someone\n"
                                 "@INDEX Idx\n@HELP Idx\n@FONT topaz.font 8\n@REMARK r\n@TAB 4\n@REM r\n"
                                 "@MACRO m \"@{b}$1\"\n@onopen rx x\n@KEYWORDS a b\n@XREF x.guide\n";
    Open(box.Write("c.guide", "@database c\n" + commands + "@node MAIN \"Main\"\n" + commands +
                                  "@anything else\n@{b}bold@{ub}\n@ at\n@@ two\n@1\ntext\n@endnode\n"
                                  "@node Idx\nindex\n@endnode\n"));
    EXPECT_EQ(std::string(NextEntry(NextEntry(FirstEntry(Shown())))->Name), "\33b @INDEX");
    Pick(0);
    EXPECT_EQ(ListLines(View.TextList),
              (std::vector<std::string>{"\33b @DATABASE\33n\tc", "\33b @AUTHOR\33n\tSomeone",
                                        "\33b @(C)\33n\t\t2026 us", "\33b @$VER:\33n\t\tc.guide 1.2 (1.1.26)",
                                        "\33b @XREF\33n\t\tx.guide", "\33b @FONT\33n\t\ttopaz.font 8"}))
        << "the header page shows the fields it knows, no other line";
    Pick(EntryNumber("MAIN"));
    EXPECT_EQ(ListLines(View.TextList),
              (std::vector<std::string>{"\33E\33c\33bMain", "\33bbold\33n", "@ at", "@@ two", "@1", "text"}))
        << "an attribute, and an @ before no word, start text lines";
}

TEST_F(Guide, FollowingALinkToAnotherGuideReadsItOnceAndShowsItAsOpeningItDoes)
{
    ASSERT_TRUE(app.Ready());
    std::string filler;
    while (filler.size() < (4u << 20))
        filler += "a line of the node that makes the guide large enough to count its reading\n";
    std::string far = box.Write("far.guide", "@database far\n@author them\n@index Far\n@node MAIN\nm\n@endnode\n"
                                             "@node Far \"Far away\"\nfar\n@endnode\n@node Filler\n" +
                                                 filler + "@endnode\n");
    Open(far);
    std::string entries = Entries();
    Pick(0);
    std::vector<std::string> header = ListLines(View.TextList);
    Open(box.Write("g.guide", "@database g\n@node MAIN\n@{\"Far\" link far.guide/Far}\n@endnode\n"));
    Pick(-2);
    long long before = BytesRead();
    Click(1);
    long long read = BytesRead() - before;
    EXPECT_EQ(ShownName(), far);
    EXPECT_EQ(Active(), EntryNumber("Far"));
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{"\33E\33c\33bFar away", "far"}));
    EXPECT_EQ(Entries(), entries);
    Pick(0);
    EXPECT_EQ(ListLines(View.TextList), header);
    if (before < 0)
        GTEST_SKIP() << "the system does not count what a process reads";
    EXPECT_LT(read, LONG(filler.size()) * 3 / 2) << "the guide is read once, not once to try the link and again";
}

TEST_F(Guide, AGuideOpensOnItsMainNodeAndItsContentsEntryLeadsThereEveryTime)
{
    ASSERT_TRUE(app.Ready());
    // laid out as a library's guide: the functions reached by the main node's links
    Open(box.Write("lib.guide", "@database lib\n@index Idx\n@node Idx\nindex\n@endnode\n"
                                "@node Main \"lib.library\"\n@{\"Open\" link Open}\n@endnode\n"
                                "@node Open \"lib.library/Open\"\nopens\n@endnode\n"));
    Pick(-2);   // as opening from the shell, the requester or the port does
    EXPECT_EQ(Active(), 4) << "the main node, not the @DATABASE page";
    EXPECT_EQ(ListLines(View.TextList).at(0), "\33E\33c\33blib.library");
    EXPECT_EQ(std::string(FirstEntry(Shown())->Name), "\33b @DATABASE") << "the header entries stay";
    for (int round = 0; round < 2; ++round) {
        Click(1);
        ASSERT_EQ(Active(), 5);
        SetAttrs(IndexGUI.IndexList, MUIA_NList_Active, 1);   // the person picks @CONTENTS
        EXPECT_EQ(Active(), 4) << "round " << round;
    }
    Open(box.Write("nomain.guide", "@database n\n@node First\nfirst\n@endnode\n@node Second\nsecond\n"));
    Pick(-2);
    EXPECT_EQ(Active(), 2) << "no node is called MAIN: the first node";
    Pick(3);
    SetAttrs(IndexGUI.IndexList, MUIA_NList_Active, 1);
    EXPECT_EQ(Active(), 2);
}

TEST_F(Guide, ALinkToAMissingFileOrNodeSaysSoAndThePageStaysWithItsButtonsAndHistory)
{
    ASSERT_TRUE(app.Ready());
    std::string header = box.Write("Include/libraries/AmigaGuide.h", "struct AmigaGuideMsg {\n};\n");
    box.Write("docs/sdk/other.guide", "@database o\n@node MAIN\nother\n");
    std::string guide = box.Write(
        "docs/sdk/g.guide", "@database g\n@node MAIN\n@{\"Gone\" link INCLUDE:libraries/nothere.h/MAIN} "
                            "@{\"Nowhere\" link NoSuchNode} @{\"Far\" link other.guide/NoSuchNode} @{\"Two\" link Two} "
                            "@{\"Sys\" link SYS:other.guide/MAIN} @{\"Hdr\" link INCLUDE:libraries/amigaguide.h/main} "
                            "@{\"Pic\" link pic.iff/main}\n"
                            "@endnode\n@node Two\ntwo\n@endnode\n");
    Open(guide);
    Pick(-2);
    std::vector<std::string> page = ListLines(View.TextList);
    IPTR history = xget(ViewGUI.HistoryList, MUIA_NList_Entries);
    const std::string expected[] = {"Cannot open file:\n", "No node NoSuchNode in ", "No node NoSuchNode in "};
    const std::string where[] = {box.Path("docs/sdk/libraries/nothere.h"), guide, box.Path("docs/sdk/other.guide")};
    for (LONG link = 1; link <= 3; ++link) {
        Click(link);
        ASSERT_EQ(app.requester.questions.size(), size_t(link));
        EXPECT_EQ(app.requester.questions.back().text, expected[link - 1] + where[link - 1]);
        EXPECT_EQ(ShownName(), guide);
        EXPECT_EQ(Active(), 2);
        EXPECT_EQ(ListLines(View.TextList), page) << "the page stays";
        EXPECT_EQ(xget(ViewGUI.HistoryList, MUIA_NList_Entries), history) << "the history too";
    }
    Click(4);
    EXPECT_EQ(Active(), 3) << "the buttons still work";
    SetAttrs(QMXObject.ViewObj, QMXA_View_History, 1);   // back
    EXPECT_EQ(Active(), 2) << "back to the page that stayed";
    Click(5);
    EXPECT_EQ(ShownName(), box.Path("docs/sdk/other.guide")) << "SYS: is looked for beside the guide";
    Open(guide);
    Pick(2);
    box.Write("docs/sdk/pic.iff", std::string("FORM\0\0\0\x10ILBMBMHD", 16));
    Click(7);
    EXPECT_EQ(app.requester.questions.back().text, "Cannot open file:\n" + box.Path("docs/sdk/pic.iff"))
        << "a file no document type reads";
    EXPECT_EQ(ListLines(View.TextList), page);
    Click(6);
    EXPECT_EQ(ShownName(), header) << "INCLUDE: in an include folder above the guide, any case";
}
