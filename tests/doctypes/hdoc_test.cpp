#include "core/ids.h"
#include "core/konfig.h"
#include "core/objects.h"
#include "doctypes/hdoc.h"
#include "platform/nlist/nlist.h"
#include "support/support.h"
#include "view/index.h"
#include "view/view.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
std::string Opened(const std::string &line) { return std::string(StructOpened(line.data(), line.size())); }

struct Entry {
    std::string name;
    LONG line;
    bool operator==(const Entry &) const = default;
};

std::ostream &operator<<(std::ostream &o, const Entry &e) { return o << "{" << e.name << " " << e.line << "}"; }

// A header or an interface opened in the viewer, its entries and its text.
class WholeTextDocument : public ::testing::Test, protected ViewerDriver {
protected:
    Sandbox box;
    TestApp app;

    LONG FirstShown() { return LONG(xget(View.TextList, MUIA_NList_First)); }
    std::vector<Entry> Entries()
    {
        std::vector<Entry> out;
        auto *doc = reinterpret_cast<Baza *>(xget(QMXObject.ViewObj, QMXA_View_Document));
        for (Doc *e = doc ? FirstEntry(doc) : nullptr; e; e = NextEntry(e))
            out.push_back({e->Name, e->Line});
        return out;
    }
};
}

TEST(HeaderRecognition, TheNameAloneDecides)
{
    EXPECT_TRUE(IsHeaderName("a.h"));
    EXPECT_TRUE(IsHeaderName("dir/EXEC.H"));
    EXPECT_FALSE(IsHeaderName(".h")) << "two characters are too few";
    EXPECT_FALSE(IsHeaderName("a.hpp"));
    EXPECT_FALSE(IsHeaderName("a.ch"));
    EXPECT_FALSE(IsHeaderName(nullptr));
}

TEST(HeaderLines, OnlyNamesThatCanBeLookedUp)
{
    EXPECT_EQ(Opened("struct Node\n"), "Node");
    EXPECT_EQ(Opened("struct Node {\n"), "Node");
    EXPECT_EQ(Opened("struct Node{\n"), "Node") << "the name ends at the brace";
    EXPECT_EQ(Opened("   struct Inner {\r\n"), "Inner") << "blanks before, a CR after";
    EXPECT_EQ(Opened("struct\t \tTabbed {\n"), "Tabbed") << "blanks and tabs after the word";
    EXPECT_EQ(Opened("struct N\xe4me\n"), "N") << "an 8-bit byte ends it";
    EXPECT_EQ(Opened("struct *Odd\n"), "*Odd");
    // declarations: a ';' anywhere from the name on
    EXPECT_EQ(Opened("struct Foo;\n"), "");
    EXPECT_EQ(Opened("struct Node *ln_Succ;\n"), "");
    EXPECT_EQ(Opened("struct Bar { LONG a; };\n"), "");
    // no structure opened
    EXPECT_EQ(Opened("struct {\n"), "") << "unnamed";
    EXPECT_EQ(Opened("struct \n"), "") << "no name";
    EXPECT_EQ(Opened("struct"), "") << "nothing after the word, nothing read past the line";
    EXPECT_EQ(Opened("structure x\n"), "");
    EXPECT_EQ(Opened("typedef struct Foo {\n"), "");
    EXPECT_EQ(Opened("\tstruct Tab {\n"), "") << "only blanks lead in";
}

TEST_F(WholeTextDocument, AHeaderListsItsStructuresAndScrollsToThem)
{
    ASSERT_TRUE(app.Ready());
    // CR-LF lines, a line longer than the work buffer (three pieces), no final newline
    std::string text = "/* nodes */\r\nstruct Node\r\n{\r\n  struct Node *ln_Succ;\r\n};\r\n" +
                       std::string(20000, 'x') + "\nstruct Forward;\nstruct List {\n  struct MinList {\nstruct Last";
    Open(box.Write("nodes.h", text));
    EXPECT_EQ(Shown()->FileType, TYPE_HDOC);
    EXPECT_EQ(Entries(),
              (std::vector<Entry>{{">> Whole file <<", 0}, {"Node", 2}, {"List", 10}, {"MinList", 11}, {"Last", 12}}));
    EXPECT_EQ(ListLines(IndexGUI.IndexList).size(), 5u);
    Pick(2);
    ASSERT_EQ(ListLines(View.TextList).size(), 12u);
    EXPECT_EQ(ListLines(View.TextList)[9], "struct List {") << "the entry's line is the list's";
    EXPECT_EQ(FirstShown(), 9);
    box.Write("nodes.h", "changed\n");
    Pick(0);
    EXPECT_EQ(FirstShown(), 0) << "the whole file from its top";
    EXPECT_EQ(ListLines(View.TextList).size(), 12u) << "another entry of the file shown only scrolls";
    Pick(4);
    EXPECT_EQ(ListLines(View.TextList)[11], "struct Last");
}

TEST_F(WholeTextDocument, EachHeaderOpenedIsLoadedAnew)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("a.h", "struct A {\n"));
    Pick(1);
    Open(box.Write("b.H", "/* b */\nstruct B {\n"));
    Pick(1);
    EXPECT_EQ(ListLines(View.TextList), (std::vector<std::string>{"/* b */", "struct B {"}));
    EXPECT_EQ(FirstShown(), 1);
}

TEST_F(WholeTextDocument, AHeaderThatIsNoTextOrNoFileStillCannotHurt)
{
    ASSERT_TRUE(app.Ready());
    Open(box.Write("bin.h", std::string("struct X\0;\n\xff\x01\0\nstruct Y\0 {\n", 27)));
    EXPECT_EQ(Entries(), (std::vector<Entry>{{">> Whole file <<", 0}, {"Y", 3}})) << "a NUL ends a name, not its line";
    Pick(1);
    EXPECT_EQ(ListLines(View.TextList).size(), 3u);
    std::filesystem::create_directories(box.Path("dir.h"));
    Open(box.Path("dir.h"));
    EXPECT_EQ(app.requester.questions.size(), 1u) << "a folder is refused with a message";
}
