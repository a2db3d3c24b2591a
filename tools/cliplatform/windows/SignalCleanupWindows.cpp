// The cleanup on Windows: a console control handler. The system calls it on a thread of its own,
// while the program's thread goes on; once the cleanup is done the process ends at once, with the
// status an interrupted console program has. (A process ended by TerminateProcess cannot clean
// up; under wine that is also what SIGTERM does.)

#include "cliplatform/SignalCleanup.h"

#include <windows.h>

namespace corvane::cli {
namespace {

BOOL WINAPI OnConsoleControl(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        RunCleanup();
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(STATUS_CONTROL_C_EXIT));
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void InstallSignalCleanup() {
    SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

void WriteToStandardErrorNow(const char* bytes, std::size_t count) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), bytes, static_cast<DWORD>(count), &written, nullptr);
}

void RemoveFileNow(const char* path) {
    // The file is open with FILE_SHARE_DELETE: it goes when the process ends and closes it.
    DeleteFileA(path);
}

} // namespace corvane::cli
