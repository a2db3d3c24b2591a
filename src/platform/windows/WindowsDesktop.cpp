// The desktop services on Windows and the host executable's folder.

#include "platform/Platform.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

namespace corvane::platform {

std::string HostExecutableFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        return {};
    }
    std::string folder(path, n);
    const auto slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

bool TakeThreadMessage(WindowMessage& message) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    message.Window = reinterpret_cast<std::uintptr_t>(msg.hwnd);
    message.Code = msg.message;
    message.WParam = static_cast<std::uintptr_t>(msg.wParam);
    message.LParam = static_cast<std::intptr_t>(msg.lParam);
    return true;
}

void SendWindowMessage(const WindowMessage& message) {
    if (message.Window == 0) {
        return; // a thread message has no window to go to
    }
    SendMessageA(reinterpret_cast<HWND>(message.Window), message.Code,
                 static_cast<WPARAM>(message.WParam), static_cast<LPARAM>(message.LParam));
}

bool AskYesNo(const std::string& text, const std::string& caption) {
    return MessageBoxA(GetDesktopWindow(), text.c_str(), caption.c_str(), MB_YESNO) == IDYES;
}

} // namespace corvane::platform
