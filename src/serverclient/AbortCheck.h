#pragma once
// The per-record abort poll and its confirmation box.

#include <string>

namespace corvane {

/// Text of the confirmation asked when the user presses Escape during an import.
inline constexpr const char* AbortQuestion = "Confirm Abort Process";

/// Drains the calling thread's message queue unless the flag is already set. Each Escape
/// key-down asks the user; Yes sets the flag. Other messages go straight to their windows.
void CheckForAbort(bool& abortRequested);

/// Modal Yes/No box with the caption "Confirm"; true when the answer is Yes.
bool ConfirmYesNo(const std::string& message);

} // namespace corvane
