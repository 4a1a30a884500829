#include "commands/os_family.h"

#include <gtest/gtest.h>

#include <string>

TEST(OsFamily, PlatformIdsMapToFamilies)
{
    const struct {
        std::uint32_t platformId;
        OsFamily family;
    } cases[] = {{0, kOsWin32s}, {1, kOsWindows9x}, {2, kOsWindowsNt}, {3, kOsUnknown}, {99, kOsUnknown}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "platform id " << c.platformId);
        EXPECT_EQ(OsFamilyForPlatform(c.platformId), c.family);
    }
}

TEST(OsFamily, OnlyTheNtFamilyHasCmd)
{
    const struct {
        OsFamily family;
        const char* prefix;
    } cases[] = {{kOsWindowsNt, "cmd.exe /c "},
                 {kOsWindows9x, "command.com /c "},
                 {kOsWin32s, "command.com /c "},
                 {kOsUnknown, "command.com /c "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "family " << c.family);
        EXPECT_EQ(std::string(InterpreterPrefixFor(c.family)), c.prefix);
    }
}

TEST(OsFamily, TheRunningSystemIsOfTheNtFamily)
{
    EXPECT_EQ(GetOsFamily(), kOsWindowsNt);
}
