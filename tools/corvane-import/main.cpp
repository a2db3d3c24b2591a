// corvane-import: runs the CorvaneImport plug-in the way the host editor does, on the substitute
// server, and reports what landed on the board (summary, JSON, SVG, KiCad board, BOM, placement),
// for one file or several.

#include "cliplatform/SignalCleanup.h"
#include "corvane-import/ExitStatus.h"
#include "corvane-import/ImportJob.h"
#include "corvane-import/Options.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace corvane::cli {
namespace {

int Main(const std::vector<std::string>& arguments) {
    const ParsedOptions parsed = ParseOptions(arguments);
    if (!parsed.Ok()) {
        PrintError(parsed.Error);
        std::fprintf(stderr, "Try '%s --help' for more information.\n", ProgramName);
        return ToInt(ExitStatus::Usage);
    }
    if (parsed.Values.ShowHelp) {
        std::fputs(HelpText().c_str(), stdout);
        return ToInt(ExitStatus::Imported);
    }
    if (parsed.Values.ShowVersion) {
        std::fputs(VersionText().c_str(), stdout);
        return ToInt(ExitStatus::Imported);
    }
    return ToInt(ImportAll(parsed.Values));
}

} // namespace
} // namespace corvane::cli

int main(int argc, char** argv) {
    corvane::cli::InstallSignalCleanup();
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    // Whatever fails inside is one line and its own status; the outputs' temporary files are
    // removed on the way out.
    try {
        return corvane::cli::Main(arguments);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "corvane-import: out of memory\n");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "corvane-import: internal failure: %s\n", error.what());
    } catch (...) {
        std::fprintf(stderr, "corvane-import: internal failure\n");
    }
    return corvane::cli::ToInt(corvane::cli::ExitStatus::InternalFailure);
}
