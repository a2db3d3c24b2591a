#pragma once
// What KiCad cannot hold: every point and size the KiCad board writes goes through these. A value
// beyond KiCad's reach is clamped, and the object being written is noted as clamped.

#include "boardmodel/BoardStore.h"
#include "kicadwriter/KicadSheet.h"
#include "textformat/Units.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

namespace corvane::cli::kicad {

class ClampNotes {
public:
    /// The object whose values come next.
    void Writing(std::size_t container, StoredKind kind, std::size_t index, std::uint32_t line) {
        writing_ = StoredObject{std::uint32_t(container), kind, std::uint32_t(index), line};
    }
    /// What comes next is of no object of the board.
    void WritingNone() { writing_.reset(); }

    /// Notes the object being written as clamped.
    void Note() {
        // An object's values come one after the other: it is noted once for them.
        if (writing_ && (clamped_.empty() || !(clamped_.back() == *writing_))) {
            clamped_.push_back(*writing_);
        }
    }

    /// The point, or where KiCad can reach it.
    SheetPoint Reach(SheetPoint p) {
        if (InReach(p)) {
            return p;
        }
        Note();
        return WithinReach(p);
    }

    /// A size or width: its magnitude in nanometres, within reach.
    std::int64_t SizeOf(std::int64_t hostUnits) {
        const std::int64_t size = units::Nanometres(std::abs(hostUnits));
        if (size > units::MaxNanometres) {
            Note();
            return units::MaxNanometres;
        }
        return size;
    }

    /// The objects clamped, in order, each once.
    std::vector<StoredObject> Clamped() const;

private:
    std::optional<StoredObject> writing_; // the object being written
    std::vector<StoredObject> clamped_;   // with repeats: an object is written in parts
};

} // namespace corvane::cli::kicad
