// libFuzzer target: each input is imported as fuzz_import imports it, then the board is read back
// from the server in one walk, as corvane-import reads it, into every document the program writes
// (DocumentKinds: JSON, SVG, the board page, the KiCad board, the BOM and the placement, each with
// the program's default settings), each into memory. Plug-in, server, the walk and the writers all
// run in this process, linked in and instrumented; the target reaches the server and the plug-in
// through the host link as the program does. Every object of the KiCad board not reported as
// clamped must lie where the board read back has it, moved by the sheet's one offset
// (KicadPlaces.h).

#include "FuzzInputFile.h"
#include "KicadPlaces.h"
#include "LinkedHost.h"
#include "boardmodel/BoardStore.h"
#include "boardmodel/BoardVisitor.h"
#include "contract/HalvexHost.h"
#include "corvane-import/Documents.h"
#include "corvane-import/ProgressBar.h"
#include "hostlink/BoardWalker.h"
#include "hostlink/ObjectLineIndex.h"
#include "kicadwriter/KicadDocument.h"
#include "safeoutput/OutputStream.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using corvane::cli::BoardStore;
using corvane::cli::BoardVisitor;
using corvane::cli::DocumentContext;
using corvane::cli::DocumentHeader;
using corvane::cli::DocumentKind;
using corvane::cli::DocumentSettings;
using corvane::cli::StringOutputStream;
using corvanefuzz::InputPath;

// The version the documents name, decided as the importer decides it.
int FileVersion(const std::uint8_t* data, std::size_t size) {
    constexpr std::string_view five = "PCB FILE 5";
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    return text.substr(0, five.size()) == five ? 5 : 4;
}

// One document written into memory.
struct Document {
    const DocumentKind* Kind;
    std::unique_ptr<StringOutputStream> Stream;
};

// The walk corvane-import makes after an import: the board's store first, then every document's
// writer, all served by one walk; the documents made from the whole board at its end. The KiCad
// board is written a second time from the same store, for where it puts each object: the same
// bytes, as the same board always gives.
void WriteEveryDocument(const corvane::cli::HalvexApi& server, std::uint32_t handle,
                        const DocumentHeader& header) {
    const DocumentSettings settings{};
    const corvane::cli::ImportFacts facts{"complete", "", ""};
    BoardStore board;
    corvane::cli::DocumentNotes notes;
    corvane::cli::ProgressBar bar(stderr, false, 80); // off: nothing is shown while fuzzing
    corvane::cli::VisitorFanOut visitors;
    visitors.Add(board);
    std::vector<Document> documents;
    std::vector<std::unique_ptr<BoardVisitor>> writers;
    for (const DocumentKind& kind : corvane::cli::DocumentKinds()) {
        documents.push_back(
            {&kind, std::make_unique<StringOutputStream>(corvanefuzz::InputFolder().string())});
        const DocumentContext context{
            header, settings, board, facts, notes, bar, std::string(kind.Option)};
        writers.push_back(kind.Make(*documents.back().Stream, context));
        visitors.Add(*writers.back());
    }
    corvane::cli::ObjectLineIndex lines(corvanefuzz::ImportReport(CorvaneReportObjectLines));
    corvane::cli::WalkBoard(server, handle, header, visitors, {}, &lines);
    // Every document has at least its heading, and writing into memory cannot fail.
    for (Document& document : documents) {
        if (document.Stream->Text().empty() || document.Stream->Failed()) {
            std::fprintf(stderr, "%.*s: %s\n", static_cast<int>(document.Kind->Option.size()),
                         document.Kind->Option.data(),
                         document.Stream->Failed() ? document.Stream->Error().c_str()
                                                   : "nothing written");
            __builtin_trap();
        }
        if (document.Kind->Option == "--kicad") {
            std::string again;
            const corvane::cli::KicadBoardOutcome outcome =
                corvane::cli::WriteKicadBoard(board, corvane::cli::KicadSettingsOf(settings),
                                              [&](std::string_view text) { again += text; }, {});
            if (again != document.Stream->Text()) {
                std::fprintf(stderr, "--kicad: the same board gave other bytes\n");
                __builtin_trap();
            }
            const std::string misplaced = corvanefuzz::MisplacedObject(board, outcome, again);
            if (!misplaced.empty()) {
                std::fprintf(stderr, "--kicad: %s, and not reported as clamped\n",
                             misplaced.c_str());
                __builtin_trap();
            }
        }
        // No text of the board may end the page's data element: its JSON holds no raw '<'.
        if (document.Kind->Option == "--html") {
            const std::string& page = document.Stream->Text();
            const std::string open = "id=\"board-data\">";
            const auto from = page.find(open);
            const auto to = page.find("</script>", from);
            if (from == std::string::npos || to == std::string::npos ||
                page.find('<', from + open.size()) != to) {
                std::fprintf(stderr, "--html: the board's data escapes its element\n");
                __builtin_trap();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    (void)corvanefuzz::Modules(); // the plug-in starts, as when the host loads it
    corvanefuzz::RemoveInputAtExit();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const corvane::cli::HalvexApi& server = corvanefuzz::Server();
    server.CloseAllBoards();
    corvanefuzz::WriteInput(data, size);
    const std::uint32_t board = server.OpenBoard(InputPath().c_str());
    // Only what the plug-in recognises is imported, as corvane-import does.
    if (corvanefuzz::CallRecognised(InputPath())) {
        const bool imported = corvanefuzz::CallImport(InputPath());
        // Nobody presses Escape, so a recognised file imports to its end.
        if (!imported) {
            __builtin_trap();
        }
        const char* losses = corvanefuzz::ImportReport(CorvaneReportLosses);
        const bool mayHaveLostData = losses != nullptr && *losses != '\0';
        WriteEveryDocument(server, board,
                           {"fuzz.PCB", FileVersion(data, size), true, mayHaveLostData});
    }
    server.CloseAllBoards();
    return 0;
}
