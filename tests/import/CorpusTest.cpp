// Real boards from the wild, imported whole: the counts per kind must match what the files hold.

#include "ImportFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace importtest {
namespace {

struct CorpusBoard {
    const char* File;
    int Components;
    int FreeTracks;
    int FreeVias;
    int FreePads;
    int FreeArcs;
    int FreeStrings;
    int ComponentPads;
};

class Corpus : public ImportOnServer, public ::testing::WithParamInterface<CorpusBoard> {
protected:
    static std::string ReadFile(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

TEST_P(Corpus, ImportsEveryObjectOfTheBoard) {
    const std::filesystem::path path = std::filesystem::path(CORVANE_CORPUS_DIR) / GetParam().File;
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "corpus not present at " << path;
    }
    ASSERT_TRUE(Import(ReadFile(path)));
    const CorpusBoard& expected = GetParam();
    EXPECT_EQ(OnBoard(HALVEX_KIND_COMPONENT).size(), static_cast<std::size_t>(expected.Components));
    EXPECT_EQ(OnBoard(HALVEX_KIND_TRACK).size(), static_cast<std::size_t>(expected.FreeTracks));
    EXPECT_EQ(OnBoard(HALVEX_KIND_VIA).size(), static_cast<std::size_t>(expected.FreeVias));
    EXPECT_EQ(OnBoard(HALVEX_KIND_PAD).size(), static_cast<std::size_t>(expected.FreePads));
    EXPECT_EQ(OnBoard(HALVEX_KIND_ARC).size(), static_cast<std::size_t>(expected.FreeArcs));
    EXPECT_EQ(OnBoard(HALVEX_KIND_TEXT).size(), static_cast<std::size_t>(expected.FreeStrings));
    std::size_t componentPads = 0;
    for (const Info& component : OnBoard(HALVEX_KIND_COMPONENT)) {
        EXPECT_NE(component.Name[0], '\0') << "every component has a designator";
        for (const Info& child : Members(component.Handle)) {
            componentPads += child.Kind == HALVEX_KIND_PAD ? 1 : 0;
        }
    }
    EXPECT_EQ(componentPads, static_cast<std::size_t>(expected.ComponentPads));
    // Nothing in a real board is malformed enough to be passed over, but its closing lines.
    EXPECT_EQ(report.CountOf(corvane::ReportKind::MalformedNumber), 0u);
    EXPECT_EQ(report.CountOf(corvane::ReportKind::LayerOutOfRange), 0u);
}

INSTANTIATE_TEST_SUITE_P(RealBoards, Corpus,
                         ::testing::Values(CorpusBoard{"PRJ.PCB", 9, 73, 0, 0, 0, 0, 210},
                                           CorpusBoard{"PRJ12.PCB", 52, 632, 29, 16, 3, 2, 406}),
                         [](const auto& param) {
                             std::string name = param.param.File;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
} // namespace importtest
