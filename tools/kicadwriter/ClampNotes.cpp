#include "kicadwriter/ClampNotes.h"

#include <algorithm>

namespace corvane::cli::kicad {

std::vector<StoredObject> ClampNotes::Clamped() const {
    std::vector<StoredObject> clamped = clamped_;
    std::sort(clamped.begin(), clamped.end());
    clamped.erase(std::unique(clamped.begin(), clamped.end()), clamped.end());
    return clamped;
}

} // namespace corvane::cli::kicad
