// The tool's GBK texts on their way into and out of Windows' UTF-16, whatever the system's code
// page: this test program runs under 936 and under the others too.
#include "win32/wide_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(WideText, ConvertsFromCodePage936WhateverTheSystemCodePage)
{
    const struct {
        const char* name;
        std::string text;
        std::wstring wide;
    } cases[] = {
        {"empty", "", L""},
        {"ASCII", "netsh wlan start hostednetwork ", L"netsh wlan start hostednetwork "},
        {"the connection name", "无线网络连接 2", L"\x65E0\x7EBF\x7F51\x7EDC\x8FDE\x63A5 2"},
        {"the caption", "架设个人wifi", L"\x67B6\x8BBE\x4E2A\x4EBA" L"wifi"},
        {"an embedded zero byte is kept", std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(win32::WideFromText(c.text), c.wide);
        EXPECT_EQ(win32::TextFromWide(c.wide), c.text);
    }
}

// The runs under other code pages are real only if Wine took the locale they ask for.
TEST(SystemCodePage, IsTheOneThisRunIsFor)
{
    char expected[16] = "936";
    GetEnvironmentVariableA("EXPECTED_CODEPAGE", expected, sizeof expected);
    EXPECT_EQ(std::to_string(GetACP()), expected);
}

TEST(WideText, ConvertsIntoAFixedBufferCuttingWhatDoesNotFit)
{
    wchar_t room[16];
    win32::WideFromTextInto("运行时错误", room);
    EXPECT_EQ(std::wstring(room), L"运行时错误");

    win32::WideFromTextInto("", room);
    EXPECT_EQ(std::wstring(room), L"");

    wchar_t small[4];
    win32::WideFromTextInto("无线网络连接 2", small);
    const std::wstring head(small);
    EXPECT_FALSE(head.empty());
    EXPECT_EQ(head.size(), 3u);
    EXPECT_EQ(head, std::wstring(L"无线网络").substr(0, head.size()));
}
