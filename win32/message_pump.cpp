#include "win32/message_pump.h"

namespace win32 {
namespace {

KeyboardFilter keyboardFilter = nullptr;
bool loopStarted = false;
int quitCode = 0;

void HandleMessage(const MSG& message)
{
    const bool isKeyPress = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (isKeyPress && keyboardFilter && keyboardFilter(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

}  // namespace

void SetKeyboardFilter(KeyboardFilter filter) noexcept
{
    keyboardFilter = filter;
}

int LastQuitCode() noexcept
{
    return quitCode;
}

bool EventLoopStarted() noexcept
{
    return loopStarted;
}

int RunEventLoop()
{
    loopStarted = true;
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            quitCode = static_cast<int>(message.wParam);
            return quitCode;
        }
        if (got == -1)
            return -1;
        HandleMessage(message);
    }
}

}  // namespace win32

void ProcessPendingEvents()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            break;
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        win32::HandleMessage(message);
    }
}
