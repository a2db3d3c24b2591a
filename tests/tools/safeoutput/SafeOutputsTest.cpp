// The outputs in process, natively and under wine: outputs that are an input or one another are
// refused, an earlier file is replaced only by a complete one, nothing is left behind, and the
// outputs of several files are planned before anything runs.

#include "safeoutput/SafeOutputs.h"
#include "TestFiles.h"
#include "corvane-import/OutputPlan.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace corvane::cli {
namespace {

using clitest::ReadFile;
using clitest::TempFolder;
using clitest::WriteFile;
namespace fs = std::filesystem;

struct RefusalCase {
    const char* Name;
    std::vector<OutputRequest> Outputs; // paths relative to the test's folder, "-" as it is
    bool Refused;
};

TEST(SameFileRefusal, AnOutputThatIsAnInputOrAnotherOutputIsRefused) {
    TempFolder folder;
    WriteFile(folder / "board.PCB", "PCB FILE 4\r\n");
    WriteFile(folder / "earlier.json", "EARLIER");
    fs::create_hard_link(folder / "board.PCB", folder / "hard.PCB");
    fs::create_hard_link(folder / "earlier.json", folder / "earlier-too.json");
    std::error_code noLinks;
    fs::create_symlink(folder / "board.PCB", folder / "link.PCB", noLinks);
    const std::vector<FileIdentity> inputs = {*IdentifyFile(folder / "board.PCB")};

    std::vector<RefusalCase> cases = {
        {"the input", {{"--json", "board.PCB"}}, true},
        {"a hard link of the input", {{"--report-file", "hard.PCB"}}, true},
        {"two outputs, one new name", {{"--json", "x.json"}, {"--svg", "x.json"}}, true},
        {"one name spelt two ways", {{"--json", "x.json"}, {"--svg", "./x.json"}}, true},
        {"two names of one file",
         {{"--json", "earlier.json"}, {"--svg", "earlier-too.json"}},
         true},
        {"two outputs to standard output", {{"--json", "-"}, {"--svg", "-"}}, true},
        {"distinct files", {{"--json", "earlier.json"}, {"--svg", "new.svg"}}, false},
        {"one output to standard output", {{"--json", "-"}, {"--svg", "new.svg"}}, false},
    };
    if (!noLinks) {
        cases.push_back({"a link to the input", {{"--svg", "link.PCB"}}, true});
    }
    if (NamesIgnoreCase()) {
        cases.push_back(
            {"one name in two cases", {{"--json", "x.json"}, {"--svg", "X.JSON"}}, true});
    }
    for (RefusalCase& c : cases) {
        for (OutputRequest& output : c.Outputs) {
            output.Path = output.Path == "-" ? output.Path : folder / output.Path;
        }
        const auto problem = FindSameFileProblem(c.Outputs, inputs, false);
        EXPECT_EQ(problem.has_value(), c.Refused) << c.Name;
        if (problem) {
            EXPECT_TRUE(problem->Refused) << c.Name;
            EXPECT_EQ(problem->Message.find('\n'), std::string::npos) << c.Name;
        }
    }
    EXPECT_EQ(ReadFile(folder / "board.PCB"), "PCB FILE 4\r\n");
}

TEST(NamesOfStandardOutput, AreTakenAsTheDash) {
    for (const char* name : {"-", "/dev/stdout", "/dev/fd/1", "/proc/self/fd/1"}) {
        EXPECT_TRUE(NamesStandardOutput(name)) << name;
    }
    EXPECT_FALSE(NamesStandardOutput("stdout"));
}

// How an output ends: committed after a complete write, after a failed write, or never.
enum class Ending { Complete, WriteFailed, Abandoned };

TEST(SafeOutputs, AnEarlierFileIsReplacedOnlyByACompleteOneAndNothingIsLeftBehind) {
    for (const Ending ending : {Ending::Complete, Ending::WriteFailed, Ending::Abandoned}) {
        TempFolder folder;
        const std::string path = folder / "out.json";
        WriteFile(path, "EARLIER");
#if !defined(_WIN32)
        fs::permissions(path,
                        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
        std::vector<std::string> failures;
        {
            SafeOutputs outputs({});
            OutputStream& out = outputs.Add("--json", path);
            ASSERT_FALSE(outputs.Prepare(false).has_value());
            // A large document, so that it reaches the temporary file before the end.
            out.Write(std::string(3 * 1024 * 1024, 'x'));
            EXPECT_EQ(ReadFile(path), "EARLIER");
            EXPECT_EQ(folder.Names().size(), 2u) << "the temporary file beside the output";
            if (ending == Ending::WriteFailed) {
                out.Fail("No space left on device");
            }
            if (ending != Ending::Abandoned) {
                failures = outputs.Commit();
            }
        }
        const bool replaced = ending == Ending::Complete;
        EXPECT_EQ(ReadFile(path).size(), replaced ? 3u * 1024 * 1024 : 7u);
        EXPECT_EQ(failures.size(), ending == Ending::WriteFailed ? 1u : 0u);
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.json"});
#if !defined(_WIN32)
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read)
            << "the replacement keeps the earlier file's permissions";
#endif
    }
}

TEST(SafeOutputs, AnOutputThatCannotBeMadeFailsBeforeTheImport) {
    TempFolder folder;
    fs::create_directories(folder / "a-folder");
    for (const std::string& path : {folder / "no/such/folder/out.json", folder / "a-folder"}) {
        SafeOutputs outputs({});
        outputs.Add("--json", path);
        const auto problem = outputs.Prepare(false);
        ASSERT_TRUE(problem.has_value()) << path;
        EXPECT_FALSE(problem->Refused);
        EXPECT_EQ(problem->Message.rfind("cannot write " + path + ": ", 0), 0u) << problem->Message;
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"a-folder"});
}

TEST(SpillBuffers, GiveBackWhatWasPutAsideInOrderFromMemoryOrAScratchFile) {
    TempFolder folder;
    for (const std::size_t size : {std::size_t{10}, SpillBuffer::MemoryLimit * 3 + 17}) {
        StringOutputStream document(folder / ".");
        std::string expected;
        {
            SpillBuffer spill(document);
            for (std::size_t i = 0; expected.size() < size; ++i) {
                const std::string piece = std::to_string(i) + ",";
                spill.Append(piece);
                expected += piece;
            }
            document.Write("<");
            spill.MoveIntoDocument();
            document.Write(">");
        }
        EXPECT_EQ(document.Text(), "<" + expected + ">");
        EXPECT_FALSE(document.Failed()) << document.Error();
        EXPECT_TRUE(folder.Names().empty()) << "scratch files have no name";
    }
}

struct PlanCase {
    const char* Name;
    std::vector<std::string> Files;
    std::optional<std::string> Json, Svg, OutDir;
    std::string Report;
    // The outputs planned for each file ("json svg report", "-" for none), or the error's start.
    std::vector<std::string> Planned;
    const char* Error;
};

TEST(OutputPlans, NameEachFilesOutputsOrRefuseTwoOfOneName) {
    const std::string out = (fs::path("out") / "").string();
    const std::vector<PlanCase> cases = {
        {"paths of one file", {"a/b.PCB"}, "x.json", "y.svg", {}, "", {"x.json y.svg -"}, ""},
        {"a folder without formats",
         {"a/b.PCB", "c.pcb"},
         {},
         {},
         "out",
         "text",
         {out + "b.json " + out + "b.svg " + out + "b.report.text",
          out + "c.json " + out + "c.svg " + out + "c.report.text"},
         ""},
        {"formats",
         {"b.PCB", "-"},
         "{name}-board.json",
         {},
         "out",
         "",
         {out + "b-board.json - -", out + "stdin-board.json - -"},
         ""},
        {"one name for two files",
         {"b.PCB", "c.PCB"},
         "x.json",
         {},
         "out",
         "",
         {},
         "b.PCB and c.PCB would both write"},
        {"one base name in two folders",
         {"a/b.PCB", "c/b.PCB"},
         {},
         {},
         "out",
         "",
         {},
         "a/b.PCB and c/b.PCB would both write"},
        {"two outputs of one name",
         {"b.PCB"},
         "{name}",
         "{name}",
         "out",
         "",
         {},
         "--json and --svg would both write"},
        {"standard output for two files",
         {"b.PCB", "c.PCB"},
         "-",
         {},
         "out",
         "",
         {},
         "standard output ('-') can take the outputs of one FILE only"},
    };
    for (const PlanCase& c : cases) {
        Options options;
        options.InputFiles = c.Files;
        if (c.Json) {
            options.Documents["--json"] = *c.Json;
        }
        if (c.Svg) {
            options.Documents["--svg"] = *c.Svg;
        }
        options.OutDir = c.OutDir;
        options.ReportFormat = c.Report;
        options.ReportPath = "";
        const OutputPlan plan = PlanOutputs(options);
        if (*c.Error != '\0') {
            EXPECT_EQ(plan.Error.rfind(c.Error, 0), 0u) << c.Name << ": " << plan.Error;
            continue;
        }
        ASSERT_EQ(plan.Error, "") << c.Name;
        std::vector<std::string> planned;
        for (const FileOutputs& file : plan.Files) {
            std::string json = "-";
            std::string svg = "-";
            for (const PlannedDocument& document : file.Documents) {
                (document.Kind->Option == "--json" ? json : svg) = document.Path;
            }
            planned.push_back(json + " " + svg + " " + file.Report.value_or("-"));
        }
        EXPECT_EQ(planned, c.Planned) << c.Name;
    }
}

} // namespace
} // namespace corvane::cli
