#pragma once
// Readers of the two compound records: components ("COMP" ... "ENDCOMP") with their texts and
// primitives, and net definitions ("NETDEF") that join component pads into nets.

#include "importer/FileRecords.h"
#include "importer/ImportState.h"
#include "importer/ImporterGroupClasses.h"
#include "importer/RecordReaders.h"

namespace corvane {

HostHandle ReadComponentRecord(ImportState& state, RecordUse use);
HostHandle ReadNetRecord(ImportState& state, RecordUse use);

/// Converts the position into the component, places it on the side its primitives say (bottom
/// only when some primitive is on a bottom layer and none on a top one), and writes it; for a host
/// object only.
void CommitComponent(ImportState& state, TComponent& component, const FilePosition& position);

} // namespace corvane
