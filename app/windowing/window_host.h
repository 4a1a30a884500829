#pragma once

namespace windowing {

// What a window needs from whoever built it: the runtime. The window calls down into its host
// through this interface and never names the runtime itself.
class WindowHost {
public:
    // Clicks reach their routines only while this is true; it is false while a window is being
    // built and while the fatal error box is up.
    virtual bool EventsDelivered() const noexcept = 0;

    // The window has been destroyed.
    virtual void WindowDestroyed() noexcept = 0;

    // Something went wrong that must not unwind into Windows; ends the process.
    virtual void InternalError() noexcept = 0;

protected:
    ~WindowHost() = default;
};

}  // namespace windowing
