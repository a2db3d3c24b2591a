#pragma once
// The identifiers of the KiCad board's items as they are written.

#include "kicadwriter/ContentIds.h"
#include "kicadwriter/SExpression.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::cli::kicad {

/// Writes each item's "(tstamp ID)" with a placeholder, put in its place when the next identifier
/// is asked for, or before the text is read or handed on (Settle): the identifier's count is
/// asked of the table at once, and the wait overlaps the making of the next object.
class ItemIds {
public:
    /// Room for about this many identifiers.
    void Reserve(std::size_t items) { ids_.Reserve(items); }

    /// Writes "(tstamp ID)" with the identifier of the text of that hash.
    SExprWriter& Tstamp(SExprWriter& w, std::string& text, const ContentHash& hash) {
        Settle();
        ids_.Prefetch(hash);
        w.Open("tstamp").Atom(std::string_view(Placeholder.data(), Placeholder.size()));
        pending_ = {&text, text.size() - Placeholder.size(), hash};
        return w.Close();
    }

    /// Puts the identifier last written in its place.
    void Settle() {
        if (pending_.Text != nullptr) {
            const ContentId id = ids_.For(pending_.Hash);
            std::copy(id.Text.begin(), id.Text.end(),
                      pending_.Text->begin() + std::ptrdiff_t(pending_.At));
            pending_.Text = nullptr;
        }
    }

private:
    // What an identifier's place holds until it is put there.
    static constexpr std::array<char, 36> Placeholder = {};

    ContentIds ids_;
    // The identifier last written, which waits for its place in the text.
    struct Pending {
        std::string* Text = nullptr; // none
        std::size_t At = 0;
        ContentHash Hash;
    } pending_;
};

} // namespace corvane::cli::kicad
