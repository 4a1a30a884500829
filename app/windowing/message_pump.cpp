#include "app/windowing/message_pump.h"

namespace {

KeyboardFilter keyboardFilter = nullptr;

void HandleMessage(const MSG& message)
{
    const bool isKeyPress = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
    if (isKeyPress && keyboardFilter && keyboardFilter(message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

}  // namespace

void SetKeyboardFilter(KeyboardFilter filter)
{
    keyboardFilter = filter;
}

int RunEventLoop()
{
    MSG message;
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got == -1)
            return -1;
        HandleMessage(message);
    }
}

void ProcessPendingEvents()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            break;
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        HandleMessage(message);
    }
}
