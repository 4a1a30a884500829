#pragma once

#include <windows.h>

// The thread's one message pump. The event loop and ProcessPendingEvents handle every message the
// same way: the keyboard filter that the windowing runtime registers first, then translation and
// dispatch.
namespace win32 {

// Runs until WM_QUIT is taken and yields the code it carries.
int RunEventLoop();

// The code of the quit message that last ended the event loop; 0 before that.
int LastQuitCode() noexcept;

// Whether RunEventLoop has been entered; until then closing the last window posts no quit.
bool EventLoopStarted() noexcept;

// Looks at a key press before it is dispatched; true when it was consumed.
using KeyboardFilter = bool (*)(const MSG& message);
void SetKeyboardFilter(KeyboardFilter filter) noexcept;

}  // namespace win32

// Handles the messages already queued for this thread and returns when the queue is empty or
// WM_QUIT is next; WM_QUIT stays queued, for the event loop to take.
void ProcessPendingEvents();
