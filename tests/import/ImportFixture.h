#pragma once
// Imports a file into a board of the substitute server and reads back what landed there.

#include "TempFile.h"
#include "contract/HalvexHost.h"
#include "importer/ImportDriver.h"
#include "importer/ImportReport.h"
#include "serverclient/ClientEntryBinding.h"
#include "serverclient/EntryTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace importtest {

using Info = HalvexObjectInfo;

class ImportOnServer : public ::testing::Test {
protected:
    void SetUp() override {
        Halvex_CloseAllBoards();
        Halvex_SetProgressSink(&OnInit, &OnUpdate, &OnFinish, this);
        corvane::BindClientEntries();
        corvane::pcbapi::ServerEntries().Reset();
        state.Report = &report;
    }
    void TearDown() override { Halvex_SetProgressSink(nullptr, nullptr, nullptr, nullptr); }

    /// Imports the text as a file; returns the importer's answer.
    bool Import(const std::string& text) {
        file = std::make_unique<testsupport::TempFile>(text);
        board = Halvex_OpenBoard(file->Path().c_str());
        return corvane::ImportFile(state, file->Path());
    }

    static Info InfoOf(std::uint32_t handle) {
        Info info{};
        EXPECT_EQ(Halvex_GetObjectInfo(handle, &info), HALVEX_STATUS_OK) << handle;
        return info;
    }

    /// Members of a container, in the order they were added.
    static std::vector<Info> Members(std::uint32_t container) {
        std::vector<Info> members;
        const int count = Halvex_GetMemberCount(container);
        for (int i = 0; i < count; ++i) {
            members.push_back(InfoOf(Halvex_GetMemberAt(container, i)));
        }
        return members;
    }

    /// The board's members of one kind.
    std::vector<Info> OnBoard(std::uint8_t kind) const {
        std::vector<Info> found;
        for (const Info& info : Members(board)) {
            if (info.Kind == kind) {
                found.push_back(info);
            }
        }
        return found;
    }

    /// The only board member of a kind.
    Info Single(std::uint8_t kind) const {
        const auto found = OnBoard(kind);
        EXPECT_EQ(found.size(), 1u);
        return found.empty() ? Info{} : found.front();
    }

    std::string PlaneNet(std::uint8_t layer) const {
        HalvexLayerInfo info{};
        EXPECT_EQ(Halvex_GetLayerInfo(board, layer, &info), HALVEX_STATUS_OK);
        return info.PlaneNetName;
    }

    static void OnInit(void* self, const char* caption, std::int32_t steps) {
        auto* test = static_cast<ImportOnServer*>(self);
        test->captions.emplace_back(caption);
        test->totals.push_back(steps);
    }
    static void OnUpdate(void* self) { ++static_cast<ImportOnServer*>(self)->updates; }
    static void OnFinish(void* self) { ++static_cast<ImportOnServer*>(self)->finishes; }

    corvane::ImportState state;
    corvane::ImportReport report;
    std::unique_ptr<testsupport::TempFile> file;
    std::uint32_t board = 0;
    std::vector<std::string> captions;
    std::vector<std::int32_t> totals;
    int updates = 0;
    int finishes = 0;
};

/// Mils as host units.
constexpr std::int32_t Mil(std::int32_t mils) {
    return mils * 10000;
}

} // namespace importtest
