#pragma once
// The KiCad board's text on its way out: handed to the sink in pieces as it is made, and the
// objects written reported in steps, so that neither a large board's text nor its progress
// gathers in one piece.

#include "kicadwriter/KicadBoardWriter.h"

#include <cstddef>
#include <string>

namespace corvane::cli::kicad {

class ChunkedOutput {
public:
    ChunkedOutput(const TextSink& sink, const ProgressSteps& progress)
        : sink_(sink), progress_(progress) {}

    /// The text not yet handed on, which the writer appends to.
    std::string& Text() { return text_; }
    /// Whether enough text has gathered to be handed on.
    bool Full() const { return text_.size() >= SinkChunk; }
    /// Hands the text on.
    void Hand();
    /// Counts objects written, reported once enough of them have gathered.
    void Count(std::size_t objects);
    /// Hands the rest of the text on and reports the objects not yet reported.
    void Finish();

private:
    // Bytes gathered before they go to the sink.
    static constexpr std::size_t SinkChunk = 64 * 1024;
    // Steps gathered before they are reported.
    static constexpr std::size_t ProgressChunk = 1024;

    const TextSink& sink_;
    const ProgressSteps& progress_;
    std::string text_;
    std::size_t steps_ = 0; // objects written and not yet reported
};

} // namespace corvane::cli::kicad
