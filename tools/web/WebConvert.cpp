#include "web/WebConvert.h"

#include "corvane-import/Documents.h"
#include "corvane-import/ImportJob.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <new>

namespace corvane::cli::web {

Options ConversionOptions(const std::string& boardPath, const std::string& folder,
                          const WebSettings& settings) {
    Options options;
    options.InputFiles = {boardPath};
    const std::string stem =
        folder + "/" + std::filesystem::path(boardPath).filename().string() + ".";
    for (const DocumentKind& kind : DocumentKinds()) {
        options.Documents[std::string(kind.Option)] = stem + std::string(kind.Extension);
    }
    options.ReportFormat = "text";
    options.ReportPath = stem + "report.txt";
    // The KiCad document's own options, as the command line gives them.
    options.WriterSettings.Set("--edge-layer", settings.EdgeLayer);
    if (!settings.DeriveNets) {
        options.WriterSettings.Set("--no-derived-nets", "");
    }
    return options;
}

// The same answers to a failure inside as the program's main.
ExitStatus Convert(const std::string& boardPath, const std::string& folder,
                   const WebSettings& settings, const ProgressListener& listener) {
    try {
        return ImportAll(ConversionOptions(boardPath, folder, settings), listener);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "%s: out of memory\n", ProgramName);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: internal failure: %s\n", ProgramName, error.what());
    } catch (...) {
        std::fprintf(stderr, "%s: internal failure\n", ProgramName);
    }
    return ExitStatus::InternalFailure;
}

} // namespace corvane::cli::web
