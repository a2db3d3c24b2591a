#pragma once
// Drives the desktop services the plug-in uses, from a test on the plug-in's thread: post
// messages to the thread's queue, own a window that records what it receives, and answer the
// Yes/No box. POSIX: the desktop stand-in; Windows: real windows, PostMessage and a hook that
// presses the box's button.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace testdesktop {

struct ReceivedMessage {
    std::uint32_t Code = 0;
    std::uintptr_t WParam = 0;
};

/// A window of the calling thread that records the keyboard and application messages delivered
/// to it (the kinds the tests post; not what the system sends of its own accord).
class RecordingWindow {
public:
    RecordingWindow();
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    std::uintptr_t Handle() const { return handle_; }
    const std::vector<ReceivedMessage>& Received() const;

    /// Posts a key-down of the key code to this window through the thread's queue.
    void PostKeyDown(std::uintptr_t keyCode);
    /// Posts any message to this window through the thread's queue.
    void Post(std::uint32_t code, std::uintptr_t wParam);
    /// Runs the reaction for each message this window records, once it is recorded.
    void React(std::function<void(const ReceivedMessage&)> reaction);

private:
    std::uintptr_t handle_ = 0;
};

/// Answers every following Yes/No box with this answer, and counts the boxes asked.
void AnswerBoxes(bool yes);
/// Boxes asked since the last AnswerBoxes, with their texts and captions.
struct AskedBox {
    std::string Text;
    std::string Caption;
};
std::vector<AskedBox> BoxesAsked();

/// Removes every message left in the calling thread's queue.
void DrainQueue();

} // namespace testdesktop
