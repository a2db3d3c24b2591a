// The malformed-input corpus: every case of expected.txt is imported as a file through the
// plug-in's exports into a fresh board of the substitute server (both linked into the test, and
// reached as the fuzz targets reach them: fuzz/LinkedHost.h), and must give the answer and
// leave the objects the table gives it (and, where the table bounds it, grow the process's memory
// by no more than it says). Crashes, hangs and undefined behaviour show up as failures of their
// own, more so in the sanitizer build.

#include "BoardCounts.h"
#include "GeneratedCases.h"
#include "LinkedHost.h"
#include "OutcomeTable.h"
#include "ResidentMemory.h"
#include "contract/HalvexHost.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <string>

namespace malformedtest {
namespace {

namespace fs = std::filesystem;

fs::path CorpusFolder() {
    const char* folder = std::getenv("CORVANE_MALFORMED_DIR");
    return folder != nullptr && *folder != '\0' ? fs::path(folder)
                                                : fs::path(CORVANE_MALFORMED_DIR);
}

fs::path CasesFolder() {
    return CorpusFolder() / "cases";
}

const OutcomeTable& Table() {
    static const OutcomeTable table = LoadOutcomeTable(CorpusFolder() / "expected.txt");
    return table;
}

bool IsGenerated(const std::string& name) {
    return name.starts_with(GeneratedPrefix);
}

std::string GeneratedName(const std::string& name) {
    return name.substr(GeneratedPrefix.size());
}

// The plug-in starts once for the program, as when the host loads it (and stops as it ends).
class PluginLoaded : public ::testing::Environment {
public:
    void SetUp() override { (void)corvanefuzz::Modules(); }
};

[[maybe_unused]] ::testing::Environment* const pluginLoaded =
    ::testing::AddGlobalTestEnvironment(new PluginLoaded);

// A test name from a case name: letters and digits kept, everything else an underscore.
std::string TestName(const ::testing::TestParamInfo<ExpectedOutcome>& info) {
    std::string name = info.param.Case;
    for (char& c : name) {
        const bool keep =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        c = keep ? c : '_';
    }
    return name;
}

double Megabytes(std::uint64_t bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

class MalformedInput : public ::testing::TestWithParam<ExpectedOutcome> {
protected:
    void SetUp() override {
        corvanefuzz::Server().CloseAllBoards();
        static std::mt19937_64 random{std::random_device{}()};
        file_ = fs::temp_directory_path() /
                ("corvane-malformed-" + std::to_string(random() % 1'000'000'000) + ".PCB");
    }
    void TearDown() override {
        corvanefuzz::Server().CloseAllBoards();
        std::error_code ignored;
        fs::remove(file_, ignored);
    }

    // The case's bytes in the test's file: a copy of the corpus file, or made now.
    bool PrepareInput(const std::string& name) const {
        if (IsGenerated(name)) {
            return WriteGeneratedCase(GeneratedName(name), file_);
        }
        std::error_code error;
        return fs::copy_file(CasesFolder() / name, file_, fs::copy_options::overwrite_existing,
                             error);
    }

    fs::path file_;
};

TEST_P(MalformedInput, GivesItsDocumentedOutcome) {
    const ExpectedOutcome& expected = GetParam();
    SCOPED_TRACE("expected.txt line " + std::to_string(expected.TableLine));
    ASSERT_TRUE(PrepareInput(expected.Case)) << expected.Case;
    const std::string fileName = file_.string();
    const std::uint32_t board = corvanefuzz::Server().OpenBoard(fileName.c_str());
    ASSERT_NE(board, 0u);

    const std::uint64_t residentBefore = CurrentResidentBytes();
    const auto start = std::chrono::steady_clock::now();
    const bool result = corvanefuzz::CallImport(fileName);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    const std::uint64_t residentPeak = PeakResidentBytes();

    EXPECT_EQ(result, expected.Result);
    EXPECT_EQ(Describe(CountBoard(board)), Describe(expected.Counts));

    if (expected.MaxGrowthMegabytes) {
        const std::uint64_t growth =
            residentPeak > residentBefore ? residentPeak - residentBefore : 0;
        std::printf("%s: %.1f MB imported in %.1f s; resident memory grew by %.1f MB\n",
                    expected.Case.c_str(), Megabytes(fs::file_size(file_)), took.count(),
                    Megabytes(growth));
        if (ResidentSizesMeaningful() && residentBefore != 0 && residentPeak != 0) {
            EXPECT_LE(growth, *expected.MaxGrowthMegabytes * 1024 * 1024)
                << "the import held more than a record at a time";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, MalformedInput, ::testing::ValuesIn(Table().Outcomes), TestName);

TEST(MalformedCorpusTable, EveryLineReads) {
    EXPECT_TRUE(Table().Errors.empty()) << ::testing::PrintToString(Table().Errors);
    EXPECT_FALSE(Table().Outcomes.empty());
}

TEST(MalformedCorpusTable, EveryCaseHasOneOutcomeAndEveryOutcomeACase) {
    std::set<std::string> cases;
    for (const auto& entry : fs::directory_iterator(CasesFolder())) {
        if (entry.is_regular_file()) {
            cases.insert(entry.path().filename().string());
        }
    }
    for (const std::string& name : GeneratedCaseNames()) {
        cases.insert(std::string(GeneratedPrefix) + name);
    }
    std::set<std::string> listed;
    for (const ExpectedOutcome& outcome : Table().Outcomes) {
        EXPECT_TRUE(listed.insert(outcome.Case).second) << "listed twice: " << outcome.Case;
        EXPECT_EQ(cases.count(outcome.Case), 1u) << "no such case: " << outcome.Case;
    }
    for (const std::string& name : cases) {
        EXPECT_EQ(listed.count(name), 1u) << "no outcome for " << name;
    }
}

} // namespace
} // namespace malformedtest
