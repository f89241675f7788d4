// The search's hits against the simplest search there is: every line the
// viewer's line reader hands over, searched at every position.
#include "platform/dos/files.h"
#include "platform/dos/lines.h"
#include "platform/utility/charset.h"
#include "search/textsearch.h"
#include "support/support.h"

#include <gtest/gtest.h>

#include <random>

namespace {
struct Found {
    LONG line, column;
    int64_t offset;
    std::string text;
    bool operator==(const Found &) const = default;
};
void PrintTo(const Found &f, std::ostream *os)
{
    *os << f.line << ":" << f.column << " @" << f.offset << " [" << f.text.size() << "]";
}

// The first hit where two searches part, as a readable message.
std::string FirstDifference(const std::vector<Found> &a, const std::vector<Found> &b)
{
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i)
        if (i >= a.size() || i >= b.size() || !(a[i] == b[i]))
            return "hit " + std::to_string(i) + ": " + (i < a.size() ? testing::PrintToString(a[i]) : "none") +
                   " against " + (i < b.size() ? testing::PrintToString(b[i]) : "none");
    return "";
}

std::vector<Found> Search(const std::string &path, const std::string &text, SearchPosition start = {})
{
    std::vector<Found> hits;
    TextPattern pattern(text.data(), text.size());
    SearchFile(path.c_str(), pattern, start, [&](const SearchHit &h) {
        hits.push_back({h.Where.Line, h.Where.Column, h.Where.Offset, std::string(h.Text, h.Length)});
        return true;
    });
    return hits;
}

std::vector<Found> Reference(const std::string &path, const std::string &text)
{
    std::vector<Found> hits;
    FileHandle *fh = Open(path.c_str(), MODE_OLDFILE);
    LONG line = 0;
    int64_t offset = 0;
    ForEveryLine(fh, kSearchLineMax + 1, [&](const char *p, size_t n) {
        ++line;
        std::string shown(p, n);
        if (!shown.empty() && shown.back() == '\n') {
            shown.pop_back();
            if (!shown.empty() && shown.back() == '\r')
                shown.pop_back();
        }
        for (size_t i = 0; i + text.size() <= n; ++i)
            if (SameIgnoringCase(p + i, text.data(), text.size()) &&
                std::string(p + i, text.size()).find('\n') == std::string::npos)
                hits.push_back({line, LONG(i + 1), offset, shown});
        offset += int64_t(n);
    });
    Close(fh);
    return hits;
}

TEST(TextSearch, EveryHitOfRandomTextIsTheOneALineByLineSearchFinds)
{
    Sandbox box;
    std::mt19937 random(7);
    const char alphabet[] = "aAbB \r\n\n\t\xe4\xc4x";
    for (int round = 0; round < 60; ++round) {
        std::string bytes;
        bool longLines = round % 4 == 0;   // pieces of 8191 bytes, some ending in CR
        size_t size = longLines || random() % 3 == 0 ? 40000 + random() % 30000 : random() % 3000;
        for (size_t i = 0; i < size; ++i) {
            char c = alphabet[random() % (sizeof alphabet - 1)];
            bytes += longLines && c == '\n' && (i < 8192 || random() % 3000) ? 'a' : c;
        }
        if (longLines)
            bytes.replace(8190, 2, "\r\n");
        std::string path = box.Write("r.txt", bytes);
        for (const char *text : {"a", "ab", "aBa", "\xe4x", " a\tb", "ba b"}) {
            SCOPED_TRACE(std::to_string(round) + " " + text);
            ASSERT_EQ(FirstDifference(Search(path, text), Reference(path, text)), "");
        }
    }
}

TEST(TextSearch, OverlappingHitsCaseAndBothEncodings)
{
    Sandbox box;
    std::string path = box.Write("t.txt", "Hello\r\nreallocate allocAlloc\nStra\xdf"
                                          "e \xc4rger\n\xc3\xa4rger\n");
    std::vector<Found> hits = Search(path, "alloc");
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0], (Found{2, 3, 7, "reallocate allocAlloc"}));
    EXPECT_EQ(hits[2].column, 17);
    // typed in UTF-8: the Latin-1 line and the UTF-8 line alike, either case
    hits = Search(path, "\xc3\xa4rger");
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].line, 3);
    EXPECT_EQ(hits[1].line, 4);
    // the search goes on one byte after a hit's start, in the same line
    hits = Search(path, "alloc", {7, 2, 12});
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].column, 17);
}

TEST(TextSearch, WhatCanNeverBeFoundAndWhatCannotBeRead)
{
    Sandbox box;
    std::string path = box.Write("n.txt", std::string("before\0after\n", 13) + "two\nlines\n");
    EXPECT_EQ(Search(path, "after").size(), 1u);   // a NUL byte ends nothing
    EXPECT_TRUE(Search(path, "").empty());
    EXPECT_TRUE(Search(path, "two\nlines").empty());
    EXPECT_TRUE(Search(path, std::string(kSearchLineMax + 1, 'a')).empty());
    TextPattern pattern("a", 1);
    auto none = [](const SearchHit &) { return true; };
    EXPECT_EQ(SearchFile(box.Path("missing").c_str(), pattern, {}, none), SearchEnd::Unreadable);
    EXPECT_EQ(SearchFile(box.Dir().c_str(), pattern, {}, none), SearchEnd::Unreadable);
    std::atomic<bool> cancel{true};
    EXPECT_EQ(SearchFile(path.c_str(), pattern, {}, none, &cancel), SearchEnd::Cancelled);
}
}
