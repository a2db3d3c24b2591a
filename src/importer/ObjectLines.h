#pragma once
// The file line of every object an import made, by the object's host handle, so that whoever
// shows the board can point from an object to the line it came from. The report holds what went
// wrong; this holds every object, and adds no host call.

#include "contract/HostTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct ImportState;

class ObjectLines {
public:
    void Clear() { entries_.clear(); }

    /// Notes the line (1-based) of the object with this handle; nothing for handle 0.
    void Note(HostHandle handle, std::uint64_t line);

    /// One "handle line" pair a line, in decimal, in the order the objects were made.
    std::string AsText() const;

private:
    struct Entry {
        std::uint32_t Handle;
        std::uint32_t Line; // lines beyond 2^32 - 1 (no real file) stop there
    };
    std::vector<Entry> entries_;
};

/// Notes the object's line in the import's table, when the import keeps one.
void NoteObjectLine(const ImportState& state, HostHandle handle, std::uint64_t line);

} // namespace corvane
