#pragma once

namespace windowing {

// What a key press in a window of the tool does before it is dispatched. The window is no dialog:
// only these keys are the runtime's; everything else goes on to the focused control.
enum class KeyCommand {
    PassOn,        // dispatch as usual
    FocusNext,     // Tab
    FocusPrevious, // Shift+Tab
    Close,         // Esc, in a window whose Esc closes it
};

struct Modifiers {
    bool ctrl;
    bool shift;
    bool alt;
};

KeyCommand CommandForKey(unsigned virtualKey, Modifiers held, bool escCloses) noexcept;

}  // namespace windowing
