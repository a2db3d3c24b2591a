#include "MainLoopImport.h"

#include "contract/HalvexHost.h"
#include "importer/ImportReport.h"
#include "importer/InputFile.h"
#include "importer/MainLoop.h"
#include "serverclient/EntryTable.h"

#include <memory>

namespace corvane::bench {

ImportState ImportIntoFreshBoard(const std::string& text) {
    Halvex_CloseAllBoards();
    pcbapi::ServerEntries().Reset();
    const std::uint32_t board = Halvex_OpenBoard("bench.pcb");
    ImportState import;
    import.Board = std::make_unique<TPcbBoard>(board);
    import.Nodes = MakeNodeIndex(board);
    import.Input = std::make_unique<InputFile>(std::make_unique<MemoryByteSource>(text));
    return import;
}

void ImportWithMainLoop(const std::string& text, ImportReport* report) {
    ImportState import = ImportIntoFreshBoard(text);
    if (report != nullptr) {
        report->Clear();
        import.Report = report;
        import.Input->SetObserver(report);
    }
    RunMainLoop(import);
}

std::string WithStrayLines(const std::string& board) {
    std::string result;
    result.reserve(board.size() + board.size() / 16);
    std::size_t from = 0;
    for (std::size_t at = board.find("ENDCOMP", from); at != std::string::npos;
         at = board.find("ENDCOMP", from)) {
        const std::size_t lineEnd = board.find('\n', at);
        const std::size_t next = lineEnd == std::string::npos ? board.size() : lineEnd + 1;
        result.append(board, from, next - from);
        result.append("STRAY LINE\r\n");
        from = next;
    }
    result.append(board, from, std::string::npos);
    return result;
}

} // namespace corvane::bench
