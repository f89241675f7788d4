#include "base/baseheader.h"
#include "base/baza.h"
#include "core/ids.h"
#include "core/konfig.h"
#include "core/locale.h"
#include "core/objects.h"
#include "support/support.h"
#include "util/strings.h"

#include <csignal>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

namespace {
// Records of a base file, in the writer's byte order or the other one.
struct Bytes {
    std::string data = std::string(PlikBaseHeader) + PlikVersionHeader;
    bool swap = false;
    Bytes &Tag(const char *t)
    {
        data.append(t, 5);
        return *this;
    }
    Bytes &Num(const char *t, LONG v)
    {
        Tag(t);
        ULONG u = ULONG(v);
        if (swap)
            u = u >> 24 | (u >> 8 & 0xFF00) | (u << 8 & 0xFF0000) | u << 24;
        data.append(reinterpret_cast<const char *>(&u), 4);
        return *this;
    }
    Bytes &Text(const char *t, const std::string &s)
    {
        Num(t, LONG(s.size()));
        data += s;
        return *this;
    }
    Bytes &Char(const char *t, char c)
    {
        Tag(t);
        data += c;
        return *this;
    }
};

// The base of the example: a group System holding exec.doc with one entry.
Bytes Example(bool swap = false)
{
    Bytes b;
    b.swap = swap;
    b.Num("lQMX:", 43).Tag("\nGRP\n").Text("sGr01", "System").Tag("\nGr&\n").Num("lTREE", 0).Tag("\nDOC\n");
    b.Text("sDc01", "SYS:Docs/").Text("sDc02", "exec.doc").Text("sDc03", "exec.library").Tag("\nDc&\n");
    b.Tag("\nFNC\n").Text("sFn01", "AllocMem").Char("cFn02", '+').Num("lFn03", 1234).Num("lFn04", 40);
    b.Num("lFn05", 56).Tag("\nFn&\n").Tag("\nEND.");
    return b;
}

class BaseFile : public ::testing::Test {
protected:
    Sandbox box;
    TestApp app{true};

    IPTR Load(const std::string &path)
    {
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, path.c_str());
        return DoMethod(QMXObject.BazaObj, QMXM_BazaOpen);
    }
    void Save(const std::string &path)
    {
        SetAttrs(QMXObject.BazaObj, QMXA_Baza_File, path.c_str());
        DoMethod(QMXObject.BazaObj, QMXM_BazaSave);
    }
    void Close()
    {
        konfig.Modified = 0;
        DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
    }
    // The tree as text: one line a node, indented by depth, with every field.
    std::string Describe()
    {
        std::string out;
        std::function<void(const TreeNode *, int)> walk = [&](const TreeNode *n, int depth) {
            out += std::string(size_t(depth) * 2, ' ');
            if (NodeKind(n) == KIND_GROUP) {
                out += "G " + std::string(static_cast<const char *>(n->tn_User)) + "\n";
            } else {
                auto *b = static_cast<const Baza *>(n->tn_User);
                out += "D " + std::string(b->Dir) + "|" + b->Name + "|" + (b->Library ? b->Library : "(none)") + "\n";
                for (Doc *e = FirstEntry(b); e; e = NextEntry(e))
                    out += std::string(size_t(depth) * 2 + 2, ' ') + e->Name + " " + e->Mark + " " +
                           std::to_string(e->Offset) + " " + std::to_string(e->Lines) + " " + std::to_string(e->Line) +
                           "\n";
            }
            for (const TreeNode *c : n->tn_Children)
                walk(c, depth + 1);
        };
        for (const TreeNode *n : *NListtreeRoots(BazaGUI.Tree))
            walk(n, 0);
        return out;
    }
    std::string LastQuestion() { return app.requester.questions.empty() ? "" : app.requester.questions.back().text; }
};

const char *kExampleTree = "G System\n  D SYS:Docs/|exec.doc|exec.library\n    AllocMem + 1234 40 56\n";
}

TEST_F(BaseFile, TheExampleBaseIsWrittenByteForByteAndReadBack)
{
    ASSERT_TRUE(app.Ready());
    std::string path = box.Write("example.qmx", Example().data);
    ASSERT_NE(Load(path), 0u);
    EXPECT_EQ(Describe(), kExampleTree);
    EXPECT_STREQ(reinterpret_cast<char *>(xget(BazaGUI.BaseName, MUIA_Text_Contents)), "example.qmx");
    Save(box.Path("copy.qmx"));
    EXPECT_EQ(ReadAll(box.Path("copy.qmx")), Example().data);
}

TEST_F(BaseFile, AnOpenedBaseIsKnownByItsFullNameHoweverItWasTyped)
{
    ASSERT_TRUE(app.Ready());
    std::string path = box.Write("sub/example.qmx", Example().data);
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(box.Dir());
    IPTR loaded = Load("./sub/../sub/example.qmx");
    std::filesystem::current_path(before);
    ASSERT_NE(loaded, 0u);
    std::string full = std::filesystem::canonical(path).string();
    EXPECT_EQ(reinterpret_cast<char *>(xget(QMXObject.BazaObj, QMXA_Baza_File)), full);
    EXPECT_EQ(reinterpret_cast<char *>(loaded), full);
}

TEST_F(BaseFile, ABaseFromAMachineOfTheOtherByteOrderOpens)
{
    ASSERT_TRUE(app.Ready());
    ASSERT_NE(Load(box.Write("big.qmx", Example(true).data)), 0u);
    EXPECT_EQ(Describe(), kExampleTree);
    EXPECT_TRUE(app.requester.questions.empty());
}

TEST_F(BaseFile, AWrittenBaseReadsBackAsTheSameTree)
{
    ASSERT_TRUE(app.Ready());
    TreeNode *a = BazaAdd2Tree(nullptr, KIND_GROUP, NewSTR("A", -1));
    TreeNode *b = BazaAdd2Tree(a, KIND_GROUP, NewSTR("B", -1));
    Baza *doc = BazaAlloc("", "bare.doc");   // an empty directory part, no library
    doc->InBase = 1;
    BazaAdd2Tree(b, KIND_DOCUMENT, doc);
    Baza *two = BazaAlloc("Work:x/", "two.doc");
    two->InBase = 1;
    two->Library = NewSTR("two.library", -1);
    for (int i = 0; i < 3; ++i) {
        Doc *e = DocAlloc(("F" + std::to_string(i)).c_str());
        e->Offset = i * 100, e->Lines = i, e->Line = i + 1, e->Mark = i ? '-' : '+';
        AddEntry(two, e);
    }
    BazaAdd2Tree(a, KIND_DOCUMENT, two);
    // Names of every short length, longer than the reader's top-up and than
    // one read, and enough entries to move the reader's window many times.
    Baza *many = BazaAlloc("Work:y/", "many.doc");
    many->InBase = 1;
    std::vector<size_t> lengths = {4100, 70000};
    for (size_t n = 0; n <= 40; ++n)
        lengths.push_back(n);
    for (int i = 0; i < 3000; ++i)
        lengths.push_back(size_t(5 + i % 30));
    for (size_t i = 0; i < lengths.size(); ++i) {
        std::string name(lengths[i], char('a' + i % 26));
        if (!name.empty())
            name.back() = 'Z';
        Doc *e = DocAlloc(name.c_str());
        e->Offset = LONG(i) * 7, e->Lines = -LONG(i), e->Line = LONG(i) << 20, e->Mark = char(i);
        AddEntry(many, e);
    }
    BazaAdd2Tree(b, KIND_DOCUMENT, many);
    BazaAdd2Tree(nullptr, KIND_GROUP, NewSTR("C", -1));
    std::string huge(100000, 'n');   // longer than the writer's block
    BazaAdd2Tree(nullptr, KIND_GROUP, NewSTR(huge.c_str(), -1));
    BazaAdd2Tree(nullptr, KIND_GROUP, NewSTR("D", -1));
    std::string before = Describe();
    Save(box.Path("t.qmx"));
    Close();
    ASSERT_NE(Load(box.Path("t.qmx")), 0u);
    EXPECT_EQ(Describe(), before);
    EXPECT_NE(ReadAll(box.Path("t.qmx")).find(std::string("sDc01\0\0\0\0sDc02", 14)), std::string::npos)
        << "an empty directory is still written";
}

TEST_F(BaseFile, VersionsBelow20AreRefusedAndOldOnesRescanned)
{
    ASSERT_TRUE(app.Ready());
    Bytes old;
    old.Num("lQMX:", 19);
    EXPECT_EQ(Load(box.Write("19.qmx", old.data)), 0u);
    EXPECT_EQ(LastQuestion(), "Base version too old !\nVersion required: at least 20");
    std::string doc = box.Write("docs/a.txt", "text\n");
    Bytes twenty;
    twenty.Num("lQMX:", 20).Tag("\nDOC\n").Text("sDc01", box.Path("docs/")).Text("sDc02", "a.txt").Tag("\nDc&\n");
    twenty.Tag("\nEND.");
    ASSERT_NE(Load(box.Write("20.qmx", twenty.data)), 0u);
    EXPECT_EQ(LastQuestion(), GetLoc(24));
    EXPECT_EQ(app.requester.questions.back().title, GetLoc(1));
    EXPECT_EQ(konfig.Modified, 1);
    EXPECT_NE(Describe().find(">> Whole file << "), std::string::npos) << "the rescan rebuilt the entries";
    Close();
    ASSERT_NE(Load(box.Write("empty.qmx", std::string(PlikBaseHeader) + PlikVersionHeader + "\nEND.")), 0u);
    EXPECT_EQ(LastQuestion(), GetLoc(24)) << "no version record is version 0: imported";
    EXPECT_EQ(Describe(), "");
    Close();
    EXPECT_EQ(Load(box.Write("cut.qmx", std::string(PlikBaseHeader) + PlikVersionHeader)), 0u);
    EXPECT_EQ(LastQuestion(), GetLoc(23)) << "a header alone is a base cut short";
}

TEST_F(BaseFile, ReadEntriesGiveWayToARescanAndTheirBlocksServeTheNextBase)
{
    ASSERT_TRUE(app.Ready());
    box.Write("docs/a.txt", "text\n");
    Bytes old;
    old.Num("lQMX:", 20).Tag("\nDOC\n").Text("sDc01", box.Path("docs/")).Text("sDc02", "a.txt").Tag("\nDc&\n");
    for (const char *name : {"Stale1", "Stale2"})
        old.Tag("\nFNC\n")
            .Text("sFn01", name)
            .Char("cFn02", ' ')
            .Num("lFn03", 0)
            .Num("lFn04", 1)
            .Num("lFn05", 0)
            .Tag("\nFn&\n");
    old.Tag("\nEND.");
    ASSERT_NE(Load(box.Write("old.qmx", old.data)), 0u);
    EXPECT_EQ(Describe().find("Stale"), std::string::npos) << "the import's rescan replaced the read entries";
    EXPECT_NE(Describe().find(">> Whole file << "), std::string::npos);
    Save(box.Path("new.qmx"));
    Close();

    Bytes big = Example();
    big.data.resize(big.data.find("\nEND."));
    for (int i = 0; i < 1200; ++i) {   // more than one of the blocks entries are kept in
        big.Tag("\nFNC\n").Text("sFn01", "Entry" + std::to_string(i) + std::string(4000, 'x'));
        big.Char("cFn02", '+').Num("lFn03", i).Num("lFn04", 2).Num("lFn05", i * 2).Tag("\nFn&\n");
    }
    big.Tag("\nEND.");
    std::string path = box.Write("big.qmx", big.data);
    ASSERT_NE(Load(path), 0u);
    std::string first = Describe();
    size_t held = KeptDocBytes();
    for (int round = 0; round < 3; ++round) {
        Close();
        ASSERT_NE(Load(path), 0u);
        EXPECT_EQ(Describe(), first);
        EXPECT_EQ(KeptDocBytes(), held) << "a base read again takes the blocks the last one gave back";
    }
    Close();
    ASSERT_NE(Load(box.Path("new.qmx")), 0u);
    EXPECT_NE(Describe().find(">> Whole file << "), std::string::npos);
}

TEST_F(BaseFile, DamageIsReportedAndLeavesNoHalfBase)
{
    ASSERT_TRUE(app.Ready());
    std::string good = Example().data;
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {good.substr(0, good.find("\nEND.")) + "xWHAT", GetLoc(23)},                        // an unknown tag
        {Bytes().Num("lQMX:", 43).Tag("\nFn&\n").data, GetLoc(23)},                         // an end with no start
        {Bytes().Num("lQMX:", 43).Tag("\nDOC\n").Num("sDc01", 1 << 30).data, GetLoc(23)},   // a length past the end
        {Bytes().Num("lQMX:", 43).Tag("\nDOC\n").Tag("\nDOC\n").data, GetLoc(23)},          // a document in a document
        {Bytes().Num("lQMX:", 43).Text("sFn01", "stray").data, GetLoc(23)},                 // a field of nothing
        {good + "\nWHO", ""},   // fewer than 5 bytes after the end: ignored
        {"not a base at all", "not"},
    };
    for (const auto &[bytes, message] : damaged) {
        app.requester.questions.clear();
        Close();
        IPTR result = Load(box.Write("d.qmx", bytes));
        if (message.empty()) {
            EXPECT_NE(result, 0u);
            EXPECT_EQ(Describe(), kExampleTree);
        } else {
            EXPECT_EQ(result, 0u);
            EXPECT_EQ(Describe(), "") << "a damaged base leaves nothing behind";
            if (message == "not")
                EXPECT_EQ(LastQuestion(), "Not a base file:\n" + box.Path("d.qmx"));
            else
                EXPECT_EQ(LastQuestion(), message);
        }
    }
    Close();
    for (size_t cut = 30; cut < good.size(); ++cut) {   // every boundary and inside records
        Close();
        app.requester.questions.clear();
        EXPECT_EQ(Load(box.Write("cut.qmx", good.substr(0, cut))), 0u) << "a base without its end is damaged: " << cut;
        EXPECT_EQ(Describe(), "") << "cut at " << cut;
        EXPECT_EQ(LastQuestion(), GetLoc(23));
    }
    EXPECT_EQ(Load(box.Dir()), 0u);
    EXPECT_EQ(LastQuestion(), "Cannot open file:\n" + box.Dir());
}

TEST_F(BaseFile, AWellFormedRecordAfterTheEndStillCounts)
{
    ASSERT_TRUE(app.Ready());
    Bytes more = Example();
    more.Tag("\nGRP\n").Text("sGr01", "After").Num("lTREE", -1).Tag("\nGr&\n");
    ASSERT_NE(Load(box.Write("m.qmx", more.data)), 0u);
    EXPECT_EQ(Describe(), std::string(kExampleTree) + "G After\n");
}

TEST_F(BaseFile, EntryRecordsInAnotherOrderReadTheSame)
{
    ASSERT_TRUE(app.Ready());
    Bytes b;
    b.Num("lQMX:", 43).Tag("\nGRP\n").Text("sGr01", "System").Tag("\nGr&\n").Num("lTREE", 0).Tag("\nDOC\n");
    b.Text("sDc01", "SYS:Docs/").Text("sDc02", "exec.doc").Text("sDc03", "exec.library").Tag("\nDc&\n");
    b.Tag("\nFNC\n").Num("lFn05", 56).Num("lFn03", 1234).Text("sFn01", "AllocMem").Num("lFn04", 40);
    b.Char("cFn02", '+').Tag("\nFn&\n");
    b.Tag("\nFNC\n").Text("sFn01", "FreeMem").Char("cFn02", '-').Num("lFn03", 9).Num("lFn04", 8);
    b.Num("lFn05", 7).Tag("\nFn&\n").Tag("\nFNC\n").Text("sFn01", "NoMark").Num("lFn03", 1).Tag("\nFn&\n");
    b.Tag("\nFNC\n").Num("lFn03", 2).Tag("\nFn&\n").Tag("\nEND.");   // no name: an empty one
    ASSERT_NE(Load(box.Write("order.qmx", b.data)), 0u);
    EXPECT_EQ(Describe(), std::string(kExampleTree) + "    FreeMem - 9 8 7\n    NoMark   1 0 0\n       2 0 0\n");
}

TEST_F(BaseFile, SavingAsksBeforeOverwritingAndNeverLeavesHalfAFile)
{
    ASSERT_TRUE(app.Ready());
    ASSERT_NE(Load(box.Write("e.qmx", Example().data)), 0u);
    std::string target = box.Write("old.qmx", "precious");
    app.requester.answers.push_back(0);   // Cancel
    Save(target);
    EXPECT_EQ(ReadAll(target), "precious");
    EXPECT_EQ(LastQuestion(), "Selected file:\n" + target + "\n already exist");
    std::filesystem::create_directory(box.Path("dir.qmx"));
    app.requester.answers.push_back(1);
    Save(box.Path("dir.qmx"));   // cannot be replaced: a directory
    EXPECT_EQ(LastQuestion(), "Cannot create file:\n" + box.Path("dir.qmx"));
    EXPECT_TRUE(std::filesystem::is_directory(box.Path("dir.qmx")));
    size_t files = 0;
    for (auto &e : std::filesystem::directory_iterator(box.Dir()))
        files += e.is_regular_file();
    EXPECT_EQ(files, 2u) << "no temporary copy is left behind";
    Save(box.Path("missing/dir/x.qmx"));
    EXPECT_EQ(LastQuestion(), "Cannot create file:\n" + box.Path("missing/dir/x.qmx"));
}

TEST_F(BaseFile, AFileThatAlreadyHoldsTheBaseIsLeftAsItIsAndANearCopyIsReplaced)
{
    ASSERT_TRUE(app.Ready());
    const std::string base = Example().data;
    ASSERT_NE(Load(box.Write("e.qmx", base)), 0u);
    auto inode = [](const std::string &path) {
        struct stat st;
        return stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
    };
    std::string same = box.Write("same.qmx", base);
    ino_t before = inode(same);
    app.requester.answers.push_back(1);
    konfig.Modified = 1;
    Save(same);
    EXPECT_EQ(inode(same), before) << "not written again";
    EXPECT_EQ(konfig.Modified, 0) << "yet saved";
    std::string lastByte = base, shorter = base.substr(0, base.size() - 1);
    lastByte.back() ^= 1;
    for (const std::string &near : {lastByte, shorter, base + "x"}) {
        std::string path = box.Write("near.qmx", near);
        app.requester.answers.push_back(1);
        Save(path);
        EXPECT_EQ(ReadAll(path), base);
    }
}

// A full disk, made by a file-size limit: the writes fail part way, and the
// old base must survive whole.
TEST_F(BaseFile, AFullDiskLeavesTheOldBaseWhole)
{
    ASSERT_TRUE(app.Ready());
    ASSERT_NE(Load(box.Write("e.qmx", Example().data)), 0u);
    std::string target = box.Write("old.qmx", "precious");
    app.requester.answers.push_back(1);   // replace it
    rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit small = before;
    small.rlim_cur = 64;
    auto *oldHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    Save(target);
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(LastQuestion(), "Cannot create file:\n" + target);
    EXPECT_EQ(ReadAll(target), "precious");
    size_t files = 0;
    for (auto &e : std::filesystem::directory_iterator(box.Dir()))
        files += e.is_regular_file();
    EXPECT_EQ(files, 2u) << "the part written is removed";
}

TEST_F(BaseFile, ClosingAsksAboutUnsavedChangesAndForgetsTheLastBase)
{
    ASSERT_TRUE(app.Ready());
    ASSERT_NE(Load(box.Write("e.qmx", Example().data)), 0u);
    SetAttrs(konfig.LastBase, MUIA_String_Contents, box.Path("e.qmx").c_str());
    konfig.Modified = 1;
    std::string loaded = Describe();
    app.requester.files.push_back({box.Dir(), {"other.qmx"}});
    DoMethod(QMXObject.BazaObj, QMXM_BazaOpenASL);   // answered Cancel
    DoMethod(QMXObject.BazaObj, QMXM_BazaClose);     // answered Cancel
    EXPECT_EQ(LastQuestion(), GetLoc(98));
    EXPECT_EQ(app.requester.questions.size(), 2u);
    EXPECT_EQ(Describe(), loaded) << "Cancel keeps the base as it was, unsaved";
    EXPECT_EQ(konfig.Modified, 1);
    app.requester.answers.push_back(2);   // Discard
    DoMethod(QMXObject.BazaObj, QMXM_BazaClose);
    EXPECT_EQ(konfig.Modified, 0);
    EXPECT_EQ(Describe(), "");
    EXPECT_STREQ(reinterpret_cast<char *>(xget(konfig.LastBase, MUIA_String_Contents)), "");
    EXPECT_FALSE(xget(reinterpret_cast<Object *>(DoMethod(QMXObject.MenuStrip, MUIM_FindUData, MENU_BaseSave)),
                      MUIA_Menuitem_Enabled))
        << "an empty base has nothing to save";
}

TEST_F(BaseFile, AnotherBaseTakesThePlaceOfTheOpenOneOrLeavesNone)
{
    ASSERT_TRUE(app.Ready());
    std::string example = box.Write("e.qmx", Example().data), text = box.Write("t.txt", "not a base\n");
    auto replace = [&](const std::string &file) { return DoMethod(QMXObject.BazaObj, QMXM_BazaReplace, file.c_str()); };
    EXPECT_TRUE(replace(example));
    EXPECT_EQ(Describe(), kExampleTree);
    konfig.Modified = 1;
    EXPECT_FALSE(replace(text)) << "unsaved changes, answered Cancel";
    EXPECT_EQ(LastQuestion(), GetLoc(98));
    EXPECT_EQ(Describe(), kExampleTree);
    app.requester.answers.push_back(2);   // Discard
    EXPECT_FALSE(replace(text));
    EXPECT_EQ(Describe(), "");
    auto file = reinterpret_cast<CONST_STRPTR>(xget(QMXObject.BazaObj, QMXA_Baza_FileName));
    EXPECT_STREQ(file ? file : "", "") << "no base left that only carries the name";
    EXPECT_TRUE(replace(example));
    EXPECT_TRUE(DoMethod(QMXObject.BazaObj, QMXM_BazaReplace, xget(QMXObject.BazaObj, QMXA_Baza_File)))
        << "its own name, which the closing frees, is copied first";
    EXPECT_EQ(Describe(), kExampleTree);
}
