#pragma once

#include <string>
#include <string_view>

// Windows looks for a program named by a bare name beside the launching exe and in the current
// folder before the system folder, so a netsh.exe or cmd.exe dropped beside the tool would run with
// its rights. The tool therefore names every program it starts by its full path in the system
// folder, and runs nothing else.

// The first word of a command line as process creation reads it: leading blanks skipped, then up to
// the closing quote when the word opens with one, else up to the next blank.
std::wstring_view FirstWordOf(std::wstring_view commandLine);

// The file in `systemFolder` that the command line's first word names, ".exe" added to a name
// without an extension as process creation does. Empty when the word is not a bare file name: a
// path could lead out of the system folder.
std::wstring ProgramPathIn(std::wstring_view systemFolder, std::wstring_view commandLine);

// The same in the system folder of this Windows; empty when the folder cannot be told, and for a
// line longer than process creation takes (32767 units with its terminating zero), which Windows
// refuses and Wine would cut short.
std::wstring SystemProgramPath(std::wstring_view commandLine);

// A copy of an environment block (UTF-16 "name=value" entries, ended by an empty one) in which
// `name` has `value`; entries keep their order and a new one goes where the sorted order wants it.
std::wstring EnvironmentBlockWith(const wchar_t* block, std::wstring_view name, std::wstring_view value);

// The environment for the command interpreter: this process's own, plus the variable that keeps the
// interpreter from looking for the programs it names in its current folder.
std::wstring InterpreterEnvironment();
