#pragma once
// The KiCad board as a document of corvane-import: its option, its writer's settings
// (--edge-layer, --no-derived-nets), and what it adds to the summary (the nets it derived, what
// it clamped or placed far, a made-up edge, the parts whose rotation the pads do not give).

#include "documents/DocumentKind.h"
#include "kicadwriter/KicadBoardWriter.h"

namespace corvane::cli {

/// The document's row.
DocumentKind KicadDocumentKind();

/// The writer's settings from the documents' options (the defaults where none was given).
KicadBoardSettings KicadSettingsOf(const DocumentSettings& settings);

/// What writing the board found, as the summary says it: a possible loss, lines after the nets
/// and lines at the end.
void AddKicadNotes(const KicadBoardOutcome& outcome, const KicadBoardSettings& settings,
                   DocumentNotes& notes);

} // namespace corvane::cli
