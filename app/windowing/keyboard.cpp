#include "app/windowing/keyboard.h"

#include <windows.h>

namespace windowing {

KeyCommand CommandForKey(unsigned virtualKey, Modifiers held, bool escCloses) noexcept
{
    switch (virtualKey) {
    case VK_TAB:
        if (held.ctrl || held.alt)
            return KeyCommand::PassOn;
        return held.shift ? KeyCommand::FocusPrevious : KeyCommand::FocusNext;
    case VK_ESCAPE:
        return escCloses && !held.ctrl && !held.shift && !held.alt ? KeyCommand::Close : KeyCommand::PassOn;
    default:
        return KeyCommand::PassOn;
    }
}

}  // namespace windowing
