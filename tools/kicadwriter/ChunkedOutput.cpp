#include "kicadwriter/ChunkedOutput.h"

namespace corvane::cli::kicad {

void ChunkedOutput::Hand() {
    sink_(text_);
    text_.clear();
}

void ChunkedOutput::Count(std::size_t objects) {
    steps_ += objects;
    if (steps_ >= ProgressChunk) {
        if (progress_) {
            progress_(steps_);
        }
        steps_ = 0;
    }
}

void ChunkedOutput::Finish() {
    Hand();
    if (progress_ && steps_ != 0) {
        progress_(steps_);
    }
    steps_ = 0;
}

} // namespace corvane::cli::kicad
