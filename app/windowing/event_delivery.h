#pragma once

// What the runtime shares with the windows it builds.
namespace windowing {

// Clicks are delivered to their routines only while this is on; it is off while a window is
// being built and while the fatal error box is up.
bool EventsDelivered() noexcept;
void DeliverEvents(bool on) noexcept;

// A window of the program has been destroyed: when none is left and the event loop runs, the
// loop is asked to end.
void WindowDestroyed() noexcept;

}  // namespace windowing
