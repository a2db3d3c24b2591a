// Components and net definitions against the recording server, where the host's answers are the
// test's to choose: containers the host does not make, a new component without texts, a component
// handle the host used on an earlier board, a host without iterators or with endless ones.

#include "HostSearchLookup.h"
#include "RecordingServer.h"
#include "ScriptedBoard.h"
#include "TempFile.h"
#include "importer/ImportDriver.h"
#include "importer/ImportReport.h"
#include "serverclient/ClientEntryBinding.h"
#include "serverclient/EntryTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using testsupport::TempFile;

constexpr HostHandle BoardHandle = testing::ScriptedBoardHandle;

const std::string ComponentU1 = "COMP\nU1\nP\nC\n0 0 60 0 0 7\n0 0 60 0 0 7\n0 0 0 0\n"
                                "CP\n0 0 60 60 1 30 2 13\n1\nCT\n0 0 1 1 1 6\nENDCOMP\n";

class CompoundRecords : public ::testing::Test {
protected:
    void SetUp() override {
        recording::Reset();
        BindClientEntries();
        pcbapi::ServerEntries().Reset();
        AnswerBoardAndObjects();
        state.Report = &report;
    }

    // The board for every file; new objects numbered by kind (kind * 0x100 + n), or 0 for the
    // kinds in refused.
    void AnswerBoardAndObjects(std::vector<std::uint64_t> refused = {}) {
        recording::SetHandler("PcbApi_GetBoardHandleFromFullFileName",
                              [](const recording::Call&) { return std::int64_t{BoardHandle}; });
        recording::SetHandler("PcbApi_CreateObject", [this, refused](const recording::Call& call) {
            const std::uint64_t kind = call.Value(0);
            created.push_back(kind);
            for (const std::uint64_t no : refused) {
                if (no == kind) {
                    return std::int64_t{0};
                }
            }
            return static_cast<std::int64_t>(kind * 0x100 + created.size());
        });
    }

    bool Import(const std::string& text) {
        const TempFile file("PCB FILE 4\n" + text);
        return ImportFile(state, file.Path());
    }

    /// (container, object) of every add.
    static std::vector<std::pair<std::uint64_t, std::uint64_t>> Adds() {
        std::vector<std::pair<std::uint64_t, std::uint64_t>> adds;
        for (const auto& call : recording::CallsTo("PcbApi_AddObjectToContainer")) {
            adds.emplace_back(call.Value(0), call.Value(1));
        }
        return adds;
    }

    ImportState state;
    ImportReport report;
    std::vector<std::uint64_t> created; // the kinds asked for, in order
    std::int32_t total = 0;             // the loading bar's steps
    bool hostTexts = false;             // a new component comes with its two texts
};

TEST_F(CompoundRecords, AContainerTheHostDoesNotMakeTakesNothing) {
    AnswerBoardAndObjects({9, 8});
    recording::SetHandler("PcbApi_Percent_Init", [this](const recording::Call& call) {
        total = static_cast<std::int32_t>(call.Value(1));
        return std::int64_t{0};
    });
    EXPECT_TRUE(Import(ComponentU1 + "NETDEF\nN\n(\nU1-1\nX-2\n)\n{\na\n}\nFT\n1 2 3 4 5 1\n"));
    // The component's texts and sub-records are read past, and the net's nodes find no pad (the
    // component is on no board): only the track after them is made and added.
    EXPECT_EQ(created, (std::vector<std::uint64_t>{9, 8, 4}));
    EXPECT_EQ(Adds(), (std::vector<std::pair<std::uint64_t, std::uint64_t>>{{BoardHandle, 0x403}}));
    for (const char* never :
         {"PcbApi_QueryPad", "PcbApi_QueryBoard", "PcbApi_QueryComponent", "PcbApi_QueryNet"}) {
        EXPECT_EQ(recording::CountOf(never), 0u) << never;
    }
    EXPECT_EQ(report.CountOf(ReportKind::NoHostObject), 2u);
    EXPECT_EQ(recording::CountOf("PcbApi_Percent_Update"), static_cast<std::size_t>(total) + 1)
        << "the steps as usual (the block's opening line takes one more)";
}

TEST_F(CompoundRecords, ANetTheHostDoesNotMakeStillNamesPlanesAndClearsPlaneCodes) {
    AnswerBoardAndObjects({8});
    testsupport::SearchHostForEveryNode(state, true);
    testing::ScriptedBoard host({{0x900, 1, 0x601, "U1", {{0x910, "1", {1}}}}});
    std::vector<std::pair<std::uint16_t, std::uint32_t>> padWrites; // Tag, Net
    recording::SetHandler("PcbApi_QueryPad", [&](const recording::Call& call) {
        if (call.Value(0) == ExchangeRead) {
            *call.Ptr<String20>(20) = String20("1");
            *call.Ptr<std::uint16_t>(3) = 1; // the code of internal plane 1
        } else {
            padWrites.emplace_back(*call.Ptr<std::uint16_t>(3), *call.Ptr<std::uint32_t>(5));
        }
        return std::int64_t{0};
    });
    ASSERT_TRUE(Import("NETDEF\nGND\n(\nU1-1\n)\n"));
    EXPECT_EQ(padWrites, (std::vector<std::pair<std::uint16_t, std::uint32_t>>{{0, 0}}))
        << "the code cleared, no net set";
    EXPECT_EQ(recording::CountOf("PcbApi_QueryBoard"), 2u) << "the plane named: read, write";
    EXPECT_TRUE(Adds().empty()) << "the pad joins no net, and no net joins the board";
}

TEST_F(CompoundRecords, ANewComponentWithoutTextsGetsTwoSentWithItsWrite) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> written; // NameText, CommentText
    recording::SetHandler("PcbApi_QueryComponent", [&](const recording::Call& call) {
        if (call.Value(0) == ExchangeWrite) {
            written.emplace_back(*call.Ptr<std::uint32_t>(6), *call.Ptr<std::uint32_t>(7));
        } else if (hostTexts) {
            *call.Ptr<std::uint32_t>(6) = 0x777;
            *call.Ptr<std::uint32_t>(7) = 0x778;
        }
        return std::int64_t{0};
    });
    std::vector<std::pair<std::uint64_t, std::string>> texts; // written texts
    recording::SetHandler("PcbApi_QueryText", [&](const recording::Call& call) {
        if (call.Value(0) == ExchangeWrite) {
            texts.emplace_back(call.Value(1), call.Ptr<String254>(14)->Str());
        }
        return std::int64_t{0};
    });
    ASSERT_TRUE(Import(ComponentU1));
    EXPECT_EQ(created, (std::vector<std::uint64_t>{9, 5, 5, 2, 4}));
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0], (std::pair<std::uint32_t, std::uint32_t>{0x502, 0x503}));
    EXPECT_EQ(texts,
              (std::vector<std::pair<std::uint64_t, std::string>>{{0x502, "U1"}, {0x503, "C"}}));
    for (const auto& [container, object] : Adds()) {
        EXPECT_NE(object, 0x502u) << "texts belong to the component through its handles only";
        EXPECT_NE(object, 0x503u);
    }

    // A host that gives the texts: none is made, the component keeps them.
    created.clear();
    written.clear();
    texts.clear();
    hostTexts = true;
    ASSERT_TRUE(Import(ComponentU1));
    EXPECT_EQ(created, (std::vector<std::uint64_t>{9, 2, 4}));
    EXPECT_EQ(written.at(0), (std::pair<std::uint32_t, std::uint32_t>{0x777, 0x778}));
    EXPECT_EQ(texts.size(), 2u);
}

// A component whose texts the host does not make: each is a report entry at its line, and the
// component and its primitives are still made.
TEST_F(CompoundRecords, ComponentTextsTheHostRefusesAreReported) {
    AnswerBoardAndObjects({5});
    ASSERT_TRUE(Import(ComponentU1 + "ENDPCB\n"));
    EXPECT_EQ(created, (std::vector<std::uint64_t>{9, 5, 5, 2, 4}));
    EXPECT_EQ(recording::CountOf("PcbApi_QueryText"), 0u);
    ASSERT_EQ(report.Groups().size(), 2u) << report.Groups().front().Detail;
    EXPECT_EQ(report.Groups()[0].Kind, ReportKind::NoHostObject);
    EXPECT_EQ(report.Groups()[0].FirstLines, std::vector<std::uint64_t>{3});
    EXPECT_NE(report.Groups()[0].Detail.find("no designator text"), std::string::npos);
    EXPECT_EQ(report.Groups()[1].FirstLines, std::vector<std::uint64_t>{5});
    EXPECT_NE(report.Groups()[1].Detail.find("no comment text"), std::string::npos);
}

TEST_F(CompoundRecords, EachImportReadsComponentsAfreshThoughTheHostReusesAHandle) {
    // The same component handle on two boards, with another designator on the second; the search
    // through the host's containers points the module's scratch component at it.
    testsupport::SearchHostForEveryNode(state, true);
    for (const char* designator : {"U1", "U2"}) {
        SCOPED_TRACE(designator);
        recording::Reset();
        created.clear();
        AnswerBoardAndObjects();
        const HostHandle nameText = designator[1] == '1' ? 0x601 : 0x602;
        testing::ScriptedBoard host({{0x900, 1, nameText, designator, {{0x910, "1", {1}}}}});
        ASSERT_TRUE(Import("NETDEF\nN\n(\n" + std::string(designator) + "-1\n)\n"));
        EXPECT_EQ(Adds(), (std::vector<std::pair<std::uint64_t, std::uint64_t>>{
                              {0x801, 0x910}, {BoardHandle, 0x801}}));
    }
}

TEST_F(CompoundRecords, AComponentsSideWalkNeedsAnIteratorFromTheHost) {
    std::vector<std::uint8_t> sides;
    recording::SetHandler("PcbApi_QueryComponent", [&](const recording::Call& call) {
        if (call.Value(0) == ExchangeWrite) {
            sides.push_back(*call.Ptr<std::uint8_t>(4));
        }
        return std::int64_t{0};
    });
    ASSERT_TRUE(Import(ComponentU1)); // its primitives are on the bottom side
    EXPECT_EQ(recording::CountOf("PcbApi_CreateIterator"), 1u);
    EXPECT_EQ(recording::CountOf("PcbApi_GetFirstObject"), 0u) << "iterator 0 is not walked";
    EXPECT_EQ(recording::CountOf("PcbApi_DestroyIterator"), 0u) << "nor destroyed";
    EXPECT_EQ(sides, std::vector<std::uint8_t>{1}) << "without primitives: the top side";
}

TEST_F(CompoundRecords, WalksStoppedAtTheirCapAreReported) {
    // A host whose iterators never end, listing one object over and over.
    recording::SetHandler("PcbApi_CreateIterator",
                          [](const recording::Call&) { return std::int64_t{0x77}; });
    for (const char* step : {"PcbApi_GetFirstObject", "PcbApi_GetNextObject"}) {
        recording::SetHandler(step, [](const recording::Call&) { return std::int64_t{0x66}; });
    }
    for (const char* many : {"PcbApi_GetNextObject", "PcbApi_GetObjectBitField2",
                             "PcbApi_GetObjectBitField3", "PcbApi_QueryPrimitive"}) {
        recording::Unrecorded(many);
    }
    ASSERT_TRUE(Import(ComponentU1 + "NETDEF\nN\n(\nU1-1\n)\n"));
    EXPECT_EQ(report.CountOf(ReportKind::WalkCapped), 2u) << "the side walk and the node's";
    EXPECT_EQ(report.CountOf(ReportKind::NodeNotFound), 1u);
    EXPECT_EQ(report.Groups().front().FirstLines, std::vector<std::uint64_t>{2});
}

} // namespace
} // namespace corvane
