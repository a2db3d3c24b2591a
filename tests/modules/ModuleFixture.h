#pragma once
// Opens the built server module and the plug-in module in the test process as a host does, through
// the program's host link (the server first: the plug-in binds the server's entries and the host
// client's entries, which this executable exports, when it is loaded) and gives tests what a host
// program has: board documents, the plug-in's exports, the progress calls and the read-only view
// of the board.

#include "contract/HalvexHost.h"
#include "hostlink/ModuleLoader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace moduletest {

/// The two modules, loaded once for the whole test program.
const corvane::cli::LoadedModules& Modules();

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

    const corvane::cli::HalvexApi& Server() const { return Modules().Server(); }

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
