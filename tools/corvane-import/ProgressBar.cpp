#include "ProgressBar.h"

#include <algorithm>

namespace halvex::cli {
namespace {

// Redrawing on every record would make the terminal, not the import, the slow part.
constexpr auto RedrawInterval = std::chrono::milliseconds(50);
constexpr std::size_t MaxBarCells = 30;
constexpr std::size_t MinBarCells = 10;

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

ProgressBar::ProgressBar(std::FILE* terminal, bool enabled, int columns)
    : terminal_(terminal), enabled_(enabled && terminal != nullptr),
      columns_(std::max(columns, 20)) {}

void ProgressBar::Init(const std::string& caption, std::int32_t steps) {
    caption_ = caption;
    total_ = std::max<std::int32_t>(steps, 0);
    done_ = 0;
    Draw(true);
}

void ProgressBar::Step() {
    ++done_;
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
    std::fputs(("\r" + std::string(static_cast<std::size_t>(columns_ - 1), ' ') + "\r").c_str(),
               terminal_);
    std::fflush(terminal_);
    shown_ = false;
}

std::string ProgressBar::Line() const {
    const auto width = static_cast<std::size_t>(columns_ - 1);
    if (total_ <= 0) {
        // The scan pass has no total: the caption alone says what is happening.
        return ElideMiddle(caption_, width);
    }
    // More steps than announced can happen; the bar stops at full.
    const std::int32_t shownDone = std::min(done_, total_);
    const std::string count = " " + std::to_string(shownDone) + "/" + std::to_string(total_);
    const std::size_t fixed = count.size() + 3; // " [" and "]"
    const std::size_t room = width > fixed ? width - fixed : 0;
    const std::size_t cells =
        std::clamp<std::size_t>(room / 3, std::min(MinBarCells, room), MaxBarCells);
    const std::string caption = ElideMiddle(caption_, room > cells ? room - cells : 0);
    const auto filled = static_cast<std::size_t>(static_cast<double>(cells) * shownDone / total_);
    return caption + " [" + std::string(filled, '#') + std::string(cells - filled, '.') + "]" +
           count;
}

void ProgressBar::Draw(bool force) {
    if (!enabled_) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    const bool complete = total_ > 0 && done_ >= total_;
    if (!force && shown_ && !complete && now - lastDraw_ < RedrawInterval) {
        return;
    }
    const std::string line = Line();
    const auto width = static_cast<std::size_t>(columns_ - 1);
    // Pad to the full width so that a shorter line covers the longer one before it.
    std::fputs(
        ("\r" + line + std::string(width > line.size() ? width - line.size() : 0, ' ')).c_str(),
        terminal_);
    std::fflush(terminal_);
    shown_ = true;
    lastDraw_ = now;
}

} // namespace halvex::cli
