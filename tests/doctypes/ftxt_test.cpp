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
    EXPECT_FALSE(Text("dos line\r\n"));
    EXPECT_TRUE(Text("Latin-1 \xe4\xf6\xfc and \x80"));
    EXPECT_FALSE(Text("control \x81"));
    EXPECT_FALSE(Text("control \x9f"));
    EXPECT_TRUE(Text("\xa0\xff"));
    EXPECT_FALSE(Text(std::string("nul\0", 4)));
}
