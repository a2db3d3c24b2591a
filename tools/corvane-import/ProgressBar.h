#pragma once
// The progress bar of an import, drawn on one line of a terminal: the caption the plug-in passes
// (or the program's own, while it writes the outputs), a bar, and the steps done of the total.
// Draws nothing when it is disabled (no terminal); when the program is interrupted the line is
// erased (through the signal cleanup).

#include "documents/DocumentKind.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace corvane::cli {

/// Who else follows the progress (the page's bar, where there is no terminal): the caption, the
/// steps done and the total (0 while there is none), at most as often as the bar is drawn.
using ProgressListener =
    std::function<void(const std::string& caption, std::int32_t done, std::int32_t total)>;

class ProgressBar final : public DocumentProgress {
public:
    /// columns: the terminal's width; the line is kept one shorter so that it never wraps.
    ProgressBar(std::FILE* terminal, bool enabled, int columns, ProgressListener listener = {});
    ~ProgressBar() override;
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Init(const std::string& caption, std::int32_t steps) override;
    void Step(std::int32_t steps) override;
    void Step() { Step(1); }
    void Finish();

    /// Erases the line (before something else is written to the terminal); the next step draws
    /// it again.
    void Clear();

    /// The line as it would be drawn now (without the carriage return).
    std::string Line() const;

private:
    void Draw(bool force);

    std::FILE* terminal_;
    bool enabled_;
    ProgressListener listener_;
    std::chrono::steady_clock::time_point lastTold_{};
    int columns_;
    std::string caption_;
    std::int32_t total_ = 0;
    std::int32_t done_ = 0;
    bool shown_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};

/// The caption shortened to at most width characters by putting "..." in its middle.
std::string ElideMiddle(const std::string& text, std::size_t width);

} // namespace corvane::cli
