// A large autodoc is scanned in parts on threads of their own. Wherever the
// parts begin, the entries must be those of one scan from the top: on
// regular headings every part is taken in; on page breaks that are no
// heading, name another library, follow a heading at once or fall within the
// contents, the scan goes on by itself.
#include "autodoc_corpus.h"
#include "base/scanqueue.h"
#include "doctypes/adoc.h"
#include "doctypes/adoc_entryscan.h"
#include "support/support.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
// The caption and the entries, every field of them.
std::string Listed(const std::string &path)
{
    FileHandle *fh = Open(path.c_str(), MODE_SHARED);
    Baza *baza = BazaAlloc(nullptr, nullptr);
    ADocScan(baza, fh);
    std::string out = baza->Library ? baza->Library : "(none)";
    for (Doc *e = FirstEntry(baza); e; e = NextEntry(e))
        out += "\n" + std::string(e->Name) + " " + e->Mark + " " + std::to_string(e->Offset) + " " +
               std::to_string(e->Line) + " " + std::to_string(e->Lines);
    BazaFree(baza);
    Close(fh);
    return out;
}

// Entries whose page breaks are of every kind in turn, with a page break in
// the contents, a line longer than the line buffer and no newline at the end.
std::string AwkwardAutodoc()
{
    const char *breaks[] = {
        "\fvellum.library/Regular%d   vellum.library/Regular%d\n",
        "\f   indented%d, no heading\n",
        "\fNot a heading: %d\n",
        "\fgraphics.library/Other%d\n",                               // another library's
        "\fvellum.library/Pending%d\n\fvellum.library/Follows%d\n",   // a heading given up
        "\fvellun.library/Misspelt%d\n",                              // the library, one letter off
        "\fhandler%d    handler%d\n",                                 // named by itself
        "\f\n",
        "\fvellum.library/Bare%d\n\f\n",
    };
    std::string text = "TABLE OF CONTENTS\n\nvellum.library/Regular0\n\fvellum.library/InTheContents\n\n";
    char line[160];
    for (int i = 0; i < 150; ++i) {
        std::snprintf(line, sizeof line, breaks[i % std::size(breaks)], i, i);
        text += line;
        text += i % 4 ? "   NAME\n\tentry " + std::to_string(i) + "\n" : "\tright below\n";
        if (i == 2)
            text += "\f" + std::string(9000, 'y') + "\n";
        text += "   FUNCTION\n\tsome words\n\n";
    }
    return text + "\fvellum.library/Last\n   NAME";
}

// Page breaks before the contents line, which the scan passes over.
std::string LateContentsAutodoc()
{
    std::string text;
    for (int i = 0; i < 6; ++i)
        text += "\fvellum.library/Early" + std::to_string(i) + "\n   NAME\n\tx\n";
    text += "TABLE OF CONTENTS\n\n";
    for (int i = 0; i < 6; ++i)
        text += "\fvellum.library/Late" + std::to_string(i) + "\n   NAME\n\ty\n";
    return text;
}

// Contents whose first lines are no headings: the first heading after them
// becomes the reference as a whole, and one letter beside it still counts.
std::string NamelessContentsAutodoc()
{
    std::string text = "TABLE OF CONTENTS\n\nvellum.library/B (x)\nvellum.library/C (x)\n   indented\n"
                       "\fvellum.library/A   vellum.library/A\n   NAME\n\tx\n";
    for (int i = 0; i < 6; ++i)
        text += std::string(i == 3 ? "\fvellum.libraryxA/Odd\n" : "\fvellum.library/F\n") + "   NAME\n\ty\n";
    return text;
}

class ADocParts : public ::testing::Test {
protected:
    Sandbox box;
    TestApp app;

    ~ADocParts() override
    {
        SetScanThreads(0);
        SetADocPartBytes(0);
    }

    // Scans path in one piece, then in 2 to 8 parts as small as the page
    // breaks allow, and holds each to the one; the parts taken in.
    ULONG SameInParts(const std::string &path)
    {
        SetADocPartBytes(1);
        SetScanThreads(1);
        ULONG before = ADocPartsTaken();
        std::string whole = Listed(path);
        EXPECT_EQ(ADocPartsTaken(), before) << "one thread scans in one piece";
        for (unsigned n = 2; n <= 8; ++n) {
            SetScanThreads(n);
            EXPECT_EQ(Listed(path), whole) << path << " in " << n << " parts";
        }
        return ADocPartsTaken() - before;
    }

    // Scans text in parts that start at each page break in turn, as the first
    // part after the top and as the second: the file is padded at its end with
    // blanks, so that a share of it ends right before the break. The parts
    // taken in.
    ULONG EveryPageBreakACut(const std::string &text)
    {
        SetADocPartBytes(1);
        ULONG before = ADocPartsTaken();
        for (size_t at = 1; at < text.size(); ++at) {
            if (text[at] != '\f' || text[at - 1] != '\n')
                continue;
            for (size_t k : {1, 2}) {
                size_t share = at / k, n = std::max(k + 1, (text.size() + share - 1) / share);
                if (n > 8)
                    continue;
                size_t pad = share * n - text.size();
                std::string path = box.Write("cut.doc", text + (pad ? std::string(pad - 1, ' ') + "\n" : ""));
                SetScanThreads(1);
                std::string whole = Listed(path);
                SetScanThreads(unsigned(n));
                EXPECT_EQ(Listed(path), whole) << "part " << k << " of " << n << " at byte " << at;
            }
        }
        return ADocPartsTaken() - before;
    }
};
}

TEST_F(ADocParts, EveryAutodocOfTheProjectGivesTheSameEntriesInParts)
{
    std::vector<std::string> paths = {VS_SOURCE_DIR "/samples/vellum.doc"};
    for (const auto &f : std::filesystem::directory_iterator(VS_SOURCE_DIR "/tests/data/autodocs"))
        if (f.path().extension() == ".doc")
            paths.push_back(f.path().string());
    ASSERT_GE(paths.size(), 25u);
    for (const std::string &path : paths)
        SameInParts(path);
}

TEST_F(ADocParts, ARegularAutodocIsTakenInPartByPart)
{
    std::string path = box.Write("big.doc", MakeAutodoc("big.library", 400, 7));
    EXPECT_EQ(SameInParts(path), 1u + 2 + 3 + 4 + 5 + 6 + 7) << "every part fits the lines before it";

    SetADocPartBytes(0);
    ULONG before = ADocPartsTaken();
    Listed(path);
    EXPECT_EQ(ADocPartsTaken(), before) << "a file of less than a part's usual size is scanned in one piece";
}

TEST_F(ADocParts, APartMayStartAtAnyPageBreak)
{
    EXPECT_GT(EveryPageBreakACut(MakeAutodoc("small.library", 20, 3)), 0u);
    EXPECT_GT(EveryPageBreakACut(AwkwardAutodoc()), 0u);
    EveryPageBreakACut(LateContentsAutodoc());
    EveryPageBreakACut(NamelessContentsAutodoc());
}
