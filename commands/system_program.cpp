#include "commands/system_program.h"

#include "win32/environment_block.h"

#include <windows.h>

#include <cwctype>

namespace {

bool IsBlank(wchar_t c) noexcept
{
    return c == L' ' || c == L'\t';
}

// Only a name with none of these stays inside the folder it is joined to.
bool IsBareFileName(std::wstring_view word) noexcept
{
    if (word.empty() || word == L"." || word == L"..")
        return false;
    return word.find_first_of(L"\\/:*?\"<>|") == std::wstring_view::npos;
}

// Environment names compare without regard to case, as Windows compares them.
int CompareNames(std::wstring_view a, std::wstring_view b) noexcept
{
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const wint_t x = std::towupper(a[i]);
        const wint_t y = std::towupper(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::wstring_view NameOf(std::wstring_view entry) noexcept
{
    // Entries such as "=C:=C:\x" keep a drive's current folder; their name starts with the '='.
    const std::size_t equals = entry.find(L'=', 1);
    return entry.substr(0, equals == std::wstring_view::npos ? entry.size() : equals);
}

}  // namespace

std::wstring_view FirstWordOf(std::wstring_view commandLine)
{
    std::size_t start = 0;
    while (start < commandLine.size() && IsBlank(commandLine[start]))
        ++start;
    std::wstring_view rest = commandLine.substr(start);
    if (!rest.empty() && rest.front() == L'"') {
        rest.remove_prefix(1);
        return rest.substr(0, rest.find(L'"'));
    }
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    return rest.substr(0, end);
}

std::wstring ProgramPathIn(std::wstring_view systemFolder, std::wstring_view commandLine)
{
    const std::wstring_view word = FirstWordOf(commandLine);
    if (systemFolder.empty() || !IsBareFileName(word))
        return std::wstring();
    std::wstring path(systemFolder);
    if (path.back() != L'\\')
        path += L'\\';
    path += word;
    if (word.find(L'.') == std::wstring_view::npos)
        path += L".exe";
    return path;
}

std::wstring SystemProgramPath(std::wstring_view commandLine)
{
    constexpr std::size_t kLongestCommandLine = 32766;
    if (commandLine.size() > kLongestCommandLine)
        return std::wstring();
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return std::wstring();
    return ProgramPathIn(std::wstring_view(folder, length), commandLine);
}

std::wstring EnvironmentBlockWith(const wchar_t* block, std::wstring_view name, std::wstring_view value)
{
    std::wstring added(name);
    added += L'=';
    added += value;

    std::wstring result;
    bool placed = false;
    for (const wchar_t* entry = block; entry && *entry;) {
        const std::wstring_view text(entry);
        entry += text.size() + 1;
        const std::wstring_view entryName = NameOf(text);
        const int order = entryName.front() == L'=' ? -1 : CompareNames(entryName, name);
        if (order == 0)
            continue;
        if (order > 0 && !placed) {
            result.append(added).push_back(L'\0');
            placed = true;
        }
        result.append(text).push_back(L'\0');
    }
    if (!placed)
        result.append(added).push_back(L'\0');
    result.push_back(L'\0');
    return result;
}

std::wstring InterpreterEnvironment()
{
    const win32::unique_environment_strings own = win32::EnvironmentOfThisProcess();
    return EnvironmentBlockWith(own.get(), L"NoDefaultCurrentDirectoryInExePath", L"1");
}
