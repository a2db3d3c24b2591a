#include "ModuleFixture.h"

#include "contract/CorvaneImporter.h"

#include <filesystem>
#include <fstream>

namespace moduletest {
namespace {

namespace fs = std::filesystem;

// A path of the build machine as the Windows loader under wine sees it (drive Z: is the root).
std::string LoaderPath(std::string path) {
#if defined(_WIN32)
    if (!path.empty() && path.front() == '/') {
        path = "Z:" + path;
    }
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
#endif
    return path;
}

} // namespace

const corvane::cli::LoadedModules& Modules() {
    static const corvane::cli::LoadedModules modules = corvane::cli::LoadedModules::Load(
        {LoaderPath(HALVEX_MODULE_PATH), LoaderPath(CORVANE_PLUGIN_PATH)});
    return modules;
}

void ModuleTest::SetUp() {
    ASSERT_TRUE(Modules().Ok()) << Modules().Error();
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
    if (Modules().Ok()) {
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
    return Modules().Plugin().RecognisedPCBFile(corvane::ExportString(fileName).Data()) != 0;
}

std::string ModuleTest::Description() const {
    const char* text = Modules().Plugin().GetPcbImporterDescription();
    return text == nullptr ? std::string() : std::string(text);
}

bool ModuleTest::Import(const std::string& fileName) const {
    const corvane::ExportString name(fileName);
    const corvane::ExportString reserved("");
    return Modules().Plugin().ImportFileIntoPcb(name.Data(), reserved.Data()) != 0;
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
