#pragma once
// Where the program and the test boards are, and small helpers shared by the tests of
// corvane-import.

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace clitest {

inline std::string Program() {
    return CORVANE_IMPORT_PROGRAM;
}
inline std::string DataFile(const std::string& name) {
    return std::string(CLI_TEST_DATA_DIR) + "/" + name;
}
inline std::string ExpectedFile(const std::string& name) {
    return std::string(CLI_TEST_EXPECTED_DIR) + "/" + name;
}
inline std::string DemoBoard() {
    return std::string(CLI_EXAMPLES_DIR) + "/demo.PCB";
}
inline std::string CorpusFile(const std::string& name) {
    return std::string(CLI_CORPUS_DIR) + "/" + name;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

inline void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream out(path, std::ios::binary);
    out << contents;
}

inline std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

inline std::size_t LineCount(const std::string& text) {
    return CountOf(text, "\n");
}

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        static std::mt19937_64 random{std::random_device{}()};
        path_ = std::filesystem::temp_directory_path() /
                ("corvane-cli-test-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace clitest
