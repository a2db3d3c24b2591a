#pragma once
// The documents corvane-import writes of an imported board: one row each, in the order of --help.
// Each writer's folder describes its document (documents/DocumentKind.h: its option, help,
// settings, summary lines and how it is written); this table is all the program knows of the
// writers. The board page alone is made here, as it joins several writers: the JSON writer's
// board inside the page writer's page, in the picture's colours, with the KiCad board's nets of
// the copper.

#include "documents/DocumentKind.h"

#include <string_view>
#include <vector>

namespace corvane::cli {

/// Every document, in the order of --help.
const std::vector<DocumentKind>& DocumentKinds();

/// The document of that option, or nullptr.
const DocumentKind* FindDocumentKind(std::string_view option);

} // namespace corvane::cli
