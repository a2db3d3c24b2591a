#pragma once
// The state of one import. One instance serves the loaded module; imports do not overlap.

#include "importer/ComponentEndMemo.h"
#include "importer/InputFile.h"
#include "importer/NodeLookup.h"
#include "pcbmodel/PcbBoard.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace corvane {

class ImportReport;
class ObjectLines;

/// Record counts of the scan pass. Each counter saturates at the 32-bit maximum.
struct ScanCounts {
    std::int32_t Components = 0;
    std::int32_t Tracks = 0;
    std::int32_t Vias = 0;
    std::int32_t Pads = 0;
    std::int32_t Strings = 0;
    std::int32_t Arcs = 0;
    std::int32_t Fills = 0;
    std::int32_t PgRecords = 0;
    std::int32_t NetDefinitions = 0;
    std::int32_t Nodes = 0;
    std::int32_t BlockLines = 0;

    /// Steps of the loading bar: every counter but the PG records (saturating).
    std::int32_t LoadingTotal() const;
};

/// The node lookup of an import: a NodeIndex of the board.
std::unique_ptr<NodeLookup> MakeNodeIndex(HostHandle board);

struct ImportState {
    std::unique_ptr<InputFile> Input; // the file being imported
    std::unique_ptr<TPcbBoard> Board; // the board receiving the objects, during an import only
    bool AbortRequested = false;      // set when the user confirms an abort
    bool IsVersion5File = false;      // the first line starts with "PCB FILE 5"
    bool Running = false;             // an import runs: the abort poll may start another
    ScanCounts Counts;
    ComponentEndMemo ComponentEnds;    // what look-aheads found about components' ends
    ImportReport* Report = nullptr;    // where passed-over input is recorded (may be null)
    ObjectLines* Lines = nullptr;      // where each object's file line is noted (may be null)
    std::uint64_t RecordLine = 0;      // first data line of the record being read
    std::unique_ptr<NodeLookup> Nodes; // net nodes to pads, during an import
    // Makes each import's node lookup for its board: the node index; tests may give another.
    std::function<std::unique_ptr<NodeLookup>(HostHandle board)> MakeNodeLookup = MakeNodeIndex;
};

/// The module's import state.
ImportState& ModuleImportState();

/// Adds one to a counter, stopping at the 32-bit maximum.
void CountOne(std::int32_t& counter);

} // namespace corvane
