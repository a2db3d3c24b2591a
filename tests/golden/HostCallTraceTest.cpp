// The guard of the contract with the host: every test board and the real boards are imported
// through the plug-in module into the substitute server, with the recording server between them,
// and the complete sequence of host calls (entry, arguments, the bytes behind each pointer, the
// result) must be the stored one. A short trace is stored whole (traces/LABEL.trace, one line a
// call); a long one as its SHA-256 with one hash per block of calls (traces/LABEL.hash), so that a
// difference can still be placed.
//
// CORVANE_UPDATE_TRACES=1 stores the traces of this run instead of comparing them (run the program
// itself, not through ctest, and review the difference in git).
//
// Each import runs in a child process of its own: the server numbers its handles for the life of
// the process, so a fresh process gives every board the same handles whatever ran before it.

#include "RecordingServer.h"
#include "Sha256.h"
#include "contract/CorvaneImporter.h"
#include "contract/HalvexHost.h"
#include "hostlink/HalvexApi.h"
#include "hostlink/PluginApi.h"
#include "modules/Module.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace golden {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t LongestStoredTrace = 400; // calls; longer traces are stored as hashes
constexpr std::size_t CallsPerBlock = 128;

// One import whose calls are traced.
struct Board {
    std::string Label; // where the board is, and the variant after "@"
    fs::path File;
    std::uint32_t HostRules = 0;
    bool OpenBoard = true;         // false: no board is open for the file
    bool HostMakesNothing = false; // the host answers 0 to every PcbApi_CreateObject
};

// Test names and failure messages show the board, not its bytes.
void PrintTo(const Board& board, std::ostream* out) {
    *out << board.Label;
}

std::vector<fs::path> FilesIn(const fs::path& folder, const std::string& extension = "") {
    std::vector<fs::path> files;
    if (!fs::is_directory(folder)) {
        return files;
    }
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() &&
            (extension.empty() || entry.path().extension() == extension)) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<Board> AllBoards() {
    const fs::path source = CORVANE_SOURCE_DIR;
    const std::pair<std::string, std::vector<fs::path>> groups[] = {
        {"examples", {source / "examples/demo.PCB"}},
        {"tools", FilesIn(source / "tests/tools/data", ".PCB")},
        {"kicad", FilesIn(source / "tests/kicad/data", ".PCB")},
        {"fuzz", FilesIn(source / "fuzz/corpus/import")},
        {"malformed", FilesIn(source / "tests/malformed/cases")},
        // The real boards are read in place; their tests skip when the folder is absent.
        {"corpus",
         {fs::path(CORVANE_CORPUS_DIR) / "PRJ.PCB", fs::path(CORVANE_CORPUS_DIR) / "PRJ12.PCB"}},
    };
    std::vector<Board> boards;
    for (const auto& [group, files] : groups) {
        for (const fs::path& file : files) {
            boards.push_back({group + "/" + file.filename().string(), file});
        }
    }
    // Roads the default host does not take: a host that lists containers newest first and meets
    // "MultiLayer" pads on every copper layer, no board open for the file, no object made.
    const fs::path netsBoard = source / "tests/tools/data/components-nets.PCB";
    boards.push_back({"tools/components-nets.PCB@newest-first,multilayer-pads-on-copper", netsBoard,
                      HALVEX_RULE_NEWEST_FIRST | HALVEX_RULE_MULTILAYER_PADS_ON_COPPER});
    boards.push_back({"tools/duplicates.PCB@newest-first,multilayer-pads-on-copper",
                      source / "tests/tools/data/duplicates.PCB",
                      HALVEX_RULE_NEWEST_FIRST | HALVEX_RULE_MULTILAYER_PADS_ON_COPPER});
    boards.push_back({"examples/demo.PCB@no-board-open", source / "examples/demo.PCB", 0, false});
    boards.push_back({"tools/components-nets.PCB@host-makes-nothing", netsBoard, 0, true, true});
    return boards;
}

using corvane::modules::Module;

// The forwarded-to server: the substitute server built as a module of another name.
const Module& ForwardedServer() {
    static const Module module = Module::Load(HALVEX_FORWARDED_PATH, Module::Visibility::Local);
    return module;
}

void* FindForwarded(const char* name) {
    return ForwardedServer().Symbol(name);
}

// Its host functions; the name of the first one missing is kept in Missing.
struct ForwardedHost {
    corvane::cli::HalvexApi Api;
    std::string Missing = corvane::cli::ResolveHalvexApi(ForwardedServer(), Api);
};

const ForwardedHost& ForwardedHostFunctions() {
    static const ForwardedHost host;
    return host;
}

// The plug-in module, loaded as a host loads it: after the server it binds.
struct LoadedPlugin {
    Module Loaded = Module::Load(CORVANE_PLUGIN_PATH, Module::Visibility::Local);
    corvane::cli::PluginApi Api;
    std::string Missing = corvane::cli::ResolvePluginApi(Loaded, Api);
};

const LoadedPlugin& Plugin() {
    static const LoadedPlugin plugin;
    return plugin;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    for (const std::uint8_t byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0xF];
    }
    return hex;
}

// One line a call: the entry, each argument (a value in decimal; behind a pointer "&" and its
// bytes in hexadecimal, "null" for none) and "= result".
std::string TraceText(const std::vector<recording::Call>& calls) {
    std::string text;
    for (const recording::Call& call : calls) {
        text += call.Name;
        for (const recording::Arg& arg : call.Args) {
            text += ' ';
            if (!arg.IsPointer) {
                text += arg.IsSigned ? std::to_string(static_cast<std::int64_t>(arg.Value))
                                     : std::to_string(arg.Value);
            } else if (arg.Value == 0) {
                text += "null";
            } else {
                text += '&' + Hex(arg.Bytes);
            }
        }
        if (call.HasResult) {
            text += " = " + std::to_string(call.Result);
        }
        text += '\n';
    }
    return text;
}

// Imports the board in a child process; the trace of its host calls.
std::string TraceOfImport(const Board& board) {
    int channel[2];
    if (pipe(channel) != 0) {
        return "no pipe\n";
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        // A name without folders, so that the trace holds no path of this machine.
        const bool moved = chdir(board.File.parent_path().c_str()) == 0;
        const std::string name = board.File.filename().string();
        const corvane::cli::HalvexApi& host = ForwardedHostFunctions().Api;
        host.SetHostRules(board.HostRules);
        if (board.OpenBoard) {
            host.OpenBoard(name.c_str());
        }
        recording::Reset();
        recording::KeepPointeeBytes(true);
        recording::ForwardTo(&FindForwarded);
        if (board.HostMakesNothing) {
            recording::SetHandler("PcbApi_CreateObject", [](const recording::Call&) { return 0; });
        }
        const corvane::ExportString fileName(name);
        const corvane::ExportString reserved("");
        const std::uint8_t answer =
            moved ? Plugin().Api.ImportFileIntoPcb(fileName.Data(), reserved.Data()) : 2;
        const std::string text =
            TraceText(recording::Calls()) + "answer " + std::to_string(answer) + "\n";
        for (std::size_t written = 0; written < text.size();) {
            const ssize_t n = write(channel[1], text.data() + written, text.size() - written);
            if (n <= 0) {
                _exit(1);
            }
            written += static_cast<std::size_t>(n);
        }
        _exit(0);
    }
    close(channel[1]);
    std::string text;
    char buffer[65536];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof(buffer))) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        text += "the import's process ended with status " + std::to_string(status) + "\n";
    }
    return text;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Line "lines N sha256 H", then the first 16 digits of the hash of each block of lines.
std::string HashText(const std::vector<std::string>& lines, const std::string& text) {
    std::string stored =
        "lines " + std::to_string(lines.size()) + " sha256 " + Sha256Hex(text) + "\n";
    for (std::size_t first = 0; first < lines.size(); first += CallsPerBlock) {
        std::string block;
        for (std::size_t i = first; i < std::min(lines.size(), first + CallsPerBlock); ++i) {
            block += lines[i] + '\n';
        }
        stored += Sha256Hex(block).substr(0, 16) + '\n';
    }
    return stored;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Where the first difference lies, as a message naming the call.
std::string FirstDifference(const std::vector<std::string>& stored,
                            const std::vector<std::string>& now) {
    for (std::size_t i = 0; i < std::max(stored.size(), now.size()); ++i) {
        const std::string was = i < stored.size() ? stored[i] : "(no call)";
        const std::string is = i < now.size() ? now[i] : "(no call)";
        if (was != is) {
            return "first difference at call " + std::to_string(i + 1) + "\n  stored: " + was +
                   "\n  now:    " + is;
        }
    }
    return "no difference";
}

// Of a trace stored as hashes, the block of calls where the first difference lies, and the first
// call of that block in this run.
std::string FirstDifferentBlock(const std::vector<std::string>& stored,
                                const std::vector<std::string>& now,
                                const std::vector<std::string>& calls) {
    for (std::size_t block = 1; block < std::max(stored.size(), now.size()); ++block) {
        const std::string was = block < stored.size() ? stored[block] : "(none)";
        const std::string is = block < now.size() ? now[block] : "(none)";
        if (was != is) {
            const std::size_t first = (block - 1) * CallsPerBlock;
            return "first difference in calls " + std::to_string(first + 1) + " to " +
                   std::to_string(first + CallsPerBlock) + ", which now begin with\n  " +
                   (first < calls.size() ? calls[first] : std::string("(no call)"));
        }
    }
    return "stored: " + (stored.empty() ? std::string("(nothing)") : stored[0]) +
           "\n  now:    " + (now.empty() ? std::string() : now[0]);
}

class HostCallTrace : public ::testing::TestWithParam<Board> {};

TEST_P(HostCallTrace, IsTheStoredOne) {
    const Board& board = GetParam();
    if (!fs::exists(board.File)) {
        GTEST_SKIP() << board.File << " is absent";
    }
    ASSERT_TRUE(ForwardedServer().Opened()) << ForwardedServer().Error();
    ASSERT_EQ(ForwardedHostFunctions().Missing, "");
    ASSERT_TRUE(Plugin().Loaded.Opened()) << Plugin().Loaded.Error();
    ASSERT_EQ(Plugin().Missing, "");

    const std::string text = TraceOfImport(board);
    const std::vector<std::string> lines = Lines(text);
    const fs::path stored = fs::path(CORVANE_TRACES_DIR) / board.Label;
    const fs::path whole = stored.string() + ".trace";
    const fs::path hashed = stored.string() + ".hash";
    if (const char* update = std::getenv("CORVANE_UPDATE_TRACES"); update && *update == '1') {
        fs::remove(whole);
        fs::remove(hashed);
        if (lines.size() <= LongestStoredTrace) {
            WriteFile(whole, text);
        } else {
            WriteFile(hashed, HashText(lines, text));
        }
        return;
    }
    const fs::path now = fs::path(CORVANE_TRACES_NOW_DIR) / (board.Label + ".trace");
    if (fs::exists(whole)) {
        if (ReadFile(whole) != text) {
            WriteFile(now, text);
            ADD_FAILURE() << board.Label << ": " << FirstDifference(Lines(ReadFile(whole)), lines)
                          << "\nthe whole trace of this run: " << now;
        }
        return;
    }
    ASSERT_TRUE(fs::exists(hashed))
        << "no stored trace for " << board.Label << " (CORVANE_UPDATE_TRACES=1 stores it)";
    const std::string storedHashes = ReadFile(hashed);
    const std::string hashesNow = HashText(lines, text);
    if (storedHashes != hashesNow) {
        WriteFile(now, text);
        ADD_FAILURE() << board.Label << ": "
                      << FirstDifferentBlock(Lines(storedHashes), Lines(hashesNow), lines)
                      << "\nthe whole trace of this run: " << now;
    }
}

std::string TestName(const ::testing::TestParamInfo<Board>& info) {
    std::string name = info.param.Label;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Boards, HostCallTrace, ::testing::ValuesIn(AllBoards()), TestName);

} // namespace
} // namespace golden
