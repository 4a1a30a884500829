// A program of the windowing runtime for the tests that need a whole process: it ends normally or
// in one of the runtime's fatal errors, as its first argument asks. Its at-exit routine appends a
// line to the file named by its second argument.
//   normal         a window that the test closes
//   unreadable     a layout that cannot be read
//   unbuildable    a window whose control cannot be created
//   out-of-memory  a text too large for the memory left
//   folder         no window: writes the current directory to the file, in UTF-16, and ends
#include "win32/message_pump.h"
#include "app/windowing/runtime.h"
#include "commands/text.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

using namespace windowing;

namespace {

const char* mode = "";
const char* atExitLog = "";

const ControlLayout kButton[] = {{"button", "BUTTON", "probe", {8, 8, 80, 32}, 100, WS_CHILD | WS_TABSTOP, true,
                                  true, true, 0, nullptr}};
const ControlLayout kNoSuchControl[] = {{"broken", "NoSuchWindowClass", "probe", {8, 8, 80, 32}, 100, WS_CHILD,
                                         true, true, true, 0, nullptr}};
const WindowLayout kWindow = {"runtime probe", {0, 0, 283, 86}, true, WS_CAPTION | WS_SYSMENU, 0, 0, nullptr, true,
                              kButton, 1};
const WindowLayout kUnbuildable = {"runtime probe", {0, 0, 283, 86}, true, WS_CAPTION | WS_SYSMENU, 0, 0, nullptr,
                                   true, kNoSuchControl, 1};
const WindowLayout kUnreadable = {nullptr, {0, 0, 283, 86}, true, WS_CAPTION | WS_SYSMENU, 0, 0, nullptr, true,
                                  kButton, 1};

void NoteExit()
{
    const win32::unique_hfile log(
        CreateFileA(atExitLog, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written;
    WriteFile(log.get(), "exit\n", 5, &written, nullptr);
}

#if !defined(_WIN64)
// Leaves too little address space for a text of `size` bytes.
void UseUpAddressSpace(std::size_t size)
{
    while (VirtualAlloc(nullptr, size / 2, MEM_RESERVE, PAGE_NOACCESS)) {
    }
}
#endif

// The folder as the system keeps it, in UTF-16: its name need not fit the system's code page.
void NoteCurrentDirectory()
{
    wchar_t folder[MAX_PATH * 2];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH * 2, folder);
    const win32::unique_hfile log(
        CreateFileA(atExitLog, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written;
    WriteFile(log.get(), folder, length * sizeof folder[0], &written, nullptr);
}

int Start()
{
    if (std::strcmp(mode, "folder") == 0) {
        NoteCurrentDirectory();
        return 0;
    }
    RegisterAtExit(&NoteExit);
    if (std::strcmp(mode, "out-of-memory") == 0) {
#if defined(_WIN64)
        // More than a 64-bit address space holds. The parts are never read: the room for the
        // result is asked for first, and cannot be had.
        static const char seed[1] = {'x'};
        const std::string_view huge(seed, std::size_t{1} << 46);
        const Text larger = ConcatText({huge, huge, huge});
#else
        const Text large(64 << 20, 'x');
        UseUpAddressSpace(large.size());
        const Text larger = ConcatText({large, large, large});
#endif
        return static_cast<int>(larger.size());
    }
    LoadStartupWindow(std::strcmp(mode, "unbuildable") == 0 ? kUnbuildable : kWindow);
    win32::RunEventLoop();
    return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc < 3)
        return 2;
    mode = __argv[1];
    atExitLog = __argv[2];
    static const WindowLayout* const layouts[] = {std::strcmp(mode, "unreadable") == 0 ? &kUnreadable : &kWindow};
    return RunProgram(layouts, 1, &Start);
}
