#include "corvane-import/ProgressBar.h"

#include "cliplatform/SignalCleanup.h"

#include <algorithm>
#include <atomic>
#include <utility>

namespace corvane::cli {
namespace {

// Redrawing on every record would make the terminal, not the import, the slow part: at most
// about twenty times a second.
constexpr auto RedrawInterval = std::chrono::milliseconds(50);
constexpr std::size_t MaxBarCells = 30;
constexpr std::size_t MinBarCells = 10;

// The width of the line a bar shows now, 0 when none is shown: what the signal cleanup erases.
std::atomic<int> shownWidth{0};

// A cleanup step: erases the shown line so that the shell's prompt starts on a clean line.
void EraseShownLine() {
    static const char spaces[] = "                                                                ";
    int width = shownWidth.exchange(0);
    if (width <= 0) {
        return;
    }
    WriteToStandardErrorNow("\r", 1);
    while (width > 0) {
        const int chunk = std::min<int>(width, sizeof(spaces) - 1);
        WriteToStandardErrorNow(spaces, static_cast<std::size_t>(chunk));
        width -= chunk;
    }
    WriteToStandardErrorNow("\r", 1);
}

} // namespace

std::string ElideMiddle(const std::string& text, std::size_t width) {
    if (text.size() <= width) {
        return text;
    }
    const std::string dots = "...";
    if (width <= dots.size()) {
        return text.substr(0, width);
    }
    const std::size_t kept = width - dots.size();
    const std::size_t head = kept / 3;
    const std::size_t tail = kept - head;
    return text.substr(0, head) + dots + text.substr(text.size() - tail);
}

ProgressBar::ProgressBar(std::FILE* terminal, bool enabled, int columns, ProgressListener listener)
    : terminal_(terminal), enabled_(enabled && terminal != nullptr), listener_(std::move(listener)),
      columns_(std::max(columns, 20)) {
    if (enabled_ && terminal_ == stderr) {
        AddCleanupStep(EraseShownLine);
    }
}

ProgressBar::~ProgressBar() {
    Clear();
}

void ProgressBar::Init(const std::string& caption, std::int32_t steps) {
    caption_ = caption;
    total_ = std::max<std::int32_t>(steps, 0);
    done_ = 0;
    Draw(true);
}

void ProgressBar::Step(std::int32_t steps) {
    done_ += steps;
    Draw(false);
}

void ProgressBar::Finish() {
    Clear();
    caption_.clear();
    total_ = 0;
    done_ = 0;
}

void ProgressBar::Clear() {
    if (!enabled_ || !shown_) {
        return;
    }
    shownWidth = 0;
    // A carriage return, blanks over the whole line, and a carriage return.
    std::string blank(static_cast<std::size_t>(columns_ + 1), ' ');
    blank.front() = '\r';
    blank.back() = '\r';
    std::fputs(blank.c_str(), terminal_);
    std::fflush(terminal_);
    shown_ = false;
}

std::string ProgressBar::Line() const {
    const auto width = static_cast<std::size_t>(columns_ - 1);
    if (total_ <= 0) {
        // The scan pass has no total: the caption alone says what is happening.
        return ElideMiddle(caption_, width);
    }
    // The total is the plug-in's estimate: the steps beyond it are counted as they come, and the
    // bar stops one cell short of full, which only the end of the work would fill.
    std::string count(1, ' ');
    count += std::to_string(done_);
    count += '/';
    count += std::to_string(total_);
    const std::size_t fixed = count.size() + 3; // " [" and "]"
    const std::size_t room = width > fixed ? width - fixed : 0;
    const std::size_t cells =
        std::clamp<std::size_t>(room / 3, std::min(MinBarCells, room), MaxBarCells);
    const std::string caption = ElideMiddle(caption_, room > cells ? room - cells : 0);
    const std::size_t filled =
        done_ >= total_ ? cells - std::min<std::size_t>(cells, 1)
                        : static_cast<std::size_t>(static_cast<double>(cells) * done_ / total_);
    return caption + " [" + std::string(filled, '#') + std::string(cells - filled, '.') + "]" +
           count;
}

void ProgressBar::Draw(bool force) {
    if (!enabled_ && !listener_) {
        return; // no clock read per step when no one watches
    }
    const auto now = std::chrono::steady_clock::now();
    if (listener_ && (force || now - lastTold_ >= RedrawInterval)) {
        listener_(caption_, done_, total_);
        lastTold_ = now;
    }
    if (!enabled_) {
        return;
    }
    if (!force && shown_ && now - lastDraw_ < RedrawInterval) {
        return;
    }
    const std::string line = Line();
    const auto width = static_cast<std::size_t>(columns_ - 1);
    // Known to the signal cleanup before it reaches the terminal.
    shownWidth = static_cast<int>(width);
    // Pad to the full width so that a shorter line covers the longer one before it.
    std::fputs(
        ("\r" + line + std::string(width > line.size() ? width - line.size() : 0, ' ')).c_str(),
        terminal_);
    std::fflush(terminal_);
    shown_ = true;
    lastDraw_ = now;
}

} // namespace corvane::cli
