#include "doctypes/ftxt.h"

#include <gtest/gtest.h>
#include <string>

namespace {
bool Text(const std::string &bytes)
{
    return LooksLikeText(reinterpret_cast<const UBYTE *>(bytes.data()), LONG(bytes.size()));
}
}

TEST(PlainText, TheTextTestOnTheFirstBytes)
{
    EXPECT_FALSE(Text(""));
    EXPECT_TRUE(Text("tab\there\nform\ffeed"));
    EXPECT_TRUE(Text("dos line\r\nand more\r\n"));
    EXPECT_TRUE(Text("cut after the CR\r"));
    EXPECT_FALSE(Text("a CR alone\rin a line"));
    EXPECT_TRUE(Text("UTF-8 \xe2\x80\x94 dash, \xe2\x80\x9cquotes\xe2\x80\x9d"));
    EXPECT_TRUE(Text("a sequence cut by the head's end \xe2\x80"));
    EXPECT_FALSE(Text("a stray continuation \x81 is no UTF-8"));
    EXPECT_FALSE(Text("an over-long form \xc0\x81"));
    EXPECT_TRUE(Text("Latin-1 \xe4\xf6\xfc and \x80"));
    EXPECT_FALSE(Text("control \x81"));
    EXPECT_FALSE(Text("control \x9f"));
    EXPECT_TRUE(Text("\xa0\xff"));
    EXPECT_FALSE(Text(std::string("nul\0", 4)));
}
