#include "app/version.h"
#include "core/ids.h"
#include "core/objects.h"
#include "platform/rexx/port.h"
#include "support/support.h"
#include "view/view.h"
#include "vsdoc/commands.h"
#include "vsdoc/output.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace {
struct Result {
    int code;
    std::string out;
};

Result RunCommand(const std::string &cmd)
{
    FILE *p = popen(cmd.c_str(), "r");
    Result r{-1, ""};
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;)
        r.out.append(buf, n);
    r.code = WEXITSTATUS(pclose(p));
    return r;
}

Result Vsdoc(const std::string &args) { return RunCommand(std::string(VSDOC_PATH) + " " + args + " 2>&1"); }
}

TEST(Vsdoc, IndexAndShowAPlainTextDocument)
{
    Sandbox box;
    std::string doc = box.Write("a.txt", "first \xe4\nsecond\n");
    Result index = Vsdoc("index " + doc);
    EXPECT_EQ(index.code, 0);
    EXPECT_EQ(index.out, "FTXT\t\n>> Whole file <<\t \t0\t0\t0\n");
    Result show = Vsdoc("show " + doc);
    EXPECT_EQ(show.out, "first \xe4\nsecond\n");
    EXPECT_EQ(Vsdoc("show " + doc + " 0").out, show.out) << "the entry by its number";
}

TEST(Vsdoc, TextCodesBecomeTerminalAttributesOrGo)
{
    const char *line = "\33bAllocMem\33n -- \338SEE\33E\n";
    EXPECT_EQ(RenderLine(line, CodeOutput::Raw), "\33bAllocMem\33n -- \338SEE\33E");
    EXPECT_EQ(RenderLine(line, CodeOutput::Plain), "AllocMem -- SEE\n" + std::string(40, '-'));
    EXPECT_EQ(RenderLine(line, CodeOutput::Terminal),
              "\33[1mAllocMem\33[0m -- \33[34mSEE\n" + std::string(40, '-') + "\33[0m");
    // a guide's title: the rule on a line of its own above it
    EXPECT_EQ(RenderLine("\33E\33c\33bThe vellum library\n", CodeOutput::Plain),
              std::string(40, '-') + "\nThe vellum library");
    EXPECT_EQ(RenderLine("\33b\33E\33n", CodeOutput::Plain), std::string(40, '-')) << "codes alone make no line";
}

TEST(Vsdoc, ALatin1DocumentReachesAUTF8TerminalInUTF8AndAPipeAsItIs)
{
    Sandbox box;
    std::string doc = box.Write("credits.txt", "Nico Fran\xe7ois\n");
    auto onTerminal = [&](const std::string &options) {
        Result r = RunCommand("LC_ALL=C.UTF-8 script -qec '" + std::string(VSDOC_PATH) + " show " + options + doc +
                              "' /dev/null | tr -d '\\r'");
        EXPECT_EQ(r.code, 0);
        return r.out;
    };
    EXPECT_EQ(onTerminal(""), "Nico Fran\xc3\xa7ois\n");
    EXPECT_EQ(onTerminal("--raw "), "Nico Fran\xe7ois\n") << "--raw keeps the bytes";
    Result found = RunCommand("LC_ALL=C.UTF-8 script -qec '" + std::string(VSDOC_PATH) + " search " + doc +
                              " nico' /dev/null | tr -d '\\r'");
    EXPECT_EQ(found.out, doc + ":1:1:Nico Fran\xc3\xa7ois\n") << "a search hit is shown as show shows it";
    EXPECT_EQ(Vsdoc("show " + doc).out, "Nico Fran\xe7ois\n") << "into a pipe the bytes stay";
    std::string utf8 = box.Write("utf8.txt", "Nico Fran\xc3\xa7ois\n");
    EXPECT_EQ(RunCommand("LC_ALL=C.UTF-8 script -qec '" + std::string(VSDOC_PATH) + " show " + utf8 +
                         "' /dev/null | tr -d '\\r'")
                  .out,
              "Nico Fran\xc3\xa7ois\n")
        << "a UTF-8 document as it is";
}

TEST(Vsdoc, RefusedFilesAndBadCommandLines)
{
    Sandbox box;
    Result r = Vsdoc("index " + box.Write("b.bin", std::string("\x01\x02", 2)));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "Cannot open file:\n" + box.Path("b.bin") + "\n");
    Result mistyped = Vsdoc("frobnicate x");
    EXPECT_EQ(mistyped.code, 2);
    EXPECT_EQ(mistyped.out, "vsdoc: unknown command frobnicate (vsdoc --help)\n") << "one line, not the usage";
    VsdocArgs args;
    std::string error;
    EXPECT_FALSE(ParseVsdocArgs({"show"}, args, error));
    EXPECT_FALSE(ParseVsdocArgs({"index", "a", "b"}, args, error));
    EXPECT_FALSE(ParseVsdocArgs({"show", "--bold", "a"}, args, error));
    ASSERT_TRUE(ParseVsdocArgs({"show", "a", "AllocMem", "--raw"}, args, error));
    EXPECT_EQ(args.entry, "AllocMem");
    EXPECT_TRUE(args.raw);
}

TEST(Vsdoc, AMissingFileFailsAndANameSelectsIgnoringCase)
{
    Sandbox box;
    Result missing = Vsdoc("show " + box.Path("none.txt"));
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "vsdoc: " + box.Path("none.txt") + " does not exist\n");
    EXPECT_EQ(Vsdoc("index " + box.Dir()).out, "vsdoc: " + box.Dir() + " is a folder, not a document\n");
    ASSERT_EQ(mkfifo(box.Path("fifo").c_str(), 0600), 0);
    Result fifo = Vsdoc("show " + box.Path("fifo"));   // would wait for a writer if it were opened
    EXPECT_EQ(fifo.code, 1);
    EXPECT_EQ(fifo.out, "vsdoc: " + box.Path("fifo") + " is no regular file (a FIFO, a device or a socket)\n");
    std::string doc = box.Write("c.txt", "line\n");
    EXPECT_EQ(Vsdoc("show " + doc + " '>> whole FILE <<'").out, "line\n");
}

TEST(Vsdoc, AnAutodocIndexAndAnEntryWithItsExample)
{
    Sandbox box;
    std::string doc = box.Write("s.doc", "TABLE OF CONTENTS\n\n\fs.library/Go\n\n   NAME\n\tGo -- go\n\n"
                                         "   EXAMPLE\n\tGo();\n   SEE ALSO\n\tStop()\n");
    Result index = Vsdoc("index " + doc);
    EXPECT_EQ(index.out, "ADOC\ts.library\nGo\t+\t" + std::to_string(ReadAll(doc).find("\n   NAME") + 1) + "\t5\t7\n");
    Result show = Vsdoc("show " + doc + " go");
    EXPECT_EQ(show.out, "NAME\n   Go -- go\n\nSEE ALSO\n   Stop()\nExample\n   Go();\n");
}

TEST(Vsdoc, ABaseBuiltFromAFolderListsLooksUpAndRescans)
{
    Sandbox box;
    std::string a = box.Write("sdk/a.doc", "TABLE OF CONTENTS\n\fa.library/Open\n   NAME\n\topen\n\fa.library/Close\n"
                                           "   NAME\n\tclose\n");
    std::string b = box.Write("sdk/readme.txt", "read me\n");
    std::string base = box.Path("sdk.qmx");
    Result add = Vsdoc("base add " + base + " --group SDK/Libs " + a + " " + b);
    EXPECT_EQ(add.code, 0) << add.out;
    Result list = Vsdoc("base list " + base);
    EXPECT_EQ(list.out, "0\t0\tG\tSDK\n1\t1\tG\tLibs\n2\t2\tD\ta.doc\t" + box.Path("sdk/") +
                            "\t2\n3\t2\tD\treadme.txt\t" + box.Path("sdk/") + "\t1\n");
    Result found = Vsdoc("lookup " + base + " close --show");
    EXPECT_EQ(found.code, 0);
    EXPECT_EQ(found.out, a + "\tClose\nNAME\n   close\n");
    EXPECT_EQ(Vsdoc("lookup " + base + " nothing").code, 1);
    box.Write("sdk/a.doc", ReadAll(a) + "\fa.library/Extra\n   NAME\n\textra\n");
    EXPECT_EQ(Vsdoc("base rescan " + base).code, 0);
    EXPECT_NE(Vsdoc("base list " + base).out.find("a.doc\t" + box.Path("sdk/") + "\t3"), std::string::npos);
    Result again = Vsdoc("base add " + base + " --group SDK/Libs " + box.Write("sdk/bad.bin", std::string("\x01", 1)));
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(Vsdoc("base list " + box.Path("none.qmx")).code, 1);
}

TEST(Vsdoc, AFolderAddsItsDocumentsBelowItAndPassesOverTheRest)
{
    Sandbox box;
    box.Write("SDK/Autodocs/exec.doc", "TABLE OF CONTENTS\n\fexec.library/AllocVec\n   NAME\n\tx\n");
    box.Write("SDK/Autodocs/AG/intuition", "@DATABASE intuition\n@NODE MAIN \"Intuition\"\ntext\n@ENDNODE\n");
    box.Write("SDK/Autodocs/AG/intuition.info", std::string("\xe3\x10\x00\x01", 4));
    box.Write("SDK/.hidden/notes.txt", "hidden\n");
    std::string first = box.Write("first.txt", "first\n"), more = box.Write("more.txt", "more\n");
    std::string base = box.Path("sdk.qmx");
    Result add = Vsdoc("base add " + base + " --group SDK " + first + " " + box.Path("SDK") + " " + more);
    EXPECT_EQ(add.code, 0);
    EXPECT_EQ(add.out, "vsdoc: passed over 1 file that no document type reads\n") << "the icon, counted";
    EXPECT_EQ(Vsdoc("base list " + base).out, "0\t0\tG\tSDK\n1\t1\tD\tfirst.txt\t" + box.Dir() +
                                                  "/\t1\n2\t1\tD\tintuition\t" + box.Path("SDK/Autodocs/AG/") +
                                                  "\t3\n3\t1\tD\texec.doc\t" + box.Path("SDK/Autodocs/") +
                                                  "\t1\n4\t1\tD\tmore.txt\t" + box.Dir() + "/\t1\n")
        << "the file named, every document below the folder in the order of their paths, then the next file named";
    Result missing = Vsdoc("base add " + box.Path("m.qmx") + " " + box.Path("SDK") + " " + box.Path("gone.txt") + " " +
                           more);
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.out.find(box.Path("gone.txt") + " was not added; the files after it neither"), std::string::npos)
        << missing.out;
    EXPECT_EQ(Vsdoc("base list " + box.Path("m.qmx")).out.find("more.txt"), std::string::npos);
}

TEST(Vsdoc, AddingTellsHowFarItIsOnATerminalOnly)
{
    Sandbox box;
    std::string a = box.Write("a.txt", "a\n"), b = box.Write("b.txt", "b\n");
    Result piped = Vsdoc("base add " + box.Path("p.qmx") + " " + a + " " + b);
    EXPECT_EQ(piped.out, "") << "nothing but results into a pipe";
    // script gives the command a terminal of its own and copies what it shows
    Result shown = RunCommand("script -qec '" + std::string(VSDOC_PATH) + " base add " + box.Path("t.qmx") + " " + a +
                              " " + b + "' /dev/null");
    EXPECT_EQ(shown.code, 0);
    EXPECT_NE(shown.out.find("1/2 a.txt"), std::string::npos) << shown.out;
    EXPECT_EQ(shown.out.rfind("\r\033[K"), shown.out.size() - 4) << "the line is cleared at the end";
}

TEST(Vsdoc, HeadersAndInterfacesShowAnEntryUpToTheNext)
{
    Sandbox box;
    std::string header = box.Write("n.h", "struct Node {\n  LONG a;\n};\n#define X 1\nstruct List {\n};\n");
    EXPECT_EQ(Vsdoc("index " + header).out, "HDOC\tstruct ...\n>> Whole file <<\t \t0\t0\t0\nNode\t \t0\t1\t0\n"
                                            "List\t \t0\t5\t0\n");
    EXPECT_EQ(Vsdoc("show " + header + " node").out, "struct Node {\n  LONG a;\n};\n#define X 1\n");
    EXPECT_EQ(Vsdoc("show " + header + " List").out, "struct List {\n};\n") << "the last runs to the end";
    std::string xml = box.Write("i.xml", "<?xml version=\"1.0\"?>\n<interface name=\"main\">\n"
                                         "  <method name=\"Open\"/>\n  <method name=\"Close\"/>\n</interface>\n");
    EXPECT_EQ(Vsdoc("index " + xml).out, "FXML\tinterface/method\n>> Whole file <<\t \t0\t0\t0\n"
                                         "main/Open\t \t0\t3\t0\nmain/Close\t \t0\t4\t0\n");
    EXPECT_EQ(Vsdoc("show " + xml + " main/open").out, "  <method name=\"Open\"/>\n");
    EXPECT_EQ(Vsdoc("show " + xml + " close").out, "  <method name=\"Close\"/>\n</interface>\n") << "by its own name";
}

TEST(Vsdoc, GuideLinksAreFoundBesideTheGuideNeverInTheShellsFolder)
{
    Sandbox box;
    box.Write("other.guide", "@database decoy\n@node MAIN\nin the shell's folder\n");
    box.Write("docs/other.guide", "@database o\n@node MAIN\nbeside\n");
    std::string header = box.Write("include/exec/types.h", "#define X 1\n");
    box.Write("docs/g.guide", "@database g\n@node MAIN\n@{\"O\" link SYS:other.guide/MAIN}"
                              "@{\"T\" link INCLUDE:exec/types.h/main}@{\"R\" link other.guide/MAIN}\n");
    Result r = RunCommand("cd " + box.Dir() + " && " + VSDOC_PATH + " show --raw docs/g.guide MAIN 2>&1");
    EXPECT_EQ(r.code, 0);
    std::string links = r.out.substr(r.out.find("--links--"));
    EXPECT_EQ(links, "--links--\n1\tO\tlink\t" + box.Path("docs/other.guide") +
                         "\tMAIN\t0\tSYS:other.guide/MAIN\t0\n"
                         "2\tT\tlink\t" +
                         header +
                         "\tmain\t0\tINCLUDE:exec/types.h/main\t0\n"
                         "3\tR\tlink\t" +
                         box.Path("docs/other.guide") + "\tMAIN\t0\tother.guide/MAIN\t0\n");
}

TEST(Vsdoc, AnEntryThatIsNotThereFailsAndSoDoesAHitInAMissingDocument)
{
    Sandbox box;
    std::string doc = box.Write("a.txt", "text\n");
    for (const char *entry : {"NoSuchEntry", "99999", "1"}) {
        Result r = Vsdoc("show " + doc + " " + entry);
        EXPECT_EQ(r.code, 1) << entry;
        EXPECT_EQ(r.out, "vsdoc: no entry " + std::string(entry) + " in " + doc + "\n");
    }
    std::string xml = box.Write("two.xml",
                                "<?xml version=\"1.0\"?>\n<interface name=\"a\">\n  <method name=\"Open\"/>\n"
                                "</interface>\n<interface name=\"b\">\n  <method name=\"Open\"/>\n</interface>\n");
    EXPECT_EQ(Vsdoc("show " + xml + " Open").code, 1) << "two methods end in /Open: neither stands for it";
    EXPECT_EQ(Vsdoc("show " + xml + " b/Open").out, "  <method name=\"Open\"/>\n</interface>\n");
    std::string gone = box.Write("sdk/gone.doc", "TABLE OF CONTENTS\n\fg.library/Vanish\n   NAME\n\tvanish\n");
    std::string base = box.Path("g.qmx");
    ASSERT_EQ(Vsdoc("base add " + base + " " + gone).code, 0);
    std::remove(gone.c_str());
    Result lookup = Vsdoc("lookup " + base + " Vanish");
    EXPECT_EQ(lookup.code, 1);
    EXPECT_NE(lookup.out.find("vsdoc: Vanish is in " + gone + ", which cannot be opened\n"), std::string::npos)
        << lookup.out;
}

TEST(Vsdoc, AWholeTextStreamsExactlyAsTheTextListHoldsIt)
{
    Sandbox box;
    // CR-LF lines, one that fits the list but for its CR, a longer one cut
    // into pieces, a NUL, text codes, no final newline
    std::string text = "dos\r\nline\r\n" + std::string(8190, 'a') + "\r\n" + std::string(20000, 'b') + "\n" +
                       std::string("nul\0rest\n", 9) + "\33bbold\33n and plain\n\n" + std::string(40, 'c') + "\n" +
                       "last";
    std::string path = box.Write("t.txt", text);
    std::string expected;
    {
        TestApp app;
        ASSERT_TRUE(app.Ready());
        SetAttrs(QMXObject.ViewObj, QMXA_View_File, path.c_str());
        SetAttrs(QMXObject.IndexObj, QMXA_Index_Active, -2);
        for (const std::string &line : ListLines(View.TextList))
            expected += RenderLine(line.c_str(), CodeOutput::Plain) + "\n";
    }
    EXPECT_EQ(Vsdoc("show " + path).out, expected);
    EXPECT_EQ(Vsdoc("show --raw " + path).out.size(), expected.size() + 4) << "the codes kept";
}

TEST(Vsdoc, HelpVersionOptionsAndColour)
{
    Sandbox box;
    Result help = Vsdoc("show --help");
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.out.find("vsdoc index"), std::string::npos) << "the command's usage alone";
    EXPECT_NE(help.out.find("vsdoc show [--raw] FILE [ENTRY]"), std::string::npos);
    EXPECT_EQ(Vsdoc("--version").out, "vsdoc " VS_VERSION " (" VS_DATE ")\n");
    Result unknown = Vsdoc("show --bold x");
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.out.rfind("vsdoc: unknown option --bold\nusage:\n", 0), 0u) << unknown.out;
    std::string doc = box.Write("d.doc", "TABLE OF CONTENTS\n\n\fd.library/--background--\n   NAME\n\tbg\n"
                                         "\fd.library/Other\n   NAME\n\tother\n");
    EXPECT_EQ(Vsdoc("show " + doc + " -- --background--").out, "NAME\n   bg\n");
    EXPECT_EQ(Vsdoc("show " + doc + " --background--").code, 2) << "an option unless after --";
    EXPECT_EQ(Vsdoc("show --color=always " + doc + " other").out, "\33[1mNAME\33[0m\n   other\n");
    EXPECT_EQ(Vsdoc("show --color=never " + doc + " other").out, "NAME\n   other\n");
    EXPECT_EQ(RunCommand("NO_COLOR=1 script -qec '" + std::string(VSDOC_PATH) + " show " + doc +
                         " other' /dev/null | tr -d '\\r'")
                  .out,
              "NAME\n   other\n")
        << "a terminal, but NO_COLOR";
}

TEST(Vsdoc, AGuidesIndexAndANodeWithItsLinks)
{
    Sandbox box;
    box.Write("Other.guide", "@database o\n@node MAIN\nm\n");
    std::string guide = box.Write("g.guide",
                                  "@database g\n@node MAIN \"Main\"\n@{b}Bold@{ub} @{\"Next\" link Two 3} and\n"
                                  "@{\"Away\" link other.guide/Far} @{\"Shell\" system ls}\n@endnode\n"
                                  "@node Two\ntwo\n");
    std::string text = ReadAll(guide);
    EXPECT_EQ(Vsdoc("index " + guide).out, "AGID\t@NODE\n\33b @DATABASE\t1\t0\t0\t0\n\33b @CONTENTS\t2\t0\t0\t0\n"
                                           "MAIN\t \t" +
                                               std::to_string(text.find("@node MAIN")) + "\t2\t4\nTwo\t \t" +
                                               std::to_string(text.find("@node Two")) + "\t6\t2\n");
    EXPECT_EQ(Vsdoc("show --raw " + guide + " main").out,
              "\33E\33c\33bMain\n\33bBold\33n \33o[1@1] and\n\33o[2@2] \33o[3@3]\n--links--\n"
              "1\tNext\tlink\t\tTwo\t3\tTwo 3\t1\n"
              "2\tAway\tlink\t" +
                  box.Path("Other.guide") +
                  "\tFar\t0\tother.guide/Far\t2\n"
                  "3\tShell\tsystem\t\t-\t0\tls\t2\n");
    EXPECT_EQ(Vsdoc("show " + guide + " main").out, "----------------------------------------\nMain\nBold [Next] and\n"
                                                    "[Away] [Shell]\n")
        << "the title under its rule";
    EXPECT_EQ(Vsdoc("show " + guide).out, Vsdoc("show " + guide + " main").out) << "a guide opens on its main node";
}

TEST(Vsdoc, SearchABaseInTreeOrderFromEachDocumentsFirstEntryAndOneFileWhole)
{
    Sandbox box;
    std::string line = "\tNeedle -- a NEEDLE in a needleneedle";
    std::string adoc = box.Write("m.doc",
                                 "TABLE OF CONTENTS\n  m.library/Needle\n\fm.library/Needle\n   NAME\n" + line + "\n");
    std::string text = box.Write("t.txt", "no\r\nneedle\r\n");
    std::string base = box.Path("b.qmx");
    ASSERT_EQ(Vsdoc("base add " + base + " " + text + " " + adoc).code, 0);
    Result r = Vsdoc("search " + base + " '  needle'");
    EXPECT_EQ(r.code, 0);
    // tree order; the contents before an autodoc's first entry are not searched; overlapping hits all come
    EXPECT_EQ(r.out, text + ":2:1:needle\n" + adoc + ":5:2:" + line + "\n" + adoc + ":5:14:" + line + "\n" + adoc +
                         ":5:26:" + line + "\n" + adoc + ":5:32:" + line + "\n");
    EXPECT_EQ(Vsdoc("search --count " + base + " needle").out, "5\n");
    EXPECT_EQ(Vsdoc("search " + adoc + " needle").out.substr(0, adoc.size() + 6), adoc + ":2:13:")
        << "one file is searched whole";
    std::remove(text.c_str());
    r = Vsdoc("search --count " + base + " needle");
    EXPECT_EQ(r.out, "vsdoc: " + text + " could not be read; searched on without it\n4\n");
    EXPECT_EQ(Vsdoc("search " + base + " haystack").code, 1);
    EXPECT_EQ(Vsdoc("search " + box.Dir() + " x").code, 1);
}

TEST(Vsdoc, JsonLinesForScriptsWithTextInUTF8AndNamesAsTheHostSpellsThem)
{
    Sandbox box;
    // a Latin-1 document: its names and lines come out in UTF-8
    std::string adoc = box.Write("l\xC3\xA4nge.doc", "TABLE OF CONTENTS\n\fm.library/Gr\xF6\xDF"
                                                     "e\n   NAME\n"
                                                     "\tGr\xF6\xDF"
                                                     "e -- \"size\"\tof it\n");
    Result index = Vsdoc("index --json " + adoc);
    EXPECT_EQ(index.out, "{\"type\":\"ADOC\",\"caption\":\"m.library\"}\n"
                         "{\"name\":\"Gr\xC3\xB6\xC3\x9F"
                         "e\",\"mark\":\"+\",\"offset\":35,\"line\":3,\"lines\":2}\n");
    std::string base = box.Path("b.qmx");
    ASSERT_EQ(Vsdoc("base add " + base + " --group G " + adoc).code, 0);
    EXPECT_EQ(Vsdoc("base list --json " + base).out,
              "{\"number\":0,\"depth\":0,\"kind\":\"group\",\"name\":\"G\"}\n"
              "{\"number\":1,\"depth\":1,\"kind\":\"document\",\"name\":\"l\xC3\xA4nge.doc\",\"dir\":\"" +
                  box.Dir() + "/\",\"entries\":1}\n");
    EXPECT_EQ(Vsdoc("lookup --json " + base +
                    " gr\xC3\xB6\xC3\x9F"
                    "e")
                  .out,
              "{\"file\":\"" + adoc +
                  "\",\"entry\":\"Gr\xC3\xB6\xC3\x9F"
                  "e\"}\n");
    EXPECT_EQ(Vsdoc("search --json " + base + " size").out,
              "{\"file\":\"" + adoc +
                  "\",\"line\":4,\"column\":12,\"text\":\"\\tGr\xC3\xB6\xC3\x9F"
                  "e -- \\\"size\\\"\\tof it\"}\n");
    EXPECT_EQ(Vsdoc("search --json --count " + base + " size").out, "{\"hits\":1}\n");
}

TEST(Vsdoc, SendWithoutARunningProgramSaysSo)
{
    Sandbox box;
    mkdir(box.Path("run").c_str(), 0700);
    Result r = RunCommand("XDG_RUNTIME_DIR=" + box.Path("run") + " " + VSDOC_PATH + " send INFO VERSION 2>&1");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "vsdoc: no program answers at the port VELLUMSCANNER.1 (is Vellumscanner running?)\n");
    r = RunCommand("echo 'INFO TITLE' | XDG_RUNTIME_DIR=" + box.Path("run") + " " + VSDOC_PATH +
                   " send --port OTHER.2 2>&1");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("OTHER.2"), std::string::npos);
}

// The manual describes every type vsdoc index answers with, guides too.
TEST(Vsdoc, TheManualNamesEveryTypeTheIndexPrints)
{
    std::string manual = ReadAll(std::string(VS_SOURCE_DIR) + "/man/vsdoc.1.in");
    for (const char *sample : {"vellum.doc", "vellum.h", "vellum.xml", "vellum.guide", "Welcome.txt"}) {
        Result index = Vsdoc("index " + std::string(VS_SOURCE_DIR) + "/samples/" + sample);
        std::string type = index.out.substr(0, 4);
        EXPECT_NE(manual.find(type), std::string::npos) << type << " of " << sample;
    }
    EXPECT_NE(manual.find("AmigaGuide"), std::string::npos);
}

TEST(Vsdoc, SendMakesFullOnlyARelativeNameInAFilesPlaceAndTheRestGoesAsTyped)
{
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    std::string cwd = here;
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"QMX_FileOpen", "?"}, "QMX_FileOpen ?"},
        {{"QMX_FindFunction", "BASEFILE=b.qmx", "WORD=AllocMem"},
         "QMX_FindFunction BASEFILE " + cwd + "/b.qmx WORD AllocMem"},
        {{"QMX_FindFunction", "AllocMem", "b.qmx"}, "QMX_FindFunction AllocMem " + cwd + "/b.qmx"},
        {{"qmx_findtext", "basefile", "sdk/b.qmx", "two words"},
         "qmx_findtext basefile " + cwd + "/sdk/b.qmx \"two words\""},
        {{"QMX_FindText", "a=b", "/abs/b.qmx"}, "QMX_FindText \"a=b\" /abs/b.qmx"},
        {{"QMX_FileOpen", "my doc.txt"}, "QMX_FileOpen \"" + cwd + "/my doc.txt\""},
        {{"QMX_BaseOpen", "SYS:b.qmx"}, "QMX_BaseOpen SYS:b.qmx"},
        {{"HELP", "list.txt"}, "HELP " + cwd + "/list.txt"},
        {{"INFO", "version"}, "INFO version"},
        {{"QMX_FileOpen", "a.doc", "b.doc"}, "QMX_FileOpen a.doc b.doc"},   // no fit: the port says so
        {{"NOSUCH", "x.doc"}, "NOSUCH x.doc"},
    };
    for (const auto &[words, line] : cases)
        EXPECT_EQ(SendCommandLine(words), line) << words[0] << " " << words[1];
}

TEST(Vsdoc, SendWaitsItsTimeAndNamesWhyThePortIsOff)
{
    Sandbox box;
    std::string run = box.Path("run");
    mkdir(run.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    std::string env = "XDG_RUNTIME_DIR=" + run + " TMPDIR=" + box.Dir() + " ";
    {
        CommandPort port("Vellumscanner");   // takes no command: nobody answers
        ASSERT_TRUE(port.IsOpen());
        Result late = RunCommand(env + VSDOC_PATH + " send --timeout 1 INFO VERSION 2>&1");
        EXPECT_EQ(late.code, 3);
        EXPECT_EQ(late.out, "vsdoc: no answer from the port VELLUMSCANNER.1 within 1 seconds\n");
        EXPECT_EQ(Vsdoc("send --timeout 0 INFO VERSION").code, 2);
    }
    unsetenv("XDG_RUNTIME_DIR");
    chmod(run.c_str(), 0755);
    std::string folder = box.Path("vellumscanner-" + std::to_string(getuid()));
    mkdir(folder.c_str(), 0755);
    Result off = RunCommand(env + VSDOC_PATH + " send INFO VERSION 2>&1");
    EXPECT_EQ(off.code, 1);
    EXPECT_EQ(off.out, "vsdoc: the command port is off: the folder " + folder + " is open to other users (mode 755)\n");
}
