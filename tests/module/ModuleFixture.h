#pragma once
// Loads the built server module and the plug-in module into the test process as a host does (the
// server first: the plug-in binds the server's entries and the host client's entries, which this
// executable exports, when it is loaded) and gives tests what a host program has: board documents,
// the three plug-in exports, the progress calls and the read-only view of the board.

#include "contract/CorvaneImporter.h"
#include "contract/HalvexHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace moduletest {

/// The host functions of the server module, looked up by name.
struct ServerFunctions {
    decltype(&Halvex_OpenBoard) OpenBoard = nullptr;
    decltype(&Halvex_CloseAllBoards) CloseAllBoards = nullptr;
    decltype(&Halvex_SetProgressSink) SetProgressSink = nullptr;
    decltype(&Halvex_GetBoardInfo) GetBoardInfo = nullptr;
    decltype(&Halvex_GetMemberCount) GetMemberCount = nullptr;
    decltype(&Halvex_GetMemberAt) GetMemberAt = nullptr;
    decltype(&Halvex_GetObjectInfo) GetObjectInfo = nullptr;
    decltype(&Halvex_GetStackLayer) GetStackLayer = nullptr;
};

/// The plug-in's three exports.
struct PluginFunctions {
    RecognisedPCBFile_fn Recognised = nullptr;
    GetPcbImporterDescription_fn Description = nullptr;
    ImportFileIntoPcb_fn Import = nullptr;
};

/// The two modules, loaded once for the whole test program and kept loaded.
class LoadedModules {
public:
    static const LoadedModules& Instance();

    bool Ready() const { return error_.empty(); }
    const std::string& Error() const { return error_; }
    const ServerFunctions& Server() const { return server_; }
    const PluginFunctions& Plugin() const { return plugin_; }

private:
    LoadedModules();
    std::string error_;
    ServerFunctions server_;
    PluginFunctions plugin_;
};

/// One progress call as the server's sink received it.
struct ProgressEvent {
    std::string Kind; // "init", "update" or "finish"
    std::string Caption;
    std::int32_t Steps = 0;
};

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const ServerFunctions& Server() const { return LoadedModules::Instance().Server(); }

    /// Writes a file into the test's own temporary folder; returns its full name.
    std::string WriteFile(const std::string& name, const std::string& content) const;
    /// A full name in the test's folder for a file that does not exist.
    std::string MissingFile(const std::string& name) const;

    /// The host opens a board document for the file before it imports.
    std::uint32_t OpenBoard(const std::string& fileName) const;

    // The plug-in's exports, called with length-prefixed file names as a host calls them.
    bool Recognised(const std::string& fileName) const;
    std::string Description() const;
    bool Import(const std::string& fileName) const;

    /// The progress calls since SetUp.
    const std::vector<ProgressEvent>& Progress() const { return progress_; }
    /// The captions of the init calls, in order.
    std::vector<std::string> ProgressCaptions() const;

    // The board as the host sees it afterwards.
    std::vector<std::uint32_t> Members(std::uint32_t container) const;
    HalvexObjectInfo Object(std::uint32_t handle) const;

private:
    static void OnInit(void* user, const char* caption, std::int32_t steps);
    static void OnUpdate(void* user);
    static void OnFinish(void* user);

    std::string folder_;
    std::vector<ProgressEvent> progress_;
};

} // namespace moduletest
