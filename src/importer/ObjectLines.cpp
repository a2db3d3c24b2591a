#include "importer/ObjectLines.h"

#include "importer/ImportState.h"

#include <algorithm>
#include <charconv>

namespace corvane {

void ObjectLines::Note(HostHandle handle, std::uint64_t line) {
    if (handle != 0) {
        entries_.push_back(
            {handle, static_cast<std::uint32_t>(std::min<std::uint64_t>(line, UINT32_MAX))});
    }
}

std::string ObjectLines::AsText() const {
    std::string text;
    text.reserve(entries_.size() * 16);
    char buffer[24];
    for (const Entry& entry : entries_) {
        text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, entry.Handle).ptr);
        text += ' ';
        text.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, entry.Line).ptr);
        text += '\n';
    }
    return text;
}

void NoteObjectLine(const ImportState& state, HostHandle handle, std::uint64_t line) {
    if (state.Lines != nullptr) {
        state.Lines->Note(handle, line);
    }
}

} // namespace corvane
