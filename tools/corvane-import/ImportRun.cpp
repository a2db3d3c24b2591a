#include "corvane-import/ImportRun.h"

#include "cliplatform/Terminal.h"
#include "contract/CorvaneImporter.h"
#include "corvane-import/ProgressBar.h"

#include <chrono>

namespace corvane::cli {
namespace {

// What the server's progress calls reach: the bar, and the terminal watched for Escape. The
// calls come on the importing thread between records, just before the plug-in's abort check.
struct ProgressRoute {
    ProgressBar& Bar;
    TerminalAbort& Abort;

    static void Init(void* self, const char* caption, std::int32_t steps) {
        auto& route = *static_cast<ProgressRoute*>(self);
        route.Bar.Init(caption != nullptr ? caption : "", steps);
        route.Abort.Poll();
    }
    static void Update(void* self) {
        auto& route = *static_cast<ProgressRoute*>(self);
        route.Bar.Step();
        route.Abort.Poll();
    }
    static void Finish(void* self) { static_cast<ProgressRoute*>(self)->Bar.Finish(); }
};

// Detaches the sink however the import ends: the route lives on this function's stack.
class SinkAttachment {
public:
    SinkAttachment(const HalvexApi& server, ProgressRoute& route) : server_(server) {
        server_.SetProgressSink(&ProgressRoute::Init, &ProgressRoute::Update,
                                &ProgressRoute::Finish, &route);
    }
    ~SinkAttachment() { server_.SetProgressSink(nullptr, nullptr, nullptr, nullptr); }
    SinkAttachment(const SinkAttachment&) = delete;
    SinkAttachment& operator=(const SinkAttachment&) = delete;

private:
    const HalvexApi& server_;
};

} // namespace

ImportRunResult RunImport(const LoadedModules& modules, const std::string& boardFileName,
                          int version, ProgressBar& bar) {
    ImportRunResult result;
    result.Outcome.Path = boardFileName;
    result.Outcome.Version = version;
    result.Board = modules.Server().OpenBoard(boardFileName.c_str());

    TerminalAbort abort([&bar] { bar.Clear(); });
    ProgressRoute route{bar, abort};
    const ExportString name(boardFileName);
    const ExportString reserved("");
    const auto start = std::chrono::steady_clock::now();
    {
        const SinkAttachment attachment(modules.Server(), route);
        result.Outcome.Completed =
            modules.Plugin().ImportFileIntoPcb(name.Data(), reserved.Data()) != 0;
    }
    result.Outcome.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    bar.Clear();
    result.Outcome.UserAborted = !result.Outcome.Completed && abort.AbortConfirmed();
    return result;
}

} // namespace corvane::cli
