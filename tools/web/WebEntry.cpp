// The converter's entries for the page's worker (page/worker.js), called through emscripten's
// ccall: the board is a file of the memory file system, the documents land in a folder of it,
// and the progress goes to the worker as the bar would draw it.

#include "web/WebConvert.h"

#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <string>

// Defined in page/worker.js: posts the progress to the page.
EM_JS(void, corvane_tell_progress, (const char* caption, int done, int total),
      { corvaneTellProgress(UTF8ToString(caption), done, total); });

extern "C" {

/// Converts the board at boardPath into folder; the program's exit status.
EMSCRIPTEN_KEEPALIVE int CorvaneConvert(const char* boardPath, const char* folder,
                                        const char* edgeLayer, int deriveNets) {
    corvane::cli::web::WebSettings settings;
    if (edgeLayer != nullptr && *edgeLayer != '\0') {
        settings.EdgeLayer = edgeLayer;
    }
    settings.DeriveNets = deriveNets != 0;
    const auto status = corvane::cli::web::Convert(
        boardPath, folder, settings,
        [](const std::string& caption, std::int32_t done, std::int32_t total) {
            corvane_tell_progress(caption.c_str(), done, total);
        });
    std::fflush(stdout);
    std::fflush(stderr);
    return corvane::cli::ToInt(status);
}

} // extern "C"
