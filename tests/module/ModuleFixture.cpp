#include "ModuleFixture.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace moduletest {
namespace {

namespace fs = std::filesystem;

#if defined(_WIN32)
// A path of the build machine as the Windows loader under wine sees it (drive Z: is the root).
std::string LoaderPath(std::string path) {
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}
void* LoadModule(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(LoaderPath(path).c_str());
    if (module == nullptr) {
        error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    }
    return reinterpret_cast<void*>(module);
}
void* FindSymbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}
#else
void* LoadModule(const std::string& path, std::string& error) {
    // Global, as a host loads its server: the plug-in finds it among the loaded modules.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (module == nullptr) {
        const char* reason = dlerror();
        error = "cannot load " + path + ": " + (reason != nullptr ? reason : "?");
    }
    return module;
}
void* FindSymbol(void* module, const char* name) {
    return dlsym(module, name);
}
#endif

template <typename Fn>
void Resolve(void* module, const char* name, Fn& target, std::string& error) {
    target = reinterpret_cast<Fn>(FindSymbol(module, name));
    if (target == nullptr && error.empty()) {
        error = std::string("missing export ") + name;
    }
}

// A length-prefixed string as the plug-in's exports take it.
std::vector<std::uint8_t> ShortString(const std::string& text) {
    std::vector<std::uint8_t> bytes(256, 0);
    const std::size_t n = std::min<std::size_t>(text.size(), 255);
    bytes[0] = static_cast<std::uint8_t>(n);
    std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n), bytes.begin() + 1);
    return bytes;
}

} // namespace

const LoadedModules& LoadedModules::Instance() {
    static const LoadedModules modules;
    return modules;
}

LoadedModules::LoadedModules() {
    // The server first: the plug-in looks it up, and the host client, while it starts.
    void* server = LoadModule(HALVEX_MODULE_PATH, error_);
    if (server == nullptr) {
        return;
    }
    Resolve(server, "Halvex_OpenBoard", server_.OpenBoard, error_);
    Resolve(server, "Halvex_CloseAllBoards", server_.CloseAllBoards, error_);
    Resolve(server, "Halvex_SetProgressSink", server_.SetProgressSink, error_);
    Resolve(server, "Halvex_GetBoardInfo", server_.GetBoardInfo, error_);
    Resolve(server, "Halvex_GetMemberCount", server_.GetMemberCount, error_);
    Resolve(server, "Halvex_GetMemberAt", server_.GetMemberAt, error_);
    Resolve(server, "Halvex_GetObjectInfo", server_.GetObjectInfo, error_);
    Resolve(server, "Halvex_GetStackLayer", server_.GetStackLayer, error_);

    void* plugin = LoadModule(CORVANE_PLUGIN_PATH, error_);
    if (plugin == nullptr) {
        return;
    }
    Resolve(plugin, "RecognisedPCBFile", plugin_.Recognised, error_);
    Resolve(plugin, "GetPcbImporterDescription", plugin_.Description, error_);
    Resolve(plugin, "ImportFileIntoPcb", plugin_.Import, error_);
}

void ModuleTest::SetUp() {
    const LoadedModules& modules = LoadedModules::Instance();
    ASSERT_TRUE(modules.Ready()) << modules.Error();
    Server().CloseAllBoards();
    Server().SetProgressSink(OnInit, OnUpdate, OnFinish, this);
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path folder =
        fs::temp_directory_path() /
        ("corvane-module-" + std::string(info->test_suite_name()) + "-" + info->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
    folder_ = folder.string();
}

void ModuleTest::TearDown() {
    if (LoadedModules::Instance().Ready()) {
        Server().SetProgressSink(nullptr, nullptr, nullptr, nullptr);
        Server().CloseAllBoards();
    }
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::string ModuleTest::WriteFile(const std::string& name, const std::string& content) const {
    const fs::path path = fs::path(folder_) / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
}

std::string ModuleTest::MissingFile(const std::string& name) const {
    return (fs::path(folder_) / name).string();
}

std::uint32_t ModuleTest::OpenBoard(const std::string& fileName) const {
    return Server().OpenBoard(fileName.c_str());
}

bool ModuleTest::Recognised(const std::string& fileName) const {
    const auto name = ShortString(fileName);
    return LoadedModules::Instance().Plugin().Recognised(name.data()) != 0;
}

std::string ModuleTest::Description() const {
    const char* text = LoadedModules::Instance().Plugin().Description();
    return text == nullptr ? std::string() : std::string(text);
}

bool ModuleTest::Import(const std::string& fileName) const {
    const auto name = ShortString(fileName);
    const auto reserved = ShortString("");
    return LoadedModules::Instance().Plugin().Import(name.data(), reserved.data()) != 0;
}

std::vector<std::string> ModuleTest::ProgressCaptions() const {
    std::vector<std::string> captions;
    for (const ProgressEvent& event : progress_) {
        if (event.Kind == "init") {
            captions.push_back(event.Caption);
        }
    }
    return captions;
}

std::vector<std::uint32_t> ModuleTest::Members(std::uint32_t container) const {
    std::vector<std::uint32_t> members;
    const std::int32_t count = Server().GetMemberCount(container);
    for (std::int32_t i = 0; i < count; ++i) {
        members.push_back(Server().GetMemberAt(container, i));
    }
    return members;
}

HalvexObjectInfo ModuleTest::Object(std::uint32_t handle) const {
    HalvexObjectInfo info{};
    EXPECT_EQ(HALVEX_STATUS_OK, Server().GetObjectInfo(handle, &info)) << handle;
    return info;
}

void ModuleTest::OnInit(void* user, const char* caption, std::int32_t steps) {
    static_cast<ModuleTest*>(user)->progress_.push_back({"init", caption, steps});
}

void ModuleTest::OnUpdate(void* user) {
    static_cast<ModuleTest*>(user)->progress_.push_back({"update", "", 0});
}

void ModuleTest::OnFinish(void* user) {
    static_cast<ModuleTest*>(user)->progress_.push_back({"finish", "", 0});
}

} // namespace moduletest
