// A Windows host for the plug-in, built like the PCB editor loads it: it loads the server module
// "Halvex.dll" (the recording test server) first, then the plug-in DLL, looks the editor's three
// exports (and the import report's) up by their plain names and calls them with short strings.
// Like the editor's executable it exports the host client entries that the plug-in binds when it
// starts. Run under wine by CTest:
//
//   plugin_host SERVER.dll PLUGIN.dll [GoogleTest options]

#include "TempFile.h"
#include "TestDesktop.h"
#include "contract/CorvaneImporter.h"
#include "contract/HostClient.h"
#include "hostlink/PluginApi.h"
#include "modules/Module.h"

#include <gtest/gtest.h>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------------------------
// The host client: the executable's own entries, looked up by the plug-in in the process's module.

namespace host {

struct ClientCounters {
    int ExistCalls = 0;
    int InterfacesHandedOut = 0;
    int Releases = 0;
};
ClientCounters counters;

class OptionsReader final : public corvane::IHostOptionsReader {
public:
    std::int32_t PCBAPI_CALL ReadInteger(const char*, const char*, std::int32_t defaultValue,
                                         std::int32_t* value) override {
        if (value != nullptr) {
            *value = defaultValue;
        }
        return 0;
    }
    void PCBAPI_CALL Release() override {}
};

class OptionsManager final : public corvane::IHostOptionsManager {
public:
    std::int32_t PCBAPI_CALL GetOptionsReader(const char*, const char*,
                                              corvane::IHostOptionsReader** reader) override {
        static OptionsReader theReader;
        *reader = &theReader;
        return 0;
    }
    void PCBAPI_CALL Release() override {}
};

class Client final : public corvane::IHostClient {
public:
    std::int32_t PCBAPI_CALL GetOptionsManager(corvane::IHostOptionsManager** manager) override {
        static OptionsManager theManager;
        *manager = &theManager;
        return 0;
    }
    void PCBAPI_CALL Release() override { ++counters.Releases; }
};

Client theClient;

} // namespace host

extern "C" PCBAPI_EXPORT corvane::Bool8 PCBAPI_CALL ClientAPI_ExistSpecific(const char* fileName) {
    ++host::counters.ExistCalls;
    if (fileName == nullptr) {
        return 0;
    }
    const DWORD attributes = GetFileAttributesA(fileName);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

extern "C" PCBAPI_EXPORT void PCBAPI_CALL
ClientAPI_GetClientInterface(corvane::IHostClient** client) {
    ++host::counters.InterfacesHandedOut;
    if (client != nullptr) {
        *client = &host::theClient;
    }
}

// ---------------------------------------------------------------------------------------------
// Calling convention probe.

// Calls the function with the arguments pushed right to left, as any caller on 32-bit x86 does,
// and answers how many bytes of them the callee removed from the stack: all of them for the
// standard Windows calling convention (stdcall), none for the C convention.
extern "C" std::uint32_t CalleeRemovedBytes(const void* function, std::uint32_t argumentCount,
                                            const std::uint32_t* arguments);
asm(R"(
    .text
    .globl _CalleeRemovedBytes
    .def _CalleeRemovedBytes; .scl 2; .type 32; .endef
_CalleeRemovedBytes:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl 12(%ebp), %ecx
    movl 16(%ebp), %esi
1:  testl %ecx, %ecx
    jz 2f
    decl %ecx
    pushl (%esi,%ecx,4)
    jmp 1b
2:  movl %esp, %ebx
    call *8(%ebp)
    movl %esp, %eax
    subl %ebx, %eax
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

// ---------------------------------------------------------------------------------------------
// The loaded modules.

namespace {

using CallCount_fn = std::uint32_t (*)();
using ResetAnswering_fn = void (*)(std::int64_t);
using corvane::modules::Module;

struct LoadedModules {
    std::string ServerPath;
    std::string PluginPath;
    Module Server;
    Module Plugin;
    CallCount_fn ServerCallCount = nullptr;
    ResetAnswering_fn ResetServer = nullptr;
    corvane::cli::PluginApi Exports;
};
LoadedModules modules;

HMODULE Native(const Module& module) {
    return static_cast<HMODULE>(const_cast<void*>(module.Handle()));
}

// A path CMake gave: under wine a Unix path, which wine turns into its DOS name.
std::string WindowsPath(const std::string& path) {
    using ToDosName = WCHAR*(__cdecl*)(const char*);
    const auto toDos = reinterpret_cast<ToDosName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos != nullptr && !path.empty() && path[0] == '/') {
        if (WCHAR* dos = toDos(path.c_str())) {
            std::string converted;
            for (const WCHAR* c = dos; *c != 0; ++c) {
                converted += static_cast<char>(*c); // the build tree's paths are ASCII
            }
            HeapFree(GetProcessHeap(), 0, dos);
            return converted;
        }
    }
    return path;
}

class PluginHostEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        // The server first: the plug-in binds it when it starts, among the loaded modules.
        modules.Server = Module::Load(WindowsPath(modules.ServerPath), Module::Visibility::Global);
        ASSERT_TRUE(modules.Server.Opened())
            << modules.ServerPath << ": " << modules.Server.Error();
        ASSERT_TRUE(modules.Server.Resolve("Recording_CallCount", modules.ServerCallCount));
        ASSERT_TRUE(modules.Server.Resolve("Recording_ResetAnswering", modules.ResetServer));

        modules.Plugin = Module::Load(WindowsPath(modules.PluginPath), Module::Visibility::Local);
        ASSERT_TRUE(modules.Plugin.Opened())
            << modules.PluginPath << ": " << modules.Plugin.Error();
        ASSERT_EQ(corvane::cli::ResolvePluginApi(modules.Plugin, modules.Exports), "");
        ASSERT_NE(modules.Exports.GetImportReport, nullptr);
    }

    void TearDown() override {
        if (modules.Plugin.Opened()) {
            const int releasesBefore = host::counters.Releases;
            modules.Plugin.Close();
            // Shutdown releases the client interface obtained at start-up, once.
            EXPECT_EQ(host::counters.Releases - releasesBefore, 1);
        }
        modules.Server.Close();
    }
};

bool Recognised(const std::string& fileName) {
    return modules.Exports.RecognisedPCBFile(corvane::ExportString(fileName).Data()) != 0;
}

std::uint8_t Import(const std::string& fileName, const std::string& reserved = "") {
    return modules.Exports.ImportFileIntoPcb(corvane::ExportString(fileName).Data(),
                                             corvane::ExportString(reserved).Data());
}

constexpr std::int64_t Answer = 7001; // every server entry answers this (board, object handles)

// ---------------------------------------------------------------------------------------------

TEST(PluginModule, ServerIsLoadedUnderTheNameThePluginLooksFor) {
    EXPECT_EQ(GetModuleHandleA("Halvex.dll"), Native(modules.Server));
}

TEST(PluginModule, ExportsCarryTheirPlainNamesOnly) {
#define CORVANE_TEST_EXPORT(name, required)                                                        \
    EXPECT_NE(modules.Plugin.Symbol(#name), nullptr) << #name;
    CORVANE_IMPORTER_EXPORTS(CORVANE_TEST_EXPORT)
#undef CORVANE_TEST_EXPORT
    for (const char* name :
         {"RecognisedPCBFile@4", "_RecognisedPCBFile@4", "_RecognisedPCBFile",
          "GetPcbImporterDescription@0", "ImportFileIntoPcb@8", "GetImportReport@4"}) {
        EXPECT_EQ(modules.Plugin.Symbol(name), nullptr) << name;
    }
}

TEST(PluginModule, ExportsRemoveTheirOwnArguments) {
    const corvane::ExportString empty("");
    const std::uint32_t address =
        static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(empty.Data()));
    const std::uint32_t oneString[] = {address};
    const std::uint32_t twoStrings[] = {address, address};

    const corvane::cli::PluginApi& exports = modules.Exports;
    EXPECT_EQ(
        CalleeRemovedBytes(reinterpret_cast<const void*>(exports.RecognisedPCBFile), 1, oneString),
        4u);
    EXPECT_EQ(CalleeRemovedBytes(reinterpret_cast<const void*>(exports.GetPcbImporterDescription),
                                 0, nullptr),
              0u);
    EXPECT_EQ(
        CalleeRemovedBytes(reinterpret_cast<const void*>(exports.ImportFileIntoPcb), 2, twoStrings),
        8u);
    // A byte argument takes a 32-bit stack slot of its own.
    const std::uint32_t format[] = {CorvaneReportCounts};
    EXPECT_EQ(CalleeRemovedBytes(reinterpret_cast<const void*>(exports.GetImportReport), 1, format),
              4u);
}

TEST(PluginModule, DescriptionIsTheFileFilterText) {
    const char* description = modules.Exports.GetPcbImporterDescription();
    ASSERT_NE(description, nullptr);
    EXPECT_STREQ(description, "Corvane Files (*.PCB)");
    EXPECT_EQ(modules.Exports.GetPcbImporterDescription(),
              description); // the same constant, call after call
}

TEST(PluginModule, DescriptionResourceHoldsTheFilterAsUtf16) {
    const HRSRC found =
        FindResourceA(Native(modules.Plugin), "DESCRIPTION", MAKEINTRESOURCEA(10)); // RCDATA
    ASSERT_NE(found, nullptr);
    const HGLOBAL loaded = LoadResource(Native(modules.Plugin), found);
    ASSERT_NE(loaded, nullptr);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    const std::u16string expected = u"||Corvane Files (*.PCB)|||";

    ASSERT_EQ(SizeofResource(Native(modules.Plugin), found), (expected.size() + 1) * 2);
    std::u16string text;
    for (std::size_t i = 0; i + 1 < (expected.size() + 1) * 2; i += 2) {
        text.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8))); // little-endian
    }
    EXPECT_EQ(text, expected + u'\0');
}

TEST(PluginModule, StartUpObtainedTheHostClientInterfaceOnce) {
    modules.Exports
        .GetPcbImporterDescription(); // the module has started by the time an export answers
    EXPECT_EQ(host::counters.InterfacesHandedOut, 1);
    EXPECT_EQ(host::counters.Releases, 0);
}

TEST(PluginImport, RecognisesAHeaderOnlyFileTheHostSaysExists) {
    const testsupport::TempFile file("PCB FILE 5\r\n");
    const int existCalls = host::counters.ExistCalls;

    EXPECT_TRUE(Recognised(file.Path()));
    EXPECT_EQ(host::counters.ExistCalls, existCalls + 1);
}

TEST(PluginImport, DoesNotRecogniseOtherOrMissingFiles) {
    const testsupport::TempFile other("HELLO\r\nPCB FILE 4\r\n");
    EXPECT_FALSE(Recognised(other.Path()));
    EXPECT_FALSE(Recognised(other.Path() + ".missing"));
    EXPECT_FALSE(Recognised(""));
}

TEST(PluginImport, ImportsAHeaderOnlyFileThroughTheServer) {
    const testsupport::TempFile file("PCB FILE 4\r\n");
    modules.ResetServer(Answer);

    EXPECT_EQ(Import(file.Path(), "reserved"), 1);
    EXPECT_GT(modules.ServerCallCount(), 0u); // the plug-in found the server and called it
}

TEST(PluginImport, UnrecognisedFileIsNotImportedAndTheServerIsNotCalled) {
    const testsupport::TempFile file("HELLO\r\n");
    modules.ResetServer(Answer);

    EXPECT_EQ(Import(file.Path()), 0);
    EXPECT_EQ(modules.ServerCallCount(), 0u);
}

// ---------------------------------------------------------------------------------------------
// Escape during an import, on the real message queue of the host's thread: the plug-in polls the
// queue between records and asks the user in a Yes/No box, which a thread hook answers.

std::string FileWithTracks(int count) {
    std::string contents = "PCB FILE 4\r\n";
    for (int i = 0; i < count; ++i) {
        contents += "FT\r\n100 200 300 400 10 1\r\n";
    }
    return contents;
}

struct ImportRun {
    std::uint8_t Result = 0;
    std::uint32_t ServerCalls = 0;
};

class PluginAbort : public ::testing::Test {
protected:
    void SetUp() override { testdesktop::DrainQueue(); }
    void TearDown() override { testdesktop::DrainQueue(); }

    static ImportRun Run(const testsupport::TempFile& file) {
        modules.ResetServer(Answer);
        ImportRun run;
        run.Result = Import(file.Path());
        run.ServerCalls = modules.ServerCallCount();
        return run;
    }

    // The user presses Escape (and another key) in a window of the host while the import starts.
    void PressEscape() {
        window.PostKeyDown(VK_ESCAPE);
        window.PostKeyDown('A');
    }

    void ExpectOneAbortQuestionAndOnlyTheOtherKeyDelivered() {
        const auto boxes = testdesktop::BoxesAsked();
        ASSERT_EQ(boxes.size(), 1u) << "the plug-in did not ask about the Escape";
        EXPECT_EQ(boxes[0].Text, "Confirm Abort Process");
        EXPECT_EQ(boxes[0].Caption, "Confirm");
        ASSERT_EQ(window.Received().size(), 1u);
        EXPECT_EQ(window.Received()[0].Code, static_cast<std::uint32_t>(WM_KEYDOWN));
        EXPECT_EQ(window.Received()[0].WParam, static_cast<std::uintptr_t>('A'));
    }

    const testsupport::TempFile oneTrack{FileWithTracks(1)};
    const testsupport::TempFile fiveTracks{FileWithTracks(5)};
    testdesktop::RecordingWindow window;
};

TEST_F(PluginAbort, WithoutEscapeEveryRecordIsRead) {
    testdesktop::AnswerBoxes(true);
    const ImportRun one = Run(oneTrack);
    const ImportRun five = Run(fiveTracks);

    EXPECT_EQ(one.Result, 1);
    EXPECT_EQ(five.Result, 1);
    EXPECT_GT(five.ServerCalls, one.ServerCalls);
    EXPECT_TRUE(testdesktop::BoxesAsked().empty());
}

TEST_F(PluginAbort, EscapeAnsweredNoLetsTheImportRunOn) {
    const ImportRun undisturbed = Run(fiveTracks);
    testdesktop::AnswerBoxes(false);
    PressEscape();

    const ImportRun run = Run(fiveTracks);

    EXPECT_EQ(run.Result, 1);
    EXPECT_EQ(run.ServerCalls, undisturbed.ServerCalls); // every record read, as without Escape
    ExpectOneAbortQuestionAndOnlyTheOtherKeyDelivered();
}

TEST_F(PluginAbort, EscapeAnsweredYesStopsAfterTheCurrentRecordAndAnswersFalse) {
    const ImportRun firstRecordOnly = Run(oneTrack);
    testdesktop::AnswerBoxes(true);
    PressEscape();

    const ImportRun run = Run(fiveTracks);

    EXPECT_EQ(run.Result, 0);
    // The record being read when the user confirmed is finished; none after it is read.
    EXPECT_EQ(run.ServerCalls, firstRecordOnly.ServerCalls);
    ExpectOneAbortQuestionAndOnlyTheOtherKeyDelivered();
}

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SERVER.dll PLUGIN.dll [GoogleTest options]\n", argv[0]);
        return 2;
    }
    modules.ServerPath = argv[1];
    modules.PluginPath = argv[2];
    ::testing::AddGlobalTestEnvironment(new PluginHostEnvironment);
    return RUN_ALL_TESTS();
}
