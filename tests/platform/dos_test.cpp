#include "core/version.h"
#include "platform/dos/files.h"
#include "platform/dos/format.h"
#include "platform/dos/lines.h"
#include "platform/dos/locks.h"
#include "platform/dos/paths.h"
#include "platform/dos/patterns.h"
#include "platform/dos/readargs.h"
#include "support/support.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

TEST(Files, FGetsReadsAtMostNMinusOneAndStopsAfterANewline)
{
    Sandbox box;
    std::string path = box.Write("f.txt", "abcdef\nxy\nlast");
    FileHandle *fh = Open(path.c_str(), MODE_OLDFILE);
    ASSERT_NE(fh, nullptr);
    char buf[5];
    EXPECT_STREQ(FGets(fh, buf, 5), "abcd");
    EXPECT_STREQ(FGets(fh, buf, 5), "ef\n");
    EXPECT_STREQ(FGets(fh, buf, 5), "xy\n");
    EXPECT_STREQ(FGets(fh, buf, 5), "last");
    EXPECT_EQ(FGets(fh, buf, 5), nullptr);
    EXPECT_EQ(Seek(fh, 2, OFFSET_BEGINNING), 14) << "Seek answers the position before the move";
    EXPECT_STREQ(FGets(fh, buf, 5), "cdef");
    Close(fh);
}

TEST(Files, WritesReadBackAfterSeekAndLargeBlocksPass)
{
    Sandbox box;
    std::string path = box.Path("w.bin");
    FileHandle *fh = Open(path.c_str(), MODE_NEWFILE);
    ASSERT_NE(fh, nullptr);
    std::string big(200000, 'q');
    big[123456] = '\0';
    EXPECT_EQ(FPuts(fh, "head\n"), 0);
    EXPECT_EQ(FWrite(fh, big.data(), ULONG(big.size()), 1), 1);
    EXPECT_EQ(Seek(fh, 0, OFFSET_BEGINNING), LONG(5 + big.size()));
    char head[6] = {};
    EXPECT_EQ(Read(fh, head, 5), 5);
    EXPECT_STREQ(head, "head\n");
    EXPECT_TRUE(Close(fh));
    EXPECT_EQ(ReadAll(path), "head\n" + big);
    fh = Open(path.c_str(), MODE_NEWFILE);   // a few bytes, still in the buffer, then back to the start
    EXPECT_EQ(FPuts(fh, "tail\n"), 0);
    EXPECT_EQ(Seek(fh, 0, OFFSET_BEGINNING), 5);
    EXPECT_EQ(Read(fh, head, 5), 5);
    EXPECT_STREQ(head, "tail\n");
    EXPECT_EQ(Seek(fh, 0, OFFSET_CURRENT), 5);
    EXPECT_TRUE(Close(fh));
}

// Seeks anywhere (inside the bytes already read, before, after, from the
// end) mixed with small, large and line reads always read what the file holds.
TEST(Files, ReadsAfterAnySeekMatchTheFile)
{
    Sandbox box;
    std::string text;
    for (int i = 0; text.size() < 300000; ++i)
        text += "line " + std::to_string(i) + (i % 7 ? "\n" : " and a longer one\n");
    FileHandle *fh = Open(box.Write("r.txt", text).c_str(), MODE_OLDFILE);
    ASSERT_NE(fh, nullptr);
    uint32_t seed = 7;
    auto next = [&](uint32_t n) { return ((seed = seed * 1103515245 + 12345) >> 8) % n; };
    std::string got(200000, '\0');
    // The buffer read to its very end, then a read past it and a step back.
    ASSERT_EQ(Read(fh, got.data(), 10), 10);
    ASSERT_EQ(Read(fh, got.data(), 65526), 65526);
    ASSERT_EQ(Read(fh, got.data(), 70000), 70000);
    Seek(fh, -100, OFFSET_CURRENT);
    ASSERT_EQ(Read(fh, got.data(), 100), 100);
    EXPECT_EQ(std::string(got.data(), 100), text.substr(135436, 100));
    for (int step = 0; step < 400; ++step) {
        LONG at = Seek(fh, 0, OFFSET_CURRENT);
        ASSERT_GE(at, 0);
        switch (next(6)) {
        case 0: Seek(fh, LONG(next(uint32_t(text.size()))), OFFSET_BEGINNING); break;
        case 1: Seek(fh, -LONG(next(70000)), OFFSET_CURRENT); break;
        case 2: Seek(fh, -LONG(next(1000)), OFFSET_END); break;
        case 3: {
            LONG n = LONG(next(2) ? next(100) : 65536 + next(100000));
            LONG r = Read(fh, got.data(), n);
            ASSERT_EQ(std::string(got.data(), size_t(r)), text.substr(size_t(at), size_t(n))) << "step " << step;
            break;
        }
        case 4: {   // a read elsewhere leaves the position
            LONG from = LONG(next(uint32_t(text.size()) + 10)), n = LONG(next(100000));
            LONG r = ReadAt(fh, got.data(), n, from);
            ASSERT_EQ(std::string(got.data(), size_t(r)), text.substr(std::min(size_t(from), text.size()), size_t(n)));
            ASSERT_EQ(Seek(fh, 0, OFFSET_CURRENT), at);
            break;
        }
        default: {
            char line[64];
            const char *l = FGets(fh, line, sizeof line);
            std::string want = text.substr(size_t(at), 63);
            want = want.substr(0, want.find('\n') == std::string::npos ? want.size() : want.find('\n') + 1);
            ASSERT_EQ(l ? std::string(l) : "", want) << "step " << step;
        }
        }
    }
    EXPECT_EQ(FileSize(fh), LONG(text.size()));
    Close(fh);
}

TEST(Files, AFileThatGrowsAfterItsEndWasReadShowsTheNewBytesAfterASeek)
{
    Sandbox box;
    std::string path = box.Write("grows.txt", "first\n");
    FileHandle *fh = Open(path.c_str(), MODE_SHARED);
    ASSERT_NE(fh, nullptr);
    std::vector<char> block(1 << 17);
    EXPECT_EQ(Read(fh, block.data(), LONG(block.size())), 6);
    box.Write("grows.txt", "first\nsecond\n");
    EXPECT_EQ(Seek(fh, 0, OFFSET_CURRENT), 6);
    EXPECT_EQ(Read(fh, block.data(), LONG(block.size())), 7);
    EXPECT_EQ(std::string(block.data(), 7), "second\n");
    box.Write("grows.txt", "first\nsecond\nthird\n");
    EXPECT_EQ(Seek(fh, 0, OFFSET_BEGINNING), 13);
    char line[32];
    EXPECT_STREQ(FGets(fh, line, sizeof line), "first\n");
    EXPECT_EQ(Read(fh, block.data(), LONG(block.size())), 13);
    Close(fh);
}

TEST(Files, DirectoriesAndPipesAreNoDocuments)
{
    Sandbox box;
    EXPECT_EQ(Open(box.Dir().c_str(), MODE_OLDFILE), nullptr);
    std::string fifo = box.Path("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Open(fifo.c_str(), MODE_OLDFILE), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << "opening a pipe must not wait";
    EXPECT_EQ(Open("", MODE_OLDFILE), nullptr);
}

TEST(Files, ANewFileBesideATargetReplacesItInOneStep)
{
    Sandbox box;
    std::string target = box.Write("doc.txt", "old");
    std::string temp;
    FileHandle *fh = OpenNewBeside(target.c_str(), temp);
    ASSERT_NE(fh, nullptr);
    EXPECT_EQ(ReadAll(target), "old");
    FPuts(fh, "new");
    Close(fh);
    EXPECT_TRUE(RenameOver(temp.c_str(), target.c_str()));
    EXPECT_EQ(ReadAll(target), "new");
}

TEST(Paths, FilePartPathPartAndAddPartFollowVolumesAndSlashes)
{
    EXPECT_STREQ(FilePart("Work:dir/file"), "file");
    EXPECT_STREQ(FilePart("Work:file"), "file");
    EXPECT_STREQ(FilePart("file"), "file");
    const char *a = "Work:dir/file";
    EXPECT_EQ(PathPart(a), a + 8);
    const char *b = "Work:file";
    EXPECT_EQ(PathPart(b), b + 5);
    const char *c = "/file";
    EXPECT_EQ(PathPart(c), c + 1) << "the root's slash stays part of the directory";
    char buf[32] = "Work:";
    EXPECT_TRUE(AddPart(buf, "x", sizeof buf));
    EXPECT_STREQ(buf, "Work:x");
    EXPECT_TRUE(AddPart(buf, "y", sizeof buf));
    EXPECT_STREQ(buf, "Work:x/y");
    EXPECT_TRUE(AddPart(buf, "/abs", sizeof buf));
    EXPECT_STREQ(buf, "/abs");
    char tiny[6] = "dir";
    EXPECT_FALSE(AddPart(tiny, "long", sizeof tiny));
    EXPECT_STREQ(tiny, "dir") << "a name that does not fit leaves the buffer as it was";
}

TEST(Paths, AssignsAndTheCurrentDirectoryResolveNames)
{
    Sandbox box;
    EXPECT_EQ(HostPath("T:QMX.doc"), box.Dir() + "/T/QMX.doc");
    box.Write("sub/a.txt", "a");
    FileLock *dir = Lock(box.Path("sub").c_str(), SHARED_LOCK);
    ASSERT_NE(dir, nullptr);
    UnLock(CurrentDir(dir));
    FileLock *file = Lock("a.txt", SHARED_LOCK);
    ASSERT_NE(file, nullptr);
    char name[512];
    ASSERT_TRUE(NameFromLock(file, name, sizeof name));
    EXPECT_EQ(std::string(name), std::filesystem::canonical(box.Path("sub/a.txt")).string());
    UnLock(file);
    UnLock(CurrentDir(nullptr));
    EXPECT_EQ(Lock(box.Path("missing").c_str(), SHARED_LOCK), nullptr);
}

TEST(Paths, AnOpenFileTellsTheNameItsLockGivesUntilItIsGone)
{
    Sandbox box;
    box.Write("real/a.txt", "a");
    std::filesystem::create_directory_symlink(box.Path("real"), box.Path("link"));
    FileHandle *fh = Open(box.Path("link/a.txt").c_str(), MODE_SHARED);
    FileLock *lock = Lock(box.Path("link/a.txt").c_str(), SHARED_LOCK);
    ASSERT_TRUE(fh && lock);
    char fromHandle[512], fromLock[512];
    ASSERT_TRUE(NameFromFH(fh, fromHandle, sizeof fromHandle));
    ASSERT_TRUE(NameFromLock(lock, fromLock, sizeof fromLock));
    EXPECT_STREQ(fromHandle, fromLock);
    EXPECT_FALSE(NameFromFH(fh, fromHandle, 8)) << "a name that does not fit is refused";
    UnLock(lock);
    std::filesystem::remove(box.Path("real/a.txt"));
    EXPECT_FALSE(NameFromFH(fh, fromHandle, sizeof fromHandle)) << "a removed file has no name";
    Close(fh);
    // a full name is its own name; one through a link or with a ".." part is resolved
    std::string full = std::filesystem::canonical(box.Path("real")).string() + "/b.txt";
    box.Write("real/b.txt", "b");
    for (const std::string &name : {full, box.Path("real/../real/b.txt"), box.Path("link/b.txt")}) {
        fh = Open(name.c_str(), MODE_SHARED);
        ASSERT_TRUE(fh) << name;
        EXPECT_TRUE(NameFromFH(fh, fromHandle, sizeof fromHandle));
        EXPECT_EQ(fromHandle, full) << name;
        EXPECT_FALSE(NameFromFH(fh, fromHandle, full.size())) << "no room for the terminator";
        Close(fh);
    }
}

TEST(Paths, SameLockComparesFilesNotNames)
{
    Sandbox box;
    std::string file = box.Write("a.txt", "a"), other = box.Write("b.txt", "b");
    std::filesystem::create_hard_link(file, box.Path("hard.txt"));
    std::filesystem::create_symlink(file, box.Path("soft.txt"));
    FileLock *a = Lock(file.c_str(), SHARED_LOCK);
    auto same = [&](const std::string &name) {
        FileLock *l = Lock(name.c_str(), SHARED_LOCK);
        LONG r = SameLock(a, l);
        UnLock(l);
        return r;
    };
    EXPECT_EQ(same(box.Path("hard.txt")), LOCK_SAME);
    EXPECT_EQ(same(box.Path("soft.txt")), LOCK_SAME);
    EXPECT_EQ(same(other), LOCK_SAME_VOLUME);
    EXPECT_EQ(same(box.Path("missing.txt")), LOCK_DIFFERENT);
    UnLock(a);
}

TEST(Paths, TheDefaultScratchDirectoryIsPrivate)
{
    AssignPath("T", "");
    unsetenv("XDG_RUNTIME_DIR");
    std::string dir = AssignedPath("T");
    ASSERT_FALSE(dir.empty());
    struct stat st;
    ASSERT_EQ(stat(dir.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(ReadArgs, TheProgramTemplateTakesAFileAndTheRestOfTheLine)
{
    const char *templ = "(c) banner Vellumscanner (ver:" VS_VERSION "):\n FILE_NAME/A, FUNC_NAME/F";
    IPTR args[2] = {0, 0};
    RDArgs *r = ReadArgs(templ, args, "exec.doc AllocMem with blanks");
    ASSERT_NE(r, nullptr);
    EXPECT_STREQ(reinterpret_cast<char *>(args[0]), "exec.doc");
    EXPECT_STREQ(reinterpret_cast<char *>(args[1]), "AllocMem with blanks");
    FreeArgs(r);
    IPTR none[2] = {0, 0};
    EXPECT_EQ(ReadArgs(templ, none, ""), nullptr) << "the file is required";
    EXPECT_EQ(none[0], 0u) << "a failed parse leaves the array alone";
    IPTR quoted[2] = {0, 0};
    char prog[] = "p", file[] = "my file.doc";
    char *argv[] = {prog, file};
    r = ReadArgs(templ, quoted, CommandLineFromArgv(2, argv).c_str());
    ASSERT_NE(r, nullptr);
    EXPECT_STREQ(reinterpret_cast<char *>(quoted[0]), "my file.doc");
    FreeArgs(r);
}

TEST(ReadArgs, KeywordsSwitchesNumbersAndAQuestionMark)
{
    IPTR args[3] = {0, 0, 0};
    RDArgs *r = ReadArgs("NAME/K,QUIET/S,COUNT/N", args, "COUNT=12 QUIET NAME x");
    ASSERT_NE(r, nullptr);
    EXPECT_STREQ(reinterpret_cast<char *>(args[0]), "x");
    EXPECT_EQ(args[1], IPTR(TRUE));
    EXPECT_EQ(*reinterpret_cast<LONG *>(args[2]), 12);
    FreeArgs(r);
    IPTR bad[3] = {0, 0, 0};
    EXPECT_EQ(ReadArgs("NAME/K,QUIET/S,COUNT/N", bad, "COUNT=twelve"), nullptr);
    EXPECT_EQ(ReadArgs("", bad, "extra"), nullptr) << "a template without items takes no word";
    RDArgs *none = ReadArgs("", bad, "  ");
    EXPECT_NE(none, nullptr) << "but blanks are no words";
    FreeArgs(none);

    Sandbox box;
    std::string in = box.Write("in", "file.doc\n");
    std::string outPath = box.Path("out");
    FileHandle *input = Open(in.c_str(), MODE_OLDFILE), *output = Open(outPath.c_str(), MODE_NEWFILE);
    FileHandle *oldIn = SelectInput(input), *oldOut = SelectOutput(output);
    IPTR asked[2] = {0, 0};
    r = ReadArgs("Banner:\n FILE_NAME/A, FUNC_NAME/F", asked, "?");
    SelectInput(oldIn);
    SelectOutput(oldOut);
    Close(input);
    Close(output);
    ASSERT_NE(r, nullptr);
    EXPECT_STREQ(reinterpret_cast<char *>(asked[0]), "file.doc");
    EXPECT_EQ(ReadAll(outPath), "Banner:\n FILE_NAME/A, FUNC_NAME/F: ");
    FreeArgs(r);
}

TEST(ReadArgs, StrToLongReadsASignedNumberAfterBlanks)
{
    LONG v = 0;
    EXPECT_EQ(StrToLong("  -42x", &v), 5);
    EXPECT_EQ(v, -42);
    EXPECT_EQ(StrToLong("x", &v), -1);
    EXPECT_EQ(StrToLong("99999999999", &v), 11);
    EXPECT_EQ(v, 0x7FFFFFFF);
}

TEST(Patterns, TheDocumentPatternAndItsRelatives)
{
    char parsed[128];
    ASSERT_EQ(ParsePatternNoCase("#?.(doc|h|xml|guide)", parsed, sizeof parsed), 1);
    for (const char *yes : {"exec.doc", "DOS.H", "a.b.guide", ".xml"})
        EXPECT_TRUE(MatchPatternNoCase(parsed, yes)) << yes;
    for (const char *no : {"exec.docx", "exec", "guide", "a.hh"})
        EXPECT_FALSE(MatchPatternNoCase(parsed, no)) << no;
    ParsePatternNoCase("[a-c]?~(x)", parsed, sizeof parsed);
    EXPECT_TRUE(MatchPatternNoCase(parsed, "Bzy"));
    EXPECT_FALSE(MatchPatternNoCase(parsed, "bzx"));
    EXPECT_EQ(ParsePatternNoCase("plain", parsed, sizeof parsed), 0);
    EXPECT_EQ(ParsePatternNoCase("too long", parsed, 4), -1);
}

TEST(Patterns, AHostilePatternEndsQuickly)
{
    char parsed[256];
    ParsePatternNoCase("#(#(#(#?)))#(#(#?))x", parsed, sizeof parsed);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(MatchPatternNoCase(parsed, std::string(40, 'a').c_str()));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(Format, ConversionsAndMissingArguments)
{
    IPTR args[] = {ToIPTR("name"), IPTR(-7), 255, ToIPTR("ab")};
    EXPECT_EQ(VFormat("%s=%ld (%lx) [%5s] [%-4s]", args, 4), "name=-7 (ff) [   ab] []");
    EXPECT_EQ(VFormat("Cannot open file:\n%s%s%ld", args, 1), "Cannot open file:\nname")
        << "a translated text with more conversions than arguments reads nothing more";
    EXPECT_EQ(VFormat("100%% %q", nullptr, 0), "100% %q");
}

TEST(Files, BlockReadsCountWholeBlocksAndFormattedOutputWrites)
{
    Sandbox box;
    std::string path = box.Write("b.bin", "0123456789");
    FileHandle *fh = Open(path.c_str(), MODE_OLDFILE);
    char buf[16];
    EXPECT_EQ(Read(fh, buf, 12), 10) << "what there is of twelve bytes";
    EXPECT_EQ(Read(fh, buf, 4), 0) << "at the end";
    EXPECT_EQ(Seek(fh, -3, OFFSET_END), 10);
    EXPECT_EQ(Read(fh, buf, 16), 3);
    Close(fh);
    std::string out = box.Path("o.txt");
    fh = Open(out.c_str(), MODE_NEWFILE);
    IPTR args[] = {ToIPTR("x"), 42};
    EXPECT_EQ(VFPrintf(fh, "%s=%ld\n", args, 2), 5);
    Close(fh);
    EXPECT_EQ(ReadAll(out), "x=42\n");
    EXPECT_TRUE(DeleteFile(out.c_str()));
    EXPECT_FALSE(DeleteFile(out.c_str()));
}

TEST(ReadArgs, ManyValuesQuotesAndEscapes)
{
    IPTR args[2] = {0, 0};
    RDArgs *r = ReadArgs("TO/K,FILES/M", args, "a \"b c\" TO=dest \"q*\"x\"");
    ASSERT_NE(r, nullptr);
    auto files = reinterpret_cast<char **>(args[1]);
    ASSERT_NE(files, nullptr);
    EXPECT_STREQ(files[0], "a");
    EXPECT_STREQ(files[1], "b c");
    EXPECT_STREQ(files[2], "q\"x");
    EXPECT_EQ(files[3], nullptr);
    EXPECT_STREQ(reinterpret_cast<char *>(args[0]), "dest");
    FreeArgs(r);
    char prog[] = "p", odd[] = "say \"hi\" *now*", empty[] = "";
    char *argv[] = {prog, odd, empty};
    std::string line = CommandLineFromArgv(3, argv);
    IPTR back[1] = {0};
    r = ReadArgs("WORDS/M", back, line.c_str());
    ASSERT_NE(r, nullptr);
    auto words = reinterpret_cast<char **>(back[0]);
    EXPECT_STREQ(words[0], "say \"hi\" *now*");
    EXPECT_STREQ(words[1], "");
    FreeArgs(r);
}

TEST(Paths, ANameThatDoesNotFitIsRefused)
{
    Sandbox box;
    FileLock *dir = Lock(box.Dir().c_str(), SHARED_LOCK);
    ASSERT_NE(dir, nullptr);
    char name[512];
    EXPECT_TRUE(NameFromLock(dir, name, sizeof name));
    EXPECT_FALSE(NameFromLock(dir, name, 3));
    UnLock(dir);
}

// A file within one block and one of many blocks, lines running across them.
class LineCutting : public ::testing::TestWithParam<int> {};
INSTANTIATE_TEST_SUITE_P(Files, LineCutting, ::testing::Values(3000, 30000));

TEST_P(LineCutting, EveryLineIsCutWhereFGetsWouldCutIt)
{
    Sandbox box;
    std::string text;
    uint32_t seed = 11;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int i = 0; i < GetParam(); ++i) {
        size_t len = next() % 9 ? next() % 90 : 95 + next() % 10;   // now and then around a 100-byte buffer
        const char starts[] = {' ', '\t', '\f', 'x'};               // blank, page break or text first
        if (len)
            text += starts[next() % 4];
        text += std::string(len ? len - 1 : 0, char('a' + i % 26));
        if (next() % 50)
            text += '\n';
    }
    std::string path = box.Write("l.txt", text);
    FileHandle *fh = Open(path.c_str(), MODE_OLDFILE);
    std::vector<std::string> expected, got;
    char buf[100];
    while (FGets(fh, buf, sizeof buf))
        expected.emplace_back(buf);
    Seek(fh, 0, OFFSET_BEGINNING);
    EXPECT_TRUE(ForEachTextLine(fh, sizeof buf, [&](const char *line, size_t len, PassedLines) {
        got.emplace_back(line, len);
        return true;   // every line, the next one too
    }));
    EXPECT_EQ(got, expected);

    // a reader of text lines sees the same lines and is told of every other one
    Seek(fh, 0, OFFSET_BEGINNING);
    size_t seen = 0, bytes = 0;
    bool wrong = false;
    EXPECT_TRUE(ForEachTextLine(fh, sizeof buf, [&](const char *line, size_t len, PassedLines passed) {
        seen += passed.lines;
        for (size_t k = seen - passed.lines; k < seen; ++k)
            bytes += expected[k].size();
        wrong = wrong || passed.bytes != bytes;
        bytes = 0;
        if (!line)
            return false;
        wrong = wrong || seen >= expected.size() || std::string(line, len) != expected[seen];
        ++seen;
        return next() % 3 == 0;   // now and then the line after too
    }));
    EXPECT_FALSE(wrong);
    EXPECT_EQ(seen, expected.size());

    // a range of the file that starts a line is cut as the whole file is there
    size_t from = 0, to = 0, first = 0, last = 0;
    for (size_t k = 0, at = 0; k < expected.size(); at += expected[k++].size()) {
        bool afterNewline = k && expected[k - 1].back() == '\n';
        if (afterNewline && !first && k >= expected.size() / 3)
            from = at, first = k;
        if (afterNewline && k >= 2 * expected.size() / 3 && !last)
            to = at, last = k;
    }
    got.clear();
    EXPECT_TRUE(ForEachTextLineIn(fh, LONG(from), LONG(to), sizeof buf, [&](const char *line, size_t len, PassedLines) {
        if (line)
            got.emplace_back(line, len);
        return true;
    }));
    EXPECT_EQ(got, std::vector<std::string>(expected.begin() + long(first), expected.begin() + long(last)));

    Seek(fh, 0, OFFSET_BEGINNING);
    std::vector<std::string> viewed;
    ULONG len;
    while (const char *line = FReadLine(fh, sizeof buf, &len))
        viewed.emplace_back(line, len);
    EXPECT_EQ(viewed, expected);
    Close(fh);
}

// The bulk pass is built twice; both builds stop at the same window, with
// the same lines counted, on text where the runs of passable lines vary.
#if defined(__x86_64__)
TEST(LineCutting, BothBuildsOfTheBulkPassAgree)
{
    if (!HasAVX2())
        GTEST_SKIP() << "this processor runs only one build";
    uint32_t seed = 7;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        while (text.size() < 4096) {
            const char firsts[] = {' ', '\t', '\n', 'x', '@', '\f', char(0xE4), char(0x80)};
            text += next() % 12 ? ' ' : firsts[next() % 8];   // mostly lines that start blank
            text += std::string(next() % (round % 3 ? 40 : 140), char('a' + next() % 26));
            text += '\n';
        }
        char wanted = next() % 2 ? '@' : 0;
        size_t max = 65 + next() % 100, from = next() % 64, a = from, b = from, aLines = 0, bLines = 0;
        size_t at = from + next() % 200;
        size_t stopA = BulkPassPlain(text.data(), at, text.size(), max, a, aLines, wanted);
        size_t stopB = BulkPassAVX2(text.data(), at, text.size(), max, b, bLines, wanted);
        ASSERT_EQ(stopA, stopB) << "round " << round;
        ASSERT_EQ(a, b) << "round " << round;
        ASSERT_EQ(aLines, bLines) << "round " << round;
    }
}
#endif

TEST(Patterns, EscapesNothingAndCharacterClasses)
{
    char parsed[64];
    ParsePatternNoCase("a'?b%", parsed, sizeof parsed);
    EXPECT_TRUE(MatchPatternNoCase(parsed, "a?b"));
    EXPECT_FALSE(MatchPatternNoCase(parsed, "axb")) << "a quoted ? is itself";
    ParsePatternNoCase("#[0-9].doc", parsed, sizeof parsed);
    EXPECT_TRUE(MatchPatternNoCase(parsed, "2024.doc"));
    EXPECT_TRUE(MatchPatternNoCase(parsed, ".doc"));
    EXPECT_FALSE(MatchPatternNoCase(parsed, "v2.doc"));
    ParsePatternNoCase("*.guide", parsed, sizeof parsed);
    EXPECT_TRUE(MatchPatternNoCase(parsed, "Help.GUIDE"));
}

TEST(Patterns, ASimplePatternReadsAsTheGlobsADesktopDialogShows)
{
    using G = std::vector<std::string>;
    EXPECT_EQ(PatternAsGlobs("#?.(doc|h|xml|guide)"), (G{"*.doc", "*.h", "*.xml", "*.guide"}));
    EXPECT_EQ(PatternAsGlobs("#?.qmx"), G{"*.qmx"});
    EXPECT_EQ(PatternAsGlobs("(a|b)x(1|2)"), (G{"ax1", "ax2", "bx1", "bx2"}));
    EXPECT_EQ(PatternAsGlobs("#?.[ch]"), G{"*.[ch]"});
    EXPECT_EQ(PatternAsGlobs("a'#b|*.c"), (G{"a#b", "*.c"}));
    for (const char *beyond : {"~(#?.info)", "#a.doc", "%", "(a|b", "a|", "x y", ""})
        EXPECT_TRUE(PatternAsGlobs(beyond).empty()) << beyond;
}
