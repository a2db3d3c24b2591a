#pragma once
// The board's JSON as a document of corvane-import.

#include "documents/DocumentKind.h"

namespace corvane::cli {

DocumentKind JsonDocumentKind();

} // namespace corvane::cli
