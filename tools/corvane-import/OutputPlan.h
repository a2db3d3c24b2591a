#pragma once
// Where each file's outputs go: the paths given on the command line, or with --out-dir DIR a file
// in DIR named by a format in which "{name}" stands for the file's name without its folder and
// extension ("stdin" for standard input).

#include "corvane-import/Documents.h"
#include "corvane-import/Options.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::cli {

/// A document to write, and where; "-" is standard output.
struct PlannedDocument {
    const DocumentKind* Kind = nullptr;
    std::string Path;
};

/// The outputs of one input file; a path "-" is standard output.
struct FileOutputs {
    std::string Input;                      // as given; "-" is standard input
    std::string Name;                       // what "{name}" stands for
    std::vector<PlannedDocument> Documents; // in the order of DocumentKinds
    std::optional<std::string> Report;
};

struct OutputPlan {
    std::vector<FileOutputs> Files;
    /// Why the outputs cannot be planned (two files would write the same output); empty when
    /// they can.
    std::string Error;
};

inline constexpr const char* NamePlaceholder = "{name}";

/// Plans every file's outputs, refusing before anything runs two outputs of one name.
OutputPlan PlanOutputs(const Options& options);

/// The format with every "{name}" replaced.
std::string ExpandNameFormat(const std::string& format, const std::string& name);

} // namespace corvane::cli
