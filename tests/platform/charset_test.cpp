#include "platform/utility/charset.h"
#include "util/names.h"

#include <gtest/gtest.h>
#include <string>

TEST(Charset, CompareFoldsLatin1LettersInEitherEncoding)
{
    EXPECT_EQ(Stricmp("\xc4rger", "\xe4rger"), 0) << "Latin-1";
    EXPECT_EQ(Stricmp("\xc3\x84rger", "\xc3\xa4rger"), 0) << "UTF-8";
    EXPECT_EQ(Stricmp("\xde", "\xfe"), 0) << "thorn";
    EXPECT_NE(Stricmp("\xd7", "\xf7"), 0) << "the multiplication and division signs are no letters";
    EXPECT_NE(Stricmp("\xc3\x97", "\xc3\xb7"), 0);
    EXPECT_LT(Stricmp("abc", "ABD"), 0);
    EXPECT_GT(Stricmp("abcd", "ABC"), 0);
    EXPECT_EQ(Strnicmp("AllocMem", "allocVec", 5), 0);
    EXPECT_NE(Strnicmp("\xc3\x84", "\xc3\xa5", 2), 0);
    // eight bytes at a time, a UTF-8 letter split across two of those steps
    EXPECT_TRUE(SameIgnoringCase("SevenCh\xc3\x84rger and more", "sevench\xc3\xa4RGER AND MORE", 22));
    EXPECT_FALSE(SameIgnoringCase("SevenCh\xc3\x84rger and more", "sevench\xc3\xa4rger and mord", 22));
    EXPECT_FALSE(SameIgnoringCase("SevenChars\xd7", "sevenchars\xf7", 11));
    EXPECT_TRUE(SameIgnoringCase("Gr\xfc\xdf"
                                 "e",
                                 "GR\xdc\xdf"
                                 "E",
                                 5));
}

TEST(Charset, UTF8IsTellsWellFormedSequencesFromLatin1)
{
    auto is = [](const std::string &s) { return IsUTF8(s.data(), s.size()); };
    EXPECT_TRUE(is("plain") && is("\xc3\xa4") && is("\xe2\x80\x94") && is("\xf0\x9f\x98\x80"));
    EXPECT_FALSE(is("\xe4rger")) << "a Latin-1 letter";
    EXPECT_FALSE(is("\xc0\xaf")) << "over-long";
    EXPECT_FALSE(is("\xed\xa0\x80")) << "a surrogate";
    EXPECT_FALSE(is("\xf4\x90\x80\x80")) << "past U+10FFFF";
    EXPECT_FALSE(is("\xe2\x80")) << "cut short";
    EXPECT_EQ(WithoutCutSequence("ab\xe2\x80", 4), 2u);
    EXPECT_EQ(WithoutCutSequence("ab\xe2\x80\x94", 5), 5u);
    EXPECT_EQ(WithoutCutSequence("ab\xe4", 3), 2u) << "a lone lead byte at the end may go on";
}

TEST(Charset, TextGoesBetweenTheEncodings)
{
    EXPECT_EQ(Latin1ToUTF8("\xc4x\xff", 3), "\xc3\x84x\xc3\xbf");
    EXPECT_EQ(HostText("\xc3\x84"), "\xc3\x84") << "UTF-8 stays";
    EXPECT_EQ(HostText("\xc4"), "\xc3\x84") << "Latin-1 is turned";
    std::string out;
    EXPECT_TRUE(UTF8ToLatin1("\xc3\x84x\xc3\xbf", 5, out));
    EXPECT_EQ(out, "\xc4x\xff");
    EXPECT_FALSE(UTF8ToLatin1("\xe2\x80\x94", 3, out)) << "Latin-1 has no dash";
    EXPECT_EQ(OtherEncoding("\xc3\xa4", 2), "\xe4");
    EXPECT_EQ(OtherEncoding("\xe4", 1), "\xc3\xa4");
    EXPECT_EQ(OtherEncoding("plain", 5), "");
}
