#pragma once
// The thin layer between the portable core and the operating system. The Windows implementation
// calls the real system; the POSIX stand-in behaves the same way and can be driven by tests and by
// the command-line host (see posix/Desktop.h).

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::platform {

// Message codes and key codes of the thread message queue.
inline constexpr std::uint32_t WM_KEYDOWN_CODE = 0x0100;
inline constexpr std::uint32_t WM_SYSKEYDOWN_CODE = 0x0104;
inline constexpr std::uintptr_t VK_ESCAPE_CODE = 27;

/// One message of the calling thread's queue.
struct WindowMessage {
    std::uintptr_t Window = 0; // 0: posted to the thread, not to a window
    std::uint32_t Code = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
};

/// Takes the next message of the calling thread's queue, for any window (PeekMessage, PM_REMOVE).
bool TakeThreadMessage(WindowMessage& message);

/// Delivers a message at once to its window (SendMessage); a message without a window is lost.
void SendWindowMessage(const WindowMessage& message);

/// Modal Yes/No box owned by the desktop window, Yes the default; true when answered Yes.
bool AskYesNo(const std::string& text, const std::string& caption);

/// The host executable's folder with a trailing separator, or empty when unknown.
std::string HostExecutableFolder();

} // namespace corvane::platform
