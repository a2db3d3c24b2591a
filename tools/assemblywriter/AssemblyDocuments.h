#pragma once
// The bill of materials and the placement as documents of corvane-import.

#include "documents/DocumentKind.h"

namespace corvane::cli {

DocumentKind BomDocumentKind();
/// The placement also tells the summary the parts whose rotation the pads do not give.
DocumentKind PositionsDocumentKind();

} // namespace corvane::cli
