#include "commands/text.h"

#include <gtest/gtest.h>

TEST(ConcatText, JoinsPartsInOrderWithoutSeparator)
{
    EXPECT_EQ(ConcatText({"ping ", "127.0.0.1"}), "ping 127.0.0.1");
    EXPECT_EQ(ConcatText({"a", "b", "c", "d", "e", "f", "g", "h"}), "abcdefgh");
}

TEST(ConcatText, AnEmptyPartAddsNothing)
{
    EXPECT_EQ(ConcatText({"first", Text(), "third"}), "firstthird");
    EXPECT_EQ(ConcatText({Text(), Text()}), "");
    EXPECT_EQ(ConcatText({}), "");
}

TEST(ConcatText, KeepsGbkBytesUnchanged)
{
    const Text joined = ConcatText({"\"", "无线网络连接 2", "\""});
    // 无线网络连接 in code page 936, then " 2".
    const unsigned char expected[] = {'"', 0xCE, 0xDE, 0xCF, 0xDF, 0xCD, 0xF8, 0xC2, 0xE7,
                                      0xC1, 0xAC, 0xBD, 0xD3, ' ', '2', '"'};
    EXPECT_EQ(joined, Text(reinterpret_cast<const char*>(expected), sizeof expected));
}

TEST(ConcatText, LeavesItsInputsAlone)
{
    const Text first = "netsh ";
    const Text second = "wlan";
    const Text joined = ConcatText({first, second});
    EXPECT_EQ(first, "netsh ");
    EXPECT_EQ(second, "wlan");
    EXPECT_EQ(joined, "netsh wlan");
}

TEST(IsEmptyText, EmptyOrLeadingZeroByte)
{
    EXPECT_TRUE(IsEmptyText(Text()));
    EXPECT_TRUE(IsEmptyText(Text("\0abc", 4)));
    EXPECT_FALSE(IsEmptyText(" "));
    EXPECT_FALSE(IsEmptyText("ipconfig/all"));
}
