#pragma once
// The board's picture as a document of corvane-import.

#include "documents/DocumentKind.h"

namespace corvane::cli {

DocumentKind SvgDocumentKind();

} // namespace corvane::cli
