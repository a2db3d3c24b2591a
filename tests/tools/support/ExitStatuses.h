#pragma once
// The program's exit statuses as the numbers a run of it ends with, from its own list
// (corvane-import/ExitStatus.h), for the tests that run it as a process.

#include "corvane-import/ExitStatus.h"

namespace clitest {

inline constexpr int Imported = ToInt(corvane::cli::ExitStatus::Imported);
inline constexpr int NotImported = ToInt(corvane::cli::ExitStatus::NotImported);
inline constexpr int UsageError = ToInt(corvane::cli::ExitStatus::Usage);
inline constexpr int Aborted = ToInt(corvane::cli::ExitStatus::Aborted);
inline constexpr int OutputFailed = ToInt(corvane::cli::ExitStatus::OutputFailed);
inline constexpr int ModulesMissing = ToInt(corvane::cli::ExitStatus::ModulesMissing);
inline constexpr int MayHaveLostData = ToInt(corvane::cli::ExitStatus::MayHaveLostData);
inline constexpr int InternalFailure = ToInt(corvane::cli::ExitStatus::InternalFailure);

} // namespace clitest
