// Which program a command line names, and that only the system folder is asked for it.
#include "commands/system_program.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

TEST(FirstWordOf, ReadsTheWordAsProcessCreationDoes)
{
    const struct {
        const wchar_t* line;
        const wchar_t* word;
    } cases[] = {
        {L"netsh wlan start hostednetwork ", L"netsh"},
        {L"cmd.exe /c ping 127.0.0.1", L"cmd.exe"},
        {L"CMD /C Del x /Q", L"CMD"},
        {L"ipconfig/all", L"ipconfig/all"},
        {L"netsh\twlan", L"netsh"},
        {L"  \tnetsh show", L"netsh"},
        {L"\"net sh\" show", L"net sh"},
        {L"\"netsh", L"netsh"},
        {L"\"\" netsh", L""},
        {L"netsh", L"netsh"},
        {L"", L""},
        {L"   ", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "line [" << std::wstring(c.line) << "]");
        EXPECT_EQ(std::wstring(FirstWordOf(c.line)), c.word);
    }
}

TEST(ProgramPathIn, JoinsOnlyBareNamesToTheSystemFolder)
{
    const wchar_t kSystem[] = L"C:\\windows\\system32";
    const struct {
        const wchar_t* line;
        const wchar_t* path;
    } cases[] = {
        {L"netsh wlan set hostednetwork mode=disallow", L"C:\\windows\\system32\\netsh.exe"},
        {L"CMD /C Del C:\\temp\\*.tmp /Q", L"C:\\windows\\system32\\CMD.exe"},
        {L"cmd.exe /c ipconfig/all", L"C:\\windows\\system32\\cmd.exe"},
        {L"command.com /c dir", L"C:\\windows\\system32\\command.com"},
        {L"\"netsh\" show", L"C:\\windows\\system32\\netsh.exe"},
        {L"md C:\\新建", L"C:\\windows\\system32\\md.exe"},
        // Whatever leads elsewhere names no program of the system folder.
        {L"C:\\Users\\me\\Downloads\\netsh.exe show", L""},
        {L"\"C:\\Program Files\\x.exe\" a", L""},
        {L".\\netsh.exe show", L""},
        {L"..\\netsh show", L""},
        {L"tools/netsh show", L""},
        {L"C:netsh show", L""},
        {L"ipconfig/all", L""},
        {L".. x", L""},
        {L". x", L""},
        {L"net* x", L""},
        {L"", L""},
        {L"\"\" netsh", L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "line [" << std::wstring(c.line) << "]");
        EXPECT_EQ(ProgramPathIn(kSystem, c.line), c.path);
    }
    EXPECT_EQ(ProgramPathIn(L"C:\\", L"netsh x"), L"C:\\netsh.exe") << "a folder given with its backslash";
    EXPECT_EQ(ProgramPathIn(L"", L"netsh x"), L"") << "no folder, no program";
}

TEST(SystemProgramPath, IsInTheFolderWindowsNames)
{
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(SystemProgramPath(L"netsh wlan show settings"), std::wstring(folder, length) + L"\\netsh.exe");
    EXPECT_EQ(SystemProgramPath(L"C:\\netsh.exe"), L"");

    const std::wstring longest = L"netsh " + std::wstring(32766 - 6, L'9');
    EXPECT_EQ(SystemProgramPath(longest), std::wstring(folder, length) + L"\\netsh.exe");
    EXPECT_EQ(SystemProgramPath(longest + L"9"), L"") << "one unit more than process creation takes";
}

namespace {

std::wstring Block(std::initializer_list<const wchar_t*> entries)
{
    std::wstring block;
    for (const wchar_t* entry : entries)
        block.append(entry).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

}  // namespace

TEST(EnvironmentBlockWith, AddsOrReplacesTheVariableKeepingTheBlockSorted)
{
    const wchar_t kName[] = L"NoDefaultCurrentDirectoryInExePath";
    const struct {
        const char* name;
        std::wstring block;
        std::wstring expected;
    } cases[] = {
        {"between its neighbours", Block({L"=C:=C:\\x", L"ALLUSERSPROFILE=C:\\p", L"PATH=C:\\w", L"windir=C:\\w"}),
         Block({L"=C:=C:\\x", L"ALLUSERSPROFILE=C:\\p", L"NoDefaultCurrentDirectoryInExePath=1", L"PATH=C:\\w",
                L"windir=C:\\w"})},
        {"at the end", Block({L"A=1", L"B=2"}), Block({L"A=1", L"B=2", L"NoDefaultCurrentDirectoryInExePath=1"})},
        {"into an empty block", Block({}), Block({L"NoDefaultCurrentDirectoryInExePath=1"})},
        {"replacing one of another case", Block({L"A=1", L"NODEFAULTCURRENTDIRECTORYINEXEPATH=", L"Z=2"}),
         Block({L"A=1", L"NoDefaultCurrentDirectoryInExePath=1", L"Z=2"})},
        {"a longer name that starts the same", Block({L"NoDefault=3", L"NoDefaultCurrentDirectoryInExePathX=4"}),
         Block({L"NoDefault=3", L"NoDefaultCurrentDirectoryInExePath=1", L"NoDefaultCurrentDirectoryInExePathX=4"})},
        {"a value holding '='", Block({L"A=b=c"}), Block({L"A=b=c", L"NoDefaultCurrentDirectoryInExePath=1"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(EnvironmentBlockWith(c.block.c_str(), kName, L"1"), c.expected);
    }
    EXPECT_EQ(EnvironmentBlockWith(nullptr, kName, L"1"), Block({L"NoDefaultCurrentDirectoryInExePath=1"}));
}

TEST(InterpreterEnvironment, IsThisProcesssOwnWithTheVariableAdded)
{
    SetEnvironmentVariableW(L"PERSONAL_WIFI_PROBE", L"无线 2");
    const std::wstring block = InterpreterEnvironment();
    SetEnvironmentVariableW(L"PERSONAL_WIFI_PROBE", nullptr);
    ASSERT_GE(block.size(), 2u);
    EXPECT_EQ(block.substr(block.size() - 2), std::wstring(2, L'\0')) << "the block is not ended";
    std::vector<std::wstring> entries;
    for (const wchar_t* entry = block.c_str(); *entry; entry += wcslen(entry) + 1)
        entries.push_back(entry);
    EXPECT_NE(std::find(entries.begin(), entries.end(), L"PERSONAL_WIFI_PROBE=无线 2"), entries.end());
    EXPECT_NE(std::find(entries.begin(), entries.end(), L"NoDefaultCurrentDirectoryInExePath=1"), entries.end());
}
