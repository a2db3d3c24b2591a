// The test desktop on Windows (and wine): real message-only windows of the calling thread, its real
// message queue, and a thread hook that answers the message box.
//
// The box is answered as soon as it has initialised (its WM_INITDIALOG is done), by sending it the
// WM_COMMAND its Yes or No button would send. That is before the box runs its own modal message
// loop, so the box takes no message from the thread's queue: whatever the test posted is left for
// the code under test, as when a user answers a box whose loop found the queue already empty. (A
// button pressed later, by a posted message, would let the box's loop deliver every message
// queued before it to its window first.)

#include "TestDesktop.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <map>
#include <stdexcept>

namespace testdesktop {
namespace {

constexpr const char* RecordingWindowClass = "CorvaneTestRecordingWindow";
constexpr int MessageBoxTextId = 0xFFFF; // the static control that holds a message box's text

std::map<HWND, std::vector<ReceivedMessage>>& Inboxes() {
    static std::map<HWND, std::vector<ReceivedMessage>> inboxes;
    return inboxes;
}

std::map<HWND, std::function<void(const ReceivedMessage&)>>& Reactions() {
    static std::map<HWND, std::function<void(const ReceivedMessage&)>> reactions;
    return reactions;
}

// The messages the tests post: keyboard messages and the application's own. The system sends a
// window others of its own accord (activation when a message box comes and goes, focus), and
// whether it does depends on the desktop, so those are not the tests' business.
bool IsPostedKind(UINT code) {
    return (code >= WM_KEYFIRST && code <= WM_KEYLAST) || (code >= WM_USER && code <= 0xBFFF);
}

// Records the posted kinds of message delivered to a recording window once it exists.
LRESULT CALLBACK RecordingWindowProcedure(HWND window, UINT code, WPARAM wParam, LPARAM lParam) {
    auto& inboxes = Inboxes();
    const auto inbox = inboxes.find(window);
    if (inbox != inboxes.end() && IsPostedKind(code)) {
        const ReceivedMessage received{code, static_cast<std::uintptr_t>(wParam)};
        inbox->second.push_back(received);
        if (const auto reaction = Reactions().find(window); reaction != Reactions().end()) {
            reaction->second(received);
        }
    }
    return DefWindowProcA(window, code, wParam, lParam);
}

void RegisterRecordingWindowClass() {
    static const bool registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordingWindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = RecordingWindowClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered) {
        throw std::runtime_error("cannot register the recording window class");
    }
}

std::string WindowText(HWND window) {
    char text[1024] = {};
    const int length = window != nullptr ? GetWindowTextA(window, text, sizeof(text)) : 0;
    return std::string(text, static_cast<std::size_t>(length));
}

struct BoxAnswering {
    HHOOK Hook = nullptr;
    bool Configured = false; // AnswerBoxes was called: boxes are recorded
    bool Yes = false;        // without AnswerBoxes every box is answered No, as on POSIX
    std::vector<AskedBox> Asked;
};

BoxAnswering& Answering() {
    static BoxAnswering answering;
    return answering;
}

bool IsDialogBox(HWND window) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    return std::string(className) == "#32770";
}

void AnswerBox(HWND box) {
    auto& answering = Answering();
    if (answering.Configured) {
        answering.Asked.push_back({WindowText(GetDlgItem(box, MessageBoxTextId)), WindowText(box)});
    }
    const int button = answering.Yes ? IDYES : IDNO;
    const HWND control = GetDlgItem(box, button);
    if (control == nullptr) {
        EndDialog(box, IDCANCEL); // not a Yes/No box: it has no such button to press
        return;
    }
    SendMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(control));
}

// Called after each window procedure of the thread has handled a sent message.
LRESULT CALLBACK AfterWindowProcedure(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
        if (call->message == WM_INITDIALOG && IsDialogBox(call->hwnd)) {
            AnswerBox(call->hwnd);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Boxes are shown on the thread that tests: the hook watches that thread only.
void EnsureBoxesAnswered() {
    auto& answering = Answering();
    if (answering.Hook == nullptr) {
        answering.Hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWindowProcedure, nullptr,
                                           GetCurrentThreadId());
        if (answering.Hook == nullptr) {
            throw std::runtime_error("cannot hook the thread's windows");
        }
    }
}

} // namespace

RecordingWindow::RecordingWindow() {
    RegisterRecordingWindowClass();
    EnsureBoxesAnswered();
    const HWND window = CreateWindowExA(0, RecordingWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        throw std::runtime_error("cannot create a recording window");
    }
    handle_ = reinterpret_cast<std::uintptr_t>(window);
    Inboxes()[window];
}

RecordingWindow::~RecordingWindow() {
    const HWND window = reinterpret_cast<HWND>(handle_);
    Inboxes().erase(window);
    Reactions().erase(window);
    DestroyWindow(window);
}

void RecordingWindow::React(std::function<void(const ReceivedMessage&)> reaction) {
    Reactions()[reinterpret_cast<HWND>(handle_)] = std::move(reaction);
}

const std::vector<ReceivedMessage>& RecordingWindow::Received() const {
    return Inboxes()[reinterpret_cast<HWND>(handle_)];
}

void RecordingWindow::PostKeyDown(std::uintptr_t keyCode) {
    Post(WM_KEYDOWN, keyCode);
}

void RecordingWindow::Post(std::uint32_t code, std::uintptr_t wParam) {
    PostMessageA(reinterpret_cast<HWND>(handle_), code, static_cast<WPARAM>(wParam), 0);
}

void AnswerBoxes(bool yes) {
    EnsureBoxesAnswered();
    auto& answering = Answering();
    answering.Configured = true;
    answering.Yes = yes;
    answering.Asked.clear();
}

std::vector<AskedBox> BoxesAsked() {
    return Answering().Asked;
}

void DrainQueue() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

} // namespace testdesktop
