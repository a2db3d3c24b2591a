#pragma once
// The record readers. Each is called right after its keyword line has been consumed, reads its
// own data lines, creates and commits its host object, and returns the object's host handle
// (0 when no object was made).

#include "contract/HostTypes.h"
#include "importer/ImportState.h"

#include <cstdint>

namespace corvane {

/// What a reader does with its record: make its objects in the host; only read past its lines
/// because the container they would go into has no host object (no board for the file, or a
/// component the host did not make); or only take its lines, without a progress step or an abort
/// poll, to find where a component ends.
enum class RecordUse : std::uint8_t { Import, ReadPast, LookAhead };

using RecordReader = HostHandle (*)(ImportState& state, RecordUse use);

/// The progress step and abort poll every reader takes at its start. The poll does not stop the
/// reader: its record is read and committed in full.
void StepAndPollAbort(ImportState& state);

} // namespace corvane
