#pragma once
// The POSIX stand-in of the desktop services the plug-in uses on Windows: a message queue per
// thread, windows that receive sent messages, and the Yes/No message box. It lives in a shared
// library of its own, like the system's user interface library, so that the host program, its
// tests and the plug-in all see the same queue.

#include "platform/Platform.h"

#include <functional>
#include <string>

#if defined(_WIN32)
#define CORVANE_DESKTOP_API
#else
#define CORVANE_DESKTOP_API __attribute__((visibility("default")))
#endif

namespace corvane::desktop {

using WindowProcedure = std::function<void(const platform::WindowMessage&)>;
using MessageBoxHandler = std::function<bool(const std::string& text, const std::string& caption)>;

/// Registers a window on the calling process; returns its non-zero handle.
CORVANE_DESKTOP_API std::uintptr_t OpenWindow(WindowProcedure procedure);
CORVANE_DESKTOP_API void CloseWindow(std::uintptr_t window);

/// Appends a message to the calling thread's queue (PostMessage / PostThreadMessage).
CORVANE_DESKTOP_API void PostToThreadQueue(const platform::WindowMessage& message);

/// Number of messages waiting in the calling thread's queue.
CORVANE_DESKTOP_API std::size_t PendingMessages();

/// Sets who answers the Yes/No box; without a handler every box is answered No.
CORVANE_DESKTOP_API void SetMessageBoxHandler(MessageBoxHandler handler);

} // namespace corvane::desktop
